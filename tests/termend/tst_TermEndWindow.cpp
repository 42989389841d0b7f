// The term-end window driven by its controls on the sample class 5-1: a term calculation paged and
// saved, evaluation clicks, the year-end, and every way out of year-end mode.

#include "WindowDriver.h"
#include "core/ClassFiles.h"
#include "platform/MsgBox.h"
#include "platform/Program.h"
#include "termend/DistChart.h"
#include "termend/vxHyo.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_TermEndWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void termCalculation_pageSaveEnd_filesHoldResultsAndMark();
    void viewButtons_goRoundTheClass();
    void recalculation_cancel_changesNothing();
    void evaluation_clicksAssignAtTheCursorAndWrap();
    void evaluation_allMiddleMark_andSaveSetsTheDoneMark();
    void evaluation_withoutMark_onlyMovesAndAsks();
    void distChart_followsMarksAndChoices_andHidesWithTheLists();
    void distChart_textsNeverCollide_data();
    void distChart_textsNeverCollide();
    void yearEnd_thenCancelOrEnd_restoresTheTerm_data();
    void yearEnd_thenCancelOrEnd_restoresTheTerm();
    void yearEndCalculation_asksPerSubjectAndListsTheYear();
    void grade2_threeSubjects_yearAsksThreeQuestions();
    void badTerm_isRefusedBackToTheMainWindow();
    void endCannotSave_windowStays();
    void choicePressedWhileShown_writesOnlyTheShownItem_data();
    void choicePressedWhileShown_writesOnlyTheShownItem();
    void yearEnd_failedEnd_keepsModeAndTerm();
    void yearEnd_cancelAtReevaluation_givesTheTermBack_data();
    void yearEnd_cancelAtReevaluation_givesTheTermBack();
    void wayOutWhileShown_leavesTheWindow_neverTheProgram_data();
    void wayOutWhileShown_leavesTheWindow_neverTheProgram();

private:
    // The sample class 5-1 (tests/data) loaded and the term-end window open.
    void open();
    void click(const QString& name) { d->click(u"vxHyo"_s, name); }
    // 学期, a processing, a subject (and a viewpoint), then execute.
    void run(int proc, int subject, int view = -1, int period = 0);
    void clickRow(int list, int row);
    // Presses a choice button as the teacher would try to, also when it is disabled (the handler
    // must refuse as well).
    void pressAnyway(const QString& name);
    QListWidget* list(int j) { return d->find<QListWidget>(u"vxHyo"_s, u"List1(%1)"_s.arg(j)); }
    QString line(int label) { return d->find<QLabel>(u"vxHyo"_s, u"Label%1"_s.arg(label))->text(); }
    vxHyo* win() { return d->forms().get<vxHyo>(u"vxHyo"_s); }
    std::unique_ptr<WindowDriver> d;
};

void tst_TermEndWindow::init() {
    d = std::make_unique<WindowDriver>();
}

void tst_TermEndWindow::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    d.reset();
}

void tst_TermEndWindow::open() {
    QDir(d->home().path()).mkpath(u"voxadata"_s);
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        QVERIFY(
            QFile::copy(TestSupport::dataDir() + u"/5-1"_s + ext, d->home().file(u"voxadata/5-1"_s + ext)));
    d->start();
    VOXA1& c = d->c();
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    QVERIFY(c.LoadClass());
    c.ClassName = u"5年1組"_s;
    c.ClassFile = u"5-1.dat"_s;
    c.MakeCurrent(VOXA1::Became::Loaded);
    d->forms().hide(u"vxMain"_s);
    d->forms().show(u"vxMain"_s);
    d->trigger(u"vxMain"_s, u"mnuHyo"_s);
    QVERIFY(win());
    QVERIFY(!d->forms().isLoaded(u"vxMain"_s));
}

void tst_TermEndWindow::run(int proc, int subject, int view, int period) {
    click(u"Command3D2(%1)"_s.arg(period));
    click(u"Command3D1(%1)"_s.arg(proc));
    click(u"Command3D6(%1)"_s.arg(subject));
    if (view >= 0)
        click(u"Command3D7(%1)"_s.arg(view));
    click(u"Command3D5"_s);
}

void tst_TermEndWindow::clickRow(int j, int row) {
    QListWidget* l = list(j);
    QListWidgetItem* item = l->item(row - 1);
    QVERIFY(item);
    l->scrollToItem(item);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(item).center());
}

void tst_TermEndWindow::termCalculation_pageSaveEnd_filesHoldResultsAndMark() {
    open();
    VOXA1& c = d->c();
    const int n = c.ClassSize;
    QVERIFY(n > 5);
    run(0, 0);
    QVERIFY(line(5).contains(u"番号  1  名前 "_s + c.Pupil(1).PName.str()));
    QCOMPARE(line(6), u"観点　 1枚 2枚 3枚 4枚 5枚 6枚 7枚 8枚 9枚 10枚   平均  偏差"_s);
    QVERIFY(!d->find<QPushButton>(u"vxHyo"_s, u"Command3D3"_s)->isEnabled());
    click(u"Command3D8"_s);
    QCOMPARE(win()->ViewedPupil(), 2);
    QVERIFY(line(5).contains(u"番号  2"_s));
    click(u"Command3D12"_s);
    QCOMPARE(c.CalcMark(1, 1), u"O"_s);
    QVERIFY(d->find<QPushButton>(u"vxHyo"_s, u"Command3D3"_s)->isEnabled());
    QCOMPARE(win()->ProcMode(), 0);
    QVERIFY(d->find<QPushButton>(u"vxHyo"_s, u"Command3D5"_s)->isEnabled());
    const double rate = c.Pupil(1).SubjRate(1, 1);
    QVERIFY(rate > 0);
    click(u"Command3D3"_s);
    QVERIFY(d->forms().find(u"vxMain"_s)->isVisible());
    // Both files: the figures in the pupil file, the mark in the settings file.
    VOXA1 back;
    back.ClassPath = c.ClassPath;
    QVERIFY(back.LoadClass());
    QCOMPARE(back.CalcMark(1, 1), u"O"_s);
    QCOMPARE(back.Pupil(1).SubjRate(1, 1), rate);
    QCOMPARE(back.Pupil(n).SubjDev(1, 1), c.Pupil(n).SubjDev(1, 1));
}

void tst_TermEndWindow::viewButtons_goRoundTheClass() {
    open();
    const int n = d->c().ClassSize;
    run(0, 2);
    click(u"Command3D10"_s); // Back on pupil 1
    QCOMPARE(win()->ViewedPupil(), n);
    click(u"Command3D8"_s); // Next on pupil N
    QCOMPARE(win()->ViewedPupil(), 1);
    click(u"Command3D11"_s); // To -5 on pupil 1
    QCOMPARE(win()->ViewedPupil(), n - 4);
    for (int i = 0; i < 3; ++i)
        click(u"Command3D8"_s);
    QCOMPARE(win()->ViewedPupil(), n - 1);
    click(u"Command3D9"_s); // To +5 on pupil N - 1
    QCOMPARE(win()->ViewedPupil(), 4);
}

void tst_TermEndWindow::recalculation_cancel_changesNothing() {
    open();
    VOXA1& c = d->c();
    c.CalcMark(1, 3) = u"O"_s;
    c.Pupil(1).SubjRate(1, 3) = 12.5;
    MsgBox::queueAnswer(MsgBox::Cancel);
    run(0, 2);
    QCOMPARE(MsgBox::shown().last().text, u"この教科の再計算をしますか"_s);
    QCOMPARE(c.Pupil(1).SubjRate(1, 3), 12.5);
    QVERIFY(!d->find<QPushButton>(u"vxHyo"_s, u"Command3D12"_s)->isVisible());
}

void tst_TermEndWindow::evaluation_clicksAssignAtTheCursorAndWrap() {
    open();
    VOXA1& c = d->c();
    const int n = c.ClassSize;
    run(0, 0);
    click(u"Command3D12"_s);
    run(1, 0, 0); // 観点別, 国語, viewpoint 1
    QVERIFY(list(0)->isVisible());
    QCOMPARE(list(3)->count(), n);
    const QList<int> rows = win()->RowPupil();
    // Ranked by the viewpoint percentage, highest first.
    for (int q = 1; q < n; ++q)
        QVERIFY(c.Pupil(rows[q - 1]).ViewRate(1, 1, 1) >= c.Pupil(rows[q]).ViewRate(1, 1, 1));
    click(u"Command3D13(0)"_s); // ◎
    // Clicks in the name list, quick as a double click: each mark goes to the mark list's cursor.
    clickRow(1, 5);
    clickRow(1, 9);
    QCOMPARE(c.Pupil(rows[0]).ViewMark(1, 1, 1).str().left(1), u"◎"_s);
    QCOMPARE(c.Pupil(rows[1]).ViewMark(1, 1, 1).str().left(1), u"◎"_s);
    QCOMPARE(list(3)->item(0)->text(), u"  ◎ "_s);
    QCOMPARE(list(3)->currentRow(), 2);
    QCOMPARE(list(0)->currentRow(), 2);
    QCOMPARE(d->find<QLabel>(u"vxHyo"_s, u"Label21(0)"_s)->text(), u"2"_s);
    // A click on the last row of the mark list gives it the mark and goes back to the top.
    click(u"Command3D13(2)"_s); // △
    clickRow(3, n);
    QCOMPARE(c.Pupil(rows[n - 1]).ViewMark(1, 1, 1).str().left(1), u"△"_s);
    QCOMPARE(list(3)->currentRow(), 0);
    QCOMPARE(d->find<QLabel>(u"vxHyo"_s, u"Label21(2)"_s)->text(), u"1"_s);
}

void tst_TermEndWindow::evaluation_allMiddleMark_andSaveSetsTheDoneMark() {
    open();
    VOXA1& c = d->c();
    const int n = c.ClassSize;
    run(0, 0);
    click(u"Command3D12"_s);
    run(2, 0); // 教科別, 国語
    QCOMPARE(d->find<QPushButton>(u"vxHyo"_s, u"Command3D16"_s)->text(), u"ALL２"_s);
    click(u"Command3D16"_s);
    QCOMPARE(d->find<QLabel>(u"vxHyo"_s, u"Label21(0)"_s)->text(), u"0"_s);
    QCOMPARE(d->find<QLabel>(u"vxHyo"_s, u"Label21(1)"_s)->text(), QString::number(n));
    QCOMPARE(d->find<QLabel>(u"vxHyo"_s, u"Label21(2)"_s)->text(), u"0"_s);
    for (int p = 1; p <= n; ++p)
        QCOMPARE(c.Pupil(p).SubjMark(1, 1).str().left(1), u"２"_s);
    QCOMPARE(list(3)->currentRow(), 0);
    click(u"Command3D15"_s);
    QCOMPARE(c.RateMark(1, 1), u"O"_s);
    QVERIFY(!list(0)->isVisible());
    // Evaluating again asks first.
    MsgBox::queueAnswer(MsgBox::Cancel);
    run(2, 0);
    QCOMPARE(MsgBox::shown().last().text, u"この教科の再評価をしますか"_s);
    QVERIFY(!list(0)->isVisible());
}

void tst_TermEndWindow::distChart_followsMarksAndChoices_andHidesWithTheLists() {
    open();
    VOXA1& c = d->c();
    const int n = c.ClassSize;
    auto* chart = d->find<DistChart>(u"vxHyo"_s, u"DistChart"_s);
    QVERIFY(!chart->isVisible());
    run(0, 0);
    click(u"Command3D12"_s);
    run(2, 0); // 教科別, 国語
    QVERIFY(chart->isVisible());
    const QList<int> rows = win()->RowPupil();
    const int top = Distribution::bandOf(c.Pupil(rows[0]).SubjRate(1, 1));
    QCOMPARE(chart->stats().pupils, n);
    int unmarked = 0;
    for (int b = 0; b < Distribution::kBands; ++b)
        unmarked += chart->stats().counts[size_t(b)][Distribution::kUnmarked];
    QCOMPARE(unmarked, n);
    const Distribution::Stats before = chart->stats();

    // A ３ given to the top of the list moves that pupil out of the grey part of the top's band.
    click(u"Command3D13(0)"_s);
    clickRow(3, 1);
    QCOMPARE(chart->stats().counts[size_t(top)][0], 1);
    QCOMPARE(chart->stats().counts[size_t(top)][Distribution::kUnmarked],
             before.counts[size_t(top)][Distribution::kUnmarked] - 1);
    QCOMPARE(chart->stats().mean, before.mean);
    // ALL２: every pupil in the middle colour.
    click(u"Command3D16"_s);
    int middle = 0;
    for (int b = 0; b < Distribution::kBands; ++b)
        middle += chart->stats().counts[size_t(b)][1];
    QCOMPARE(middle, n);
    click(u"Command3D15"_s);
    QVERIFY(!chart->isVisible());

    // Another subject: the chart shows its figures.
    run(0, 2);
    click(u"Command3D12"_s);
    run(2, 2);
    QVERIFY(chart->isVisible());
    QList<double> rates;
    for (int p = 1; p <= n; ++p)
        rates << c.Pupil(p).SubjRate(1, 3);
    QCOMPARE(chart->stats().mean, Distribution::compute(rates, {}, {}).mean);
    click(u"Command3D14"_s);
    QVERIFY(!chart->isVisible());
}

void tst_TermEndWindow::distChart_textsNeverCollide_data() {
    QTest::addColumn<QList<double>>("rates");
    QTest::addColumn<double>("scale"); // of the chart's own size
    const QList<double> zeros(42, 0.0);
    QList<double> spread, top, middle;
    for (int p = 0; p < 42; ++p) {
        spread << p * 2.4;
        top << 95 + p % 6;
        middle << 48 + p % 5;
    }
    for (double scale : {1.0, 1.5}) {
        const QByteArray at = scale == 1.0 ? " (own size)" : " (1.5 times)";
        QTest::newRow("all at 0" + at) << zeros << scale;
        QTest::newRow("spread" + at) << spread << scale;
        QTest::newRow("all near 100" + at) << top << scale;
        QTest::newRow("mean on the median" + at) << middle << scale;
    }
}

void tst_TermEndWindow::distChart_textsNeverCollide() {
    QFETCH(QList<double>, rates);
    QFETCH(double, scale);
    DistChart chart;
    const QStringList marks = {u"３"_s, u"２"_s, u"１"_s};
    QStringList given;
    for (int p = 0; p < rates.size(); ++p)
        given << marks.value(p % 4);
    chart.setStats(Distribution::compute(rates, given, marks), marks);
    chart.resize(chart.sizeHint() * scale);
    chart.grab();
    const QList<QRect> texts = chart.textRects();
    QVERIFY(texts.size() >= 7); // legend, mean, median and counts
    for (int i = 0; i < texts.size(); ++i) {
        QVERIFY(chart.rect().contains(texts[i]));
        for (int j = i + 1; j < texts.size(); ++j)
            QVERIFY2(!texts[i].intersects(texts[j]), qPrintable(u"texts %1 and %2"_s.arg(i).arg(j)));
    }
}

void tst_TermEndWindow::evaluation_withoutMark_onlyMovesAndAsks() {
    open();
    run(0, 1);
    click(u"Command3D12"_s);
    run(2, 1);
    VOXA1& c = d->c();
    QStringList before;
    for (int p = 1; p <= c.ClassSize; ++p)
        before << c.Pupil(p).SubjMark(1, 2).str();
    // No mark chosen: a click in the mark list asks for one and moves every list's cursor down.
    MsgBox::queueAnswer(MsgBox::Ok);
    clickRow(3, 1);
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown().last().text, u"評価を選択してください"_s);
    for (int j = 0; j < 4; ++j)
        QCOMPARE(list(j)->currentRow(), 1);
    // A click in another list only moves the cursor.
    clickRow(1, 5);
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(list(3)->currentRow(), 2);
    for (int p = 1; p <= c.ClassSize; ++p)
        QCOMPARE(c.Pupil(p).SubjMark(1, 2).str(), before[p - 1]);
}

void tst_TermEndWindow::yearEnd_thenCancelOrEnd_restoresTheTerm_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("中止 of the window") << u"Command3D4"_s;
    QTest::newRow("終了 of the window") << u"Command3D3"_s;
    QTest::newRow("学期 again") << u"Command3D2(0)"_s;
}

void tst_TermEndWindow::yearEnd_thenCancelOrEnd_restoresTheTerm() {
    QFETCH(QString, way);
    open();
    VOXA1& c = d->c();
    const qint16 term = c.CurTerm;
    click(u"Command3D2(1)"_s);
    click(u"Command3D2(1)"_s); // twice: the saved term stays the real one
    QCOMPARE(c.CurTerm, qint16(4));
    click(way);
    QCOMPARE(c.CurTerm, term);
    if (way != u"Command3D2(0)"_s) {
        QVERIFY(d->forms().find(u"vxMain"_s)->isVisible());
        VOXA1 back;
        back.ClassPath = c.ClassPath;
        QVERIFY(back.LoadClass());
        QCOMPARE(back.CurTerm, term);
    }
}

void tst_TermEndWindow::yearEndCalculation_asksPerSubjectAndListsTheYear() {
    open();
    VOXA1& c = d->c();
    const qint16 term = c.CurTerm;
    MsgBox::queueAnswer(MsgBox::Ok);     // not every term calculated: go on
    MsgBox::queueAnswer(MsgBox::Ok);     // 国語
    MsgBox::queueAnswer(MsgBox::Cancel); // 社会
    MsgBox::queueAnswer(MsgBox::Ok);     // 算数
    MsgBox::queueAnswer(MsgBox::Ok);     // 理科
    click(u"Command3D2(1)"_s);
    click(u"Command3D1(0)"_s);
    click(u"Command3D5"_s);
    const auto& shown = MsgBox::shown();
    QCOMPARE(shown[0].text, u"計算処理が済んでいない学期があります。年度末の計算を続けますか"_s);
    QCOMPARE(shown[2].text, u"社会の計算処理を行います。よろしいですか。"_s);
    QCOMPARE(shown.size(), 5);
    QCOMPARE(c.CalcMark(4, 1), u"O"_s);
    QCOMPARE(c.Pupil(1).SubjRate(4, 2), 0.0);
    auto* names = d->find<QListWidget>(u"vxHyo"_s, u"List2(1)"_s);
    QCOMPARE(names->count(), c.ClassSize);
    QCOMPARE(d->find<QLabel>(u"vxHyo"_s, u"Label24(5)"_s)->text(), u"理科"_s);
    QVERIFY(!d->find<QPushButton>(u"vxHyo"_s, u"Command3D3"_s)->isEnabled());
    click(u"Command3D17"_s);
    QVERIFY(d->find<QPushButton>(u"vxHyo"_s, u"Command3D3"_s)->isEnabled());
    QCOMPARE(c.CurTerm, term);
    QVERIFY(!d->find<QWidget>(u"vxHyo"_s, u"Frame3D9"_s)->isVisible());
}

void tst_TermEndWindow::grade2_threeSubjects_yearAsksThreeQuestions() {
    QDir(d->home().path()).mkpath(u"voxadata"_s);
    d->startWithClass(u"2-3"_s, u"2年3組"_s, 4);
    VOXA1& c = d->c();
    for (int k = 1; k <= 3; ++k)
        for (int t = 1; t <= 3; ++t)
            c.CalcMark(t, k) = u"O"_s;
    d->trigger(u"vxMain"_s, u"Hyo"_s); // the toolbar button
    QVERIFY(win());
    QCOMPARE(d->find<QPushButton>(u"vxHyo"_s, u"Command3D6(1)"_s)->text(), u"算数"_s);
    QCOMPARE(d->find<QPushButton>(u"vxHyo"_s, u"Command3D6(2)"_s)->text(), u"生活"_s);
    QVERIFY(!d->find<QPushButton>(u"vxHyo"_s, u"Command3D6(3)"_s)->isEnabled());
    for (int i = 0; i < 3; ++i)
        MsgBox::queueAnswer(MsgBox::Ok);
    click(u"Command3D2(1)"_s);
    click(u"Command3D1(0)"_s);
    click(u"Command3D5"_s);
    QCOMPARE(MsgBox::shown().size(), 3);
    QCOMPARE(MsgBox::shown()[1].text, u"算数の計算処理を行います。よろしいですか。"_s);
    QCOMPARE(MsgBox::shown()[2].text, u"生活の計算処理を行います。よろしいですか。"_s);
    QCOMPARE(d->find<QLabel>(u"vxHyo"_s, u"Label24(4)"_s)->text(), u"生活"_s);
    QCOMPARE(d->find<QLabel>(u"vxHyo"_s, u"Label24(5)"_s)->text(), QString());
    click(u"Command3D18"_s);
    QCOMPARE(c.CurTerm, qint16(1));
}

void tst_TermEndWindow::badTerm_isRefusedBackToTheMainWindow() {
    QDir(d->home().path()).mkpath(u"voxadata"_s);
    d->startWithClass(u"3-1"_s, u"3年1組"_s, 3);
    d->c().CurTerm = 5;
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuHyo"_s);
    QCOMPARE(MsgBox::shown().last().text, u"現在の学期の設定が正しくありません。"_s);
    QVERIFY(d->forms().find(u"vxMain"_s)->isVisible());
    QVERIFY(!d->forms().isLoaded(u"vxHyo"_s));
}

void tst_TermEndWindow::endCannotSave_windowStays() {
    open();
    run(0, 0);
    click(u"Command3D12"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    {
        TestSupport::DiskFull full;
        click(u"Command3D3"_s);
    }
    QVERIFY(MsgBox::shown().last().text.startsWith(u"ファイルに書き込めませんでした。"_s));
    QVERIFY(win() && win()->isVisible());
    click(u"Command3D3"_s);
    QVERIFY(d->forms().find(u"vxMain"_s)->isVisible());
}

void tst_TermEndWindow::pressAnyway(const QString& name) {
    auto* b = d->find<QPushButton>(u"vxHyo"_s, name);
    QVERIFY(b);
    if (b->isEnabled()) {
        b->click();
        return;
    }
    const int i = name.section(u'(', 1).chopped(1).toInt();
    if (name.startsWith(u"Command3D2("_s))
        win()->Command3D2_Click(i);
    else if (name.startsWith(u"Command3D1("_s))
        win()->Command3D1_Click(i);
    else if (name.startsWith(u"Command3D6("_s))
        win()->Command3D6_Click(i);
    else if (name.startsWith(u"Command3D7("_s))
        win()->Command3D7_Click(i);
}

namespace {
// Every done mark and every mark the term-end window gives, by name, that differs between a and b.
QStringList changedMarks(const VOXA1& a, const VOXA1& b) {
    QStringList out;
    for (int t = 1; t <= 4; ++t)
        for (int k = 1; k <= 4; ++k) {
            if (a.CalcMark(t, k) != b.CalcMark(t, k))
                out << u"CalcMark(%1,%2)"_s.arg(t).arg(k);
            if (a.RateMark(t, k) != b.RateMark(t, k))
                out << u"RateMark(%1,%2)"_s.arg(t).arg(k);
            bool subj = false;
            for (int p = 1; p <= a.ClassSize; ++p)
                subj = subj || a.Pupil(p).SubjMark(t, k).str() != b.Pupil(p).SubjMark(t, k).str();
            if (subj)
                out << u"SubjMark(%1,%2)"_s.arg(t).arg(k);
            for (int v = 1; v <= 4; ++v) {
                if (a.ViewDoneMark(t, k, v) != b.ViewDoneMark(t, k, v))
                    out << u"ViewDoneMark(%1,%2,%3)"_s.arg(t).arg(k).arg(v);
                bool view = false;
                for (int p = 1; p <= a.ClassSize; ++p)
                    view = view || a.Pupil(p).ViewMark(t, k, v).str() != b.Pupil(p).ViewMark(t, k, v).str();
                if (view)
                    out << u"ViewMark(%1,%2,%3)"_s.arg(t).arg(k).arg(v);
            }
        }
    return out;
}
} // namespace

void tst_TermEndWindow::choicePressedWhileShown_writesOnlyTheShownItem_data() {
    QTest::addColumn<bool>("lists");    // the 国語 viewpoint-1 lists, else the 国語 score sheet view
    QTest::addColumn<QString>("press"); // pressed while it is shown
    QTest::addColumn<QStringList>("changed");
    const QStringList view{u"CalcMark(1,1)"_s};
    const QStringList lists{u"ViewDoneMark(1,1,1)"_s, u"ViewMark(1,1,1)"_s};
    QTest::newRow("view, 社会") << false << u"Command3D6(1)"_s << view;
    QTest::newRow("view, 年度末") << false << u"Command3D2(1)"_s << view;
    QTest::newRow("view, 教科別") << false << u"Command3D1(2)"_s << view;
    QTest::newRow("lists, 社会") << true << u"Command3D6(1)"_s << lists;
    QTest::newRow("lists, viewpoint 2") << true << u"Command3D7(1)"_s << lists;
    QTest::newRow("lists, 年度末") << true << u"Command3D2(1)"_s << lists;
    QTest::newRow("lists, 学期") << true << u"Command3D2(0)"_s << lists;
}

void tst_TermEndWindow::choicePressedWhileShown_writesOnlyTheShownItem() {
    QFETCH(bool, lists);
    QFETCH(QString, press);
    QFETCH(QStringList, changed);
    open();
    VOXA1& c = d->c();
    VOXA1 before;
    before.ClassPath = c.ClassPath;
    QVERIFY(before.LoadClass());
    if (lists)
        run(1, 0, 0); // 観点別, 国語, viewpoint 1
    else
        run(0, 0); // 計算処理, 国語
    const QString title = d->find<QGroupBox>(u"vxHyo"_s, u"Frame3D3"_s)->title();
    pressAnyway(press);
    QCOMPARE(c.CurTerm, qint16(1));
    QCOMPARE(d->find<QGroupBox>(u"vxHyo"_s, u"Frame3D3"_s)->title(), title);
    if (lists) {
        const QString figure = list(2)->item(0)->text();
        click(u"Command3D13(0)"_s);
        clickRow(3, 1);
        // The row still shows the shown item's figure, now with the mark.
        QCOMPARE(list(2)->item(0)->text(), figure);
        QCOMPARE(list(3)->item(0)->text(), u"  ◎ "_s);
        click(u"Command3D15"_s);
    } else {
        QVERIFY(line(5).contains(u"名前 "_s + c.Pupil(1).PName.str()));
        click(u"Command3D12"_s);
    }
    // 終了 on a disk that refuses, then again: what reaches the disk is the shown item alone.
    MsgBox::queueAnswer(MsgBox::Ok);
    {
        TestSupport::DiskFull full;
        click(u"Command3D3"_s);
    }
    QVERIFY(win()->isVisible());
    click(u"Command3D3"_s);
    VOXA1 after;
    after.ClassPath = c.ClassPath;
    QVERIFY(after.LoadClass());
    QCOMPARE(changedMarks(before, after), changed);
    QCOMPARE(after.CurTerm, qint16(1));
}

void tst_TermEndWindow::yearEnd_failedEnd_keepsModeAndTerm() {
    open();
    VOXA1& c = d->c();
    click(u"Command3D2(1)"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    {
        TestSupport::DiskFull full;
        click(u"Command3D3"_s);
    }
    // Still in year-end mode, as before 終了 was pressed: the year's figures, not the term's.
    QCOMPARE(win()->PeriodMode(), 2);
    QCOMPARE(c.CurTerm, qint16(4));
    click(u"Command3D1(2)"_s);
    click(u"Command3D6(0)"_s);
    click(u"Command3D5"_s);
    QCOMPARE(d->find<QGroupBox>(u"vxHyo"_s, u"Frame3D3"_s)->title(), u"年度末評定処理"_s);
    QCOMPARE(win()->state().shown().term, 4);
    click(u"Command3D14"_s);
    QCOMPARE(c.CurTerm, qint16(1));
    click(u"Command3D4"_s);
    QCOMPARE(c.CurTerm, qint16(1));
}

void tst_TermEndWindow::yearEnd_cancelAtReevaluation_givesTheTermBack_data() {
    QTest::addColumn<bool>("viewpoints");
    QTest::newRow("教科別") << false;
    QTest::newRow("観点別") << true;
}

void tst_TermEndWindow::yearEnd_cancelAtReevaluation_givesTheTermBack() {
    QFETCH(bool, viewpoints);
    open();
    VOXA1& c = d->c();
    c.RateMark(4, 1) = u"O"_s;
    c.ViewDoneMark(4, 1, 1) = u"O"_s;
    if (viewpoints)
        MsgBox::queueAnswer(MsgBox::Ok); // 観点別 before a subject: 教科を入力してください
    MsgBox::queueAnswer(MsgBox::Cancel);
    run(viewpoints ? 1 : 2, 0, viewpoints ? 0 : -1, 1);
    QCOMPARE(MsgBox::shown().last().text,
             viewpoints ? u"この観点の再評定をしますか"_s : u"この教科の再評価をしますか"_s);
    QCOMPARE(win()->PeriodMode(), 0);
    QCOMPARE(c.CurTerm, qint16(1));
    QVERIFY(!list(0)->isVisible());
}

void tst_TermEndWindow::wayOutWhileShown_leavesTheWindow_neverTheProgram_data() {
    QTest::addColumn<int>("proc");    // what is shown: 0 the score sheet view, 2 the evaluation lists
    QTest::addColumn<QString>("how"); // the window's 中止, or the title bar's close
    QTest::newRow("score sheet, 中止") << 0 << u"Command3D4"_s;
    QTest::newRow("score sheet, title bar") << 0 << u"close"_s;
    QTest::newRow("lists, 中止") << 2 << u"Command3D4"_s;
    QTest::newRow("lists, title bar") << 2 << u"close"_s;
}

// With a score sheet view or evaluation lists up, the window's 中止 leaves the window; the title bar
// does what 中止 does. The marks given stay in memory, the program goes on, and the window opens
// again with its choices free.
void tst_TermEndWindow::wayOutWhileShown_leavesTheWindow_neverTheProgram() {
    QFETCH(int, proc);
    QFETCH(QString, how);
    open();
    VOXA1& c = d->c();
    run(proc, 0);
    if (proc == 2) {
        QVERIFY(list(0)->isVisible());
        clickRow(0, 1);
    }
    const QString markGiven = c.Pupil(1).SubjMark(1, 1).str();
    QPushButton* way = d->find<QPushButton>(u"vxHyo"_s, u"Command3D4"_s);
    QVERIFY2(way->isEnabled() && way->isVisible(), qPrintable(how));
    if (how == u"close"_s)
        d->forms().find(u"vxHyo"_s)->close();
    else
        click(how);
    QVERIFY(!Program::hasEnded());
    QVERIFY(d->forms().find(u"vxMain"_s)->isVisible());
    QVERIFY(!d->forms().find(u"vxHyo"_s) || !d->forms().find(u"vxHyo"_s)->isVisible());
    QCOMPARE(c.Pupil(1).SubjMark(1, 1).str(), markGiven);
    // Opened again: nothing shown, every choice free.
    d->trigger(u"vxMain"_s, u"mnuHyo"_s);
    QVERIFY(d->find<QPushButton>(u"vxHyo"_s, u"Command3D2(0)"_s)->isEnabled());
    QVERIFY(d->find<QPushButton>(u"vxHyo"_s, u"Command3D1(0)"_s)->isEnabled());
    QVERIFY(!list(0)->isVisible());
}

QTEST_MAIN(tst_TermEndWindow)
#include "tst_TermEndWindow.moc"

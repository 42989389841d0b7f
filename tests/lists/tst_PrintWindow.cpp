// The list printing window driven by its controls: ticks, orders, the term choice, what reaches the
// printer, and what is cleared afterwards.

#include "WindowDriver.h"
#include "lists/vxPrint.h"
#include "platform/MsgBox.h"
#include "platform/PreviewBackend.h"
#include "platform/RecordingBackend.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_PrintWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void load_classLineAndCaptions();
    void viewpointTicked_printsInScoreOrder();
    void numberOrderForOneSubject_leavesTheOtherAlone();
    void afterPrinting_ticksClearedTermKept();
    void refusals_noTermOrNothingTicked_data();
    void refusals_noTermOrNothingTicked();
    void yearEnd_printsTheYearAndKeepsTheTerm();
    void failedJob_saysSoAndKeepsTheTicks();
    void previewClosed_nothingSaidTicksKept();
    void ticking_movesNoButton();
    void grade2_threeFramesWithLivingNames();

private:
    void open(const QString& name = u"5年1組"_s);
    void tick(const QString& name) { d->find<QCheckBox>(u"vxPrint"_s, name)->click(); }
    void choose(const QString& name) { d->find<QRadioButton>(u"vxPrint"_s, name)->click(); }
    vxPrint* win() { return d->forms().get<vxPrint>(u"vxPrint"_s); }
    // Prints the ticked lists, answering the start, done and cleared messages.
    void printLists();
    std::unique_ptr<WindowDriver> d;
};

void tst_PrintWindow::init() {
    d = std::make_unique<WindowDriver>();
}

void tst_PrintWindow::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    d.reset();
}

void tst_PrintWindow::open(const QString& name) {
    d->startWithClass(u"5-1"_s, name, 4);
    VOXA1& c = d->c();
    c.CityName = u"横浜市中区"_s;
    c.SchoolName = u"山下小学校"_s;
    c.TeacherName = u"山本　恵子"_s;
    for (int s = 1; s <= 5; ++s)
        for (int v = 1; v <= 3; ++v)
            c.ViewName(s, v) = u"観%1の%2"_s.arg(s).arg(v);
    const double rates[4] = {70, 90, 80, 90};
    for (int p = 1; p <= 4; ++p)
        for (int k = 1; k <= 4; ++k) {
            c.Pupil(p).SubjRate(1, k) = rates[p - 1];
            c.Pupil(p).ViewRate(1, k, 2) = rates[p - 1];
            c.Pupil(p).SubjRate(4, k) = 50 + p;
        }
    d->trigger(u"vxMain"_s, u"PPrint"_s); // the toolbar button
    QVERIFY(win());
}

void tst_PrintWindow::printLists() {
    for (int i = 0; i < 3; ++i)
        MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxPrint"_s, u"Command3D2"_s);
}

void tst_PrintWindow::load_classLineAndCaptions() {
    open();
    QCOMPARE(d->find<QLabel>(u"vxPrint"_s, u"Label6"_s)->text(), u"横浜市"_s);
    QCOMPARE(d->find<QLabel>(u"vxPrint"_s, u"Label1"_s)->text(), u"山下小"_s);
    QCOMPARE(d->find<QLabel>(u"vxPrint"_s, u"Label8"_s)->text(), u"山本　恵子"_s);
    QCOMPARE(d->find<QGroupBox>(u"vxPrint"_s, u"Frame3D4(1)"_s)->title(), u"社会"_s);
    QCOMPARE(d->find<QCheckBox>(u"vxPrint"_s, u"Check3D1(5)"_s)->text().trimmed(), u"観2の2"_s);
    // The unnamed fourth viewpoints are not offered.
    QVERIFY(!d->find<QCheckBox>(u"vxPrint"_s, u"Check3D1(3)"_s)->isVisibleTo(win()));
    QVERIFY(!d->find<QWidget>(u"vxPrint"_s, u"Panel3D1(0)"_s)->isVisibleTo(win()));
}

void tst_PrintWindow::viewpointTicked_printsInScoreOrder() {
    open();
    choose(u"Option3D3(0)"_s);
    tick(u"Check3D1(1)"_s); // 国語, viewpoint 2
    QVERIFY(d->find<QWidget>(u"vxPrint"_s, u"Panel3D1(1)"_s)->isVisibleTo(win()));
    QVERIFY(d->find<QRadioButton>(u"vxPrint"_s, u"Option3D1(2)"_s)->isChecked());
    QCOMPARE(win()->ViewSel(2), 10);
    printLists();
    QCOMPARE(RecordingBackend::documents().size(), std::size_t(1));
    const auto& doc = RecordingBackend::documents()[0];
    QCOMPARE(doc.pages, 1);
    QVERIFY(doc.find(1, u"観1の2"_s));
    QVERIFY(doc.find(1, u"順  位"_s));
    // Highest first: pupils 2 and 4 at 90, then 3, then 1.
    const QStringList lines = doc.pageLines(1);
    QVERIFY2(lines.value(3).contains(u"90."_s), qPrintable(lines.value(3)));
    QVERIFY(lines.value(4).contains(u"90."_s));
    QVERIFY(lines.value(5).contains(u"生徒3"_s));
    QVERIFY(lines.value(6).contains(u"生徒1"_s));
}

void tst_PrintWindow::numberOrderForOneSubject_leavesTheOtherAlone() {
    open();
    choose(u"Option3D3(0)"_s);
    tick(u"Check3D2(0)"_s);
    tick(u"Check3D2(1)"_s);
    choose(u"Option3D2(3)"_s); // 番号順 for 社会
    QCOMPARE(win()->SubjSel(1), 10);
    QCOMPARE(win()->SubjSel(2), 20);
    printLists();
    const auto& doc = RecordingBackend::documents()[0];
    QCOMPARE(doc.pages, 2);
    QVERIFY(doc.find(1, u"順  位"_s) && doc.find(1, u"国語"_s));
    QVERIFY(doc.find(2, u"順　位"_s) && doc.find(2, u"社会"_s));
}

void tst_PrintWindow::ticking_movesNoButton() {
    open();
    QWidget* w = d->forms().find(u"vxPrint"_s);
    auto places = [&] {
        QCoreApplication::processEvents();
        QMap<QString, QPoint> at;
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if (b->isVisible())
                at.insert(b->objectName(), b->mapTo(w, QPoint()));
        return at;
    };
    const QMap<QString, QPoint> before = places();
    QVERIFY(before.contains(u"Command3D2"_s) && before.contains(u"Check3D1(5)"_s));
    for (QCheckBox* box : w->findChildren<QCheckBox*>()) {
        if (!box->isVisible())
            continue;
        box->click();
        // Whatever was on screen before stands where it stood; only the order choices appear.
        const QMap<QString, QPoint> now = places();
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(now.value(it.key()), it.value());
    }
}

void tst_PrintWindow::previewClosed_nothingSaidTicksKept() {
    open();
    PrintBackend::setPreviewOn(true);
    choose(u"Option3D3(0)"_s);
    tick(u"Check3D2(3)"_s);
    PreviewBackend::queueChoice(PreviewBackend::Choice::Close);
    MsgBox::queueAnswer(MsgBox::Ok); // 今から印刷を開始します
    d->click(u"vxPrint"_s, u"Command3D2"_s);
    QCOMPARE(PreviewBackend::previewsShown().size(), 1);
    QCOMPARE(MsgBox::shown().size(), 1);
    QVERIFY(RecordingBackend::documents().empty());
    QVERIFY(d->find<QCheckBox>(u"vxPrint"_s, u"Check3D2(3)"_s)->isChecked());
    // Printed from the preview this time: sent, said, and cleared.
    PreviewBackend::queueChoice(PreviewBackend::Choice::Print);
    printLists();
    QCOMPARE(RecordingBackend::documents().size(), std::size_t(1));
    QCOMPARE(RecordingBackend::documents()[0].docName, u"成績一覧 5年1組"_s);
    QCOMPARE(MsgBox::shown().last().text, u"印刷を終了しました。\r\n印刷設定をクリアします。"_s);
    QVERIFY(!d->find<QCheckBox>(u"vxPrint"_s, u"Check3D2(3)"_s)->isChecked());
}

void tst_PrintWindow::afterPrinting_ticksClearedTermKept() {
    open();
    choose(u"Option3D3(0)"_s);
    tick(u"Check3D1(4)"_s);
    tick(u"Check3D2(3)"_s);
    printLists();
    QCOMPARE(MsgBox::shown()[1].text,
             u"印刷データをプリンタに送りました。\r\nまもなくプリンターから印刷されます。"_s);
    QCOMPARE(MsgBox::shown()[2].text, u"印刷を終了しました。\r\n印刷設定をクリアします。"_s);
    QVERIFY(!d->find<QCheckBox>(u"vxPrint"_s, u"Check3D1(4)"_s)->isChecked());
    QVERIFY(!d->find<QWidget>(u"vxPrint"_s, u"Panel3D1(4)"_s)->isVisibleTo(win()));
    QVERIFY(!d->find<QWidget>(u"vxPrint"_s, u"Panel3D2(3)"_s)->isVisibleTo(win()));
    QCOMPARE(win()->ViewSel(5), 0);
    QCOMPARE(win()->TermSel(), 1);
}

void tst_PrintWindow::refusals_noTermOrNothingTicked_data() {
    QTest::addColumn<bool>("term");
    QTest::addColumn<QString>("told");
    QTest::newRow("no term") << false << u"学期設定を入力してください"_s;
    QTest::newRow("nothing ticked") << true << u"印刷する項目を選択してください"_s;
}

void tst_PrintWindow::refusals_noTermOrNothingTicked() {
    QFETCH(bool, term);
    QFETCH(QString, told);
    open();
    if (term)
        choose(u"Option3D3(0)"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxPrint"_s, u"Command3D2"_s);
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown()[0].text, told);
    QVERIFY(RecordingBackend::documents().empty());
}

void tst_PrintWindow::yearEnd_printsTheYearAndKeepsTheTerm() {
    open();
    const qint16 term = d->c().CurTerm;
    choose(u"Option3D3(1)"_s);
    for (int i = 0; i < 2; ++i)
        MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxPrint"_s, u"SSCommand2"_s);
    const auto& doc = RecordingBackend::documents()[0];
    QVERIFY(doc.find(1, u"４教科一覧表"_s));
    QVERIFY(doc.find(1, u"年度末"_s));
    QVERIFY(doc.find(1, u"54."_s)); // pupil 4's year figure
    QCOMPARE(d->c().CurTerm, term);
}

void tst_PrintWindow::failedJob_saysSoAndKeepsTheTicks() {
    open();
    choose(u"Option3D3(0)"_s);
    tick(u"Check3D2(0)"_s);
    RecordingBackend::failNextJob(RecordingBackend::Failure::AtEnd);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxPrint"_s, u"Command3D2"_s);
    QVERIFY(MsgBox::shown().last().text.startsWith(u"印刷できませんでした。"_s));
    QCOMPARE(MsgBox::shown().size(), 2);
    QVERIFY(d->find<QCheckBox>(u"vxPrint"_s, u"Check3D2(0)"_s)->isChecked());
}

void tst_PrintWindow::grade2_threeFramesWithLivingNames() {
    open(u"2年1組"_s);
    QVERIFY(!d->find<QGroupBox>(u"vxPrint"_s, u"Frame3D4(3)"_s)->isVisibleTo(win()));
    QCOMPARE(d->find<QGroupBox>(u"vxPrint"_s, u"Frame3D4(1)"_s)->title(), u"算数"_s);
    QCOMPARE(d->find<QGroupBox>(u"vxPrint"_s, u"Frame3D4(2)"_s)->title(), u"生活"_s);
    QCOMPARE(d->find<QCheckBox>(u"vxPrint"_s, u"Check3D1(8)"_s)->text().trimmed(), u"観5の1"_s);
    QCOMPARE(d->find<QCheckBox>(u"vxPrint"_s, u"Check3D1(4)"_s)->text().trimmed(), u"観3の1"_s);
}

QTEST_MAIN(tst_PrintWindow)
#include "tst_PrintWindow.moc"

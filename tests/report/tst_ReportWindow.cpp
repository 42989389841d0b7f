// The individual report window driven by its controls: school line, both views, moves round the
// class, and printing the pupil or the whole class.

#include "WindowDriver.h"
#include "core/NumberFormat.h"
#include "platform/Dialogs.h"
#include "platform/MsgBox.h"
#include "platform/PreviewBackend.h"
#include "platform/PrintBackend.h"
#include "platform/RecordingBackend.h"
#include "report/vxKojin.h"

#include <QGroupBox>
#include <QLabel>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_ReportWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void load_schoolLineAndClass();
    void perTermView_showsTheStoredFigures();
    void cumulativeView_yearEndGivesFourPanels_data();
    void cumulativeView_yearEndGivesFourPanels();
    void grade2_headings();
    void moves_goRoundTheClass_data();
    void moves_goRoundTheClass();
    void print_all_onePagePerPupilInOrder();
    void print_failedJob_saysSoAndNotSent();
    void print_withPreview_sendsOnlyOnPrint_data();
    void print_withPreview_sendsOnlyOnPrint();
    void print_emptyClass_isRefusedAndStartsNoJob();
    void badTerm_isRefusedBackToTheMainWindow();

private:
    // A class of `pupils` pupils loaded, then the report window opened.
    void open(int pupils, const QString& name = u"5年1組"_s, int term = 1);
    QString text(const QString& name) { return d->find<QLabel>(u"vxKojin"_s, name)->text(); }
    vxKojin* win() { return d->forms().get<vxKojin>(u"vxKojin"_s); }
    std::unique_ptr<WindowDriver> d;
};

void tst_ReportWindow::init() {
    d = std::make_unique<WindowDriver>();
}

void tst_ReportWindow::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    d.reset();
}

void tst_ReportWindow::open(int pupils, const QString& name, int term) {
    d->startWithClass(u"5-1"_s, name, pupils);
    VOXA1& c = d->c();
    c.CityName = u"横浜市中区"_s;
    c.SchoolName = u"山下小学校"_s;
    c.CurTerm = static_cast<qint16>(term);
    for (int s = 1; s <= 5; ++s)
        for (int v = 1; v <= 3; ++v)
            c.ViewName(s, v) = u"観%1点%2"_s.arg(s).arg(v);
    d->trigger(u"vxMain"_s, u"Kojin"_s); // the toolbar button
    QVERIFY(win());
}

void tst_ReportWindow::load_schoolLineAndClass() {
    open(3);
    QCOMPARE(text(u"Label1"_s), u"横浜市立山下小学校"_s);
    QCOMPARE(text(u"Label2"_s), u"5年1組"_s);
    QCOMPARE(text(u"Label3"_s), u"1"_s);
    QCOMPARE(win()->CurPno(), 1);
    QCOMPARE(win()->ViewMode(), 0);
    QCOMPARE(d->c().ClassNo, qint16(1));
}

void tst_ReportWindow::perTermView_showsTheStoredFigures() {
    open(3, u"5年1組"_s, 2);
    PupilRec& p = d->c().Pupil(1);
    p.ViewRate(2, 3, 2) = 84.5;
    p.ViewMark(2, 3, 2) = u"○"_s;
    p.SubjRate(2, 4) = 0;
    p.SubjDev(2, 4) = 49.5;
    p.SubjMark(2, 4) = u"２"_s;
    d->click(u"vxKojin"_s, u"Command3D3"_s);
    QCOMPARE(d->find<QGroupBox>(u"vxKojin"_s, u"Frame3D3(0)"_s)->title(), u"2学期"_s);
    QCOMPARE(text(u"Label15(0)"_s), u"２学期"_s);
    QVERIFY(!d->find<QGroupBox>(u"vxKojin"_s, u"Frame3D3(1)"_s)->isVisible());
    // 算数 is data subject 3: column 2, viewpoint 2 -> box 0 * 16 + 2 * 4 + 1.
    QCOMPARE(text(u"Label6(9)"_s), u"85"_s);
    QCOMPARE(text(u"Label13(9)"_s), u"○"_s);
    QCOMPARE(text(u"Label9(3)"_s), QString()); // 0 shows as an empty box
    QCOMPARE(text(u"Label11(3)"_s), u"50"_s);
    QCOMPARE(text(u"Label14(3)"_s), u"２"_s);
    QCOMPARE(text(u"Label7(1)"_s), u"社会"_s);
    QCOMPARE(text(u"Label5(4)"_s), u"観2点1"_s);
    QCOMPARE(text(u"Label16"_s), u"1"_s);
    QCOMPARE(text(u"Label17"_s).trimmed(), u"生徒1"_s);
    QCOMPARE(d->find<QPushButton>(u"vxKojin"_s, u"Command3D3"_s)->property("appearance").toInt(), 1);
    QCOMPARE(d->find<QPushButton>(u"vxKojin"_s, u"Command3D4"_s)->property("appearance").toInt(), 3);
}

void tst_ReportWindow::cumulativeView_yearEndGivesFourPanels_data() {
    QTest::addColumn<QString>("yearMark");
    QTest::addColumn<int>("panels");
    QTest::newRow("year-end done") << u"O"_s << 4;
    QTest::newRow("year-end not done") << QString() << 3;
}

void tst_ReportWindow::cumulativeView_yearEndGivesFourPanels() {
    QFETCH(QString, yearMark);
    QFETCH(int, panels);
    d->writeClass(u"5-1"_s, 2);
    open(2, u"5年1組"_s, 3);
    d->c().CalcMark(4, 1) = yearMark;
    d->c().Pupil(1).SubjRate(4, 1) = 77;
    d->click(u"vxKojin"_s, u"Command3D2"_s);
    d->trigger(u"vxMain"_s, u"mnuKojin"_s);
    QCOMPARE(win()->ShowTerms(), panels);
    d->click(u"vxKojin"_s, u"Command3D4"_s);
    QVERIFY(d->find<QGroupBox>(u"vxKojin"_s, u"Frame3D3(3)"_s)->isVisible());
    QCOMPARE(text(u"Label15(2)"_s), u"３学期"_s);
    QCOMPARE(text(u"Label15(3)"_s), panels == 4 ? u"要　録"_s : QString());
    QCOMPARE(text(u"Label9(12)"_s), panels == 4 ? u"77"_s : QString());
}

void tst_ReportWindow::grade2_headings() {
    open(2, u"2年3組"_s);
    d->click(u"vxKojin"_s, u"Command3D3"_s);
    QCOMPARE(text(u"Label7(0)"_s), u"国語"_s);
    QCOMPARE(text(u"Label7(1)"_s), u"算数"_s);
    QCOMPARE(text(u"Label7(2)"_s), u"生活"_s);
    QCOMPARE(text(u"Label7(3)"_s), QString());
    QCOMPARE(text(u"Label5(8)"_s), u"観5点1"_s);
    QCOMPARE(text(u"Label5(12)"_s), QString());
}

void tst_ReportWindow::moves_goRoundTheClass_data() {
    QTest::addColumn<int>("pupils");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("to");
    QTest::newRow("30: +5 from 28") << 30 << 28 << 1 << 3;
    QTest::newRow("30: -5 from 2") << 30 << 2 << 3 << 27;
    QTest::newRow("30: Next from 30") << 30 << 30 << 0 << 1;
    QTest::newRow("30: Back from 1") << 30 << 1 << 2 << 30;
    QTest::newRow("3: +5 from 1") << 3 << 1 << 1 << 3;
    QTest::newRow("3: -5 from 1") << 3 << 1 << 3 << 2;
    QTest::newRow("1: Next from 1") << 1 << 1 << 0 << 1;
}

void tst_ReportWindow::moves_goRoundTheClass() {
    QFETCH(int, pupils);
    QFETCH(int, from);
    QFETCH(int, button);
    QFETCH(int, to);
    open(pupils);
    d->click(u"vxKojin"_s, u"Command3D3"_s);
    for (int i = 1; i < from; ++i)
        d->click(u"vxKojin"_s, u"Command3D5(0)"_s);
    QCOMPARE(win()->CurPno(), from);
    d->click(u"vxKojin"_s, u"Command3D5(%1)"_s.arg(button));
    QCOMPARE(win()->CurPno(), to);
    QCOMPARE(text(u"Label16"_s), QString::number(to));
}

void tst_ReportWindow::print_all_onePagePerPupilInOrder() {
    open(4);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxKojin"_s, u"Command2"_s);
    QCOMPARE(MsgBox::shown()[0].text, u"今から印刷を開始します、\r\nプリンターの準備をしてください"_s);
    QCOMPARE(MsgBox::shown()[1].text,
             u"印刷データをプリンタに送りました。\r\nまもなくプリンターから印刷されます。"_s);
    QCOMPARE(RecordingBackend::documents().size(), std::size_t(1));
    const auto& doc = RecordingBackend::documents()[0];
    QVERIFY(doc.ended);
    QCOMPARE(doc.pages, 4);
    for (int page = 1; page <= 4; ++page) {
        QVERIFY(doc.find(page, u"生徒%1"_s.arg(page).leftJustified(7)));
        QVERIFY(doc.find(page, NumberFormat::withBlank(page) + u"番"_s));
    }
    // 今の児童: one page, the pupil on display.
    d->click(u"vxKojin"_s, u"Command3D5(0)"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxKojin"_s, u"Command1"_s);
    QCOMPARE(RecordingBackend::documents()[1].pages, 1);
    QVERIFY(RecordingBackend::documents()[1].find(1, u" 2番"_s));
}

void tst_ReportWindow::print_withPreview_sendsOnlyOnPrint_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("pdfName"); // PDFに保存: the name given in the save dialog
    QTest::newRow("閉じる") << int(PreviewBackend::Choice::Close) << QString();
    QTest::newRow("印刷") << int(PreviewBackend::Choice::Print) << QString();
    QTest::newRow("PDFに保存") << int(PreviewBackend::Choice::SavePdf) << u"kojin"_s;
    QTest::newRow("PDFに保存, cancelled") << int(PreviewBackend::Choice::SavePdf) << QString();
}

void tst_ReportWindow::print_withPreview_sendsOnlyOnPrint() {
    QFETCH(int, choice);
    QFETCH(QString, pdfName);
    // The teacher turns the preview on in the 学級 menu of the main window, then prints the class.
    d->startWithClass(u"5-1"_s, u"5年1組"_s, 3);
    auto* item = d->forms().find(u"vxMain"_s)->findChild<QAction*>(u"mnuPreview"_s);
    QVERIFY(item && item->isCheckable() && !item->isChecked());
    item->trigger();
    QVERIFY(PrintBackend::previewOn());
    d->trigger(u"vxMain"_s, u"Kojin"_s);
    QVERIFY(win());

    const auto how = static_cast<PreviewBackend::Choice>(choice);
    PreviewBackend::queueChoice(how);
    const QString pdf = pdfName.isEmpty() ? QString() : d->home().file(pdfName);
    if (how == PreviewBackend::Choice::SavePdf)
        Dialogs::queueResult(pdf);
    MsgBox::queueAnswer(MsgBox::Ok); // 今から印刷を開始します
    const bool told = how == PreviewBackend::Choice::Print || !pdf.isEmpty();
    if (told)
        MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxKojin"_s, u"Command2"_s);

    QCOMPARE(PreviewBackend::previewsShown(), QList<int>{3}); // three pages, shown once
    QCOMPARE(PreviewBackend::unanswered(), 0);
    QCOMPARE(MsgBox::shown().size(), told ? 2 : 1);
    // Only 印刷 reaches the printer, with every page; nothing else is sent or said to be.
    QCOMPARE(RecordingBackend::documents().size(), std::size_t(how == PreviewBackend::Choice::Print ? 1 : 0));
    if (how == PreviewBackend::Choice::Print) {
        QCOMPARE(RecordingBackend::documents()[0].pages, 3);
        QVERIFY(RecordingBackend::documents()[0].ended);
        // The queue lists the job by what it is, and the pointer was busy while it was drawn.
        QCOMPARE(RecordingBackend::documents()[0].docName, u"個人票 5年1組"_s);
        QVERIFY(RecordingBackend::documents()[0].busyWhileDrawn);
        QCOMPARE(MsgBox::shown()[1].text,
                 u"印刷データをプリンタに送りました。\r\nまもなくプリンターから印刷されます。"_s);
    }
    if (!pdf.isEmpty()) {
        QVERIFY(QFileInfo(pdf + u".pdf"_s).size() > 1000);
        // The message names the file where the file manager finds it, and only its owner can read it.
        QCOMPARE(MsgBox::shown()[1].text, u"印刷データをPDFファイルに保存しました。\r\n"_s +
                                              QDir::toNativeSeparators(pdf + u".pdf"_s));
        QCOMPARE(QFileInfo(pdf + u".pdf"_s).permissions() &
                     (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
    }
    for (const auto& box : MsgBox::shown())
        if (how != PreviewBackend::Choice::Print)
            QVERIFY(!box.text.startsWith(u"印刷データをプリンタに送りました。"_s));
}

void tst_ReportWindow::print_failedJob_saysSoAndNotSent() {
    open(2);
    RecordingBackend::failNextJob(RecordingBackend::Failure::AtEnd);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxKojin"_s, u"Command2"_s);
    QVERIFY(MsgBox::shown().last().text.startsWith(u"印刷できませんでした。"_s));
    for (const auto& box : MsgBox::shown())
        QVERIFY(!box.text.startsWith(u"印刷データをプリンタに送りました。"_s));
}

void tst_ReportWindow::print_emptyClass_isRefusedAndStartsNoJob() {
    open(0);
    d->c().Pupil(1).PName = u"前の学級の子"_s; // left in memory by another class
    for (const QString& button : {u"Command1"_s, u"Command2"_s}) {
        MsgBox::queueAnswer(MsgBox::Ok);
        d->click(u"vxKojin"_s, button);
        QCOMPARE(MsgBox::shown().last().text, u"児童を選んでください"_s);
    }
    QVERIFY(RecordingBackend::documents().empty());
    // The moves do nothing either.
    d->click(u"vxKojin"_s, u"Command3D5(0)"_s);
    QCOMPARE(win()->CurPno(), 1);
}

void tst_ReportWindow::badTerm_isRefusedBackToTheMainWindow() {
    d->startWithClass(u"5-1"_s, u"5年1組"_s, 3);
    d->c().CurTerm = 0;
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuKojin"_s);
    QCOMPARE(MsgBox::shown().last().text, u"現在の学期の設定が正しくありません。"_s);
    QVERIFY(d->forms().find(u"vxMain"_s)->isVisible());
    QVERIFY(!d->forms().isLoaded(u"vxKojin"_s));
}

QTEST_MAIN(tst_ReportWindow)
#include "tst_ReportWindow.moc"

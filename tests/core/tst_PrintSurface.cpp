#include "TestSupport.h"
#include "core/NumberFormat.h"
#include "core/PrintSurface.h"
#include "platform/DosPath.h"
#include "platform/PainterBackend.h"
#include "platform/RecordingBackend.h"

#include <QPrinter>
#include <QtTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// A page like the printed lists: a heading, a row of Tab items, a ruled box, then a second page.
void printSample(PrintSurface& ps) {
    QVERIFY(ps.PageSetup());
    ps.Print({{4, u"個人票"_s},
              {14, u"横浜市立みなと小学校"_s},
              {41, u" 5"_s},
              {44, u"年"_s},
              {47, u"1"_s},
              {50, u"組"_s},
              {58, u"17番"_s},
              {68, u"名前"_s},
              {74, u"山﨑　髙子"_s}});
    ps.NewLine();
    ps.Print({{10, u"国　語"_s}, {32, u"社　会"_s}, {56, u"算　数"_s}, {80, u"理　科"_s}});
    const double w = ps.TextWidth(u"あ"_s);
    const double h = ps.TextHeight(u"あ"_s);
    ps.Box(1, 4, 1 + 45 * w, 4 + 3 * h);
    ps.setCurrentX(0);
    ps.setCurrentY(5);
    // A column left of the current position continues on the next line.
    ps.Print({{2, u"１学期"_s},
              {3, NumberFormat::format(84.5, u"###"_s)},
              {9, NumberFormat::format(0, u"###"_s)},
              {15, NumberFormat::format(72.26, u"###.#"_s)}});
    ps.NewPage();
    ps.Print({{17, u"2"_s}, {20, u"次のページ"_s}});
    QVERIFY(ps.EndDoc());
}

} // namespace

class tst_PrintSurface : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { TestSupport::useTestDoubles(); }
    void samplePage_recording_placesTextOnTheCharacterGrid();
    void samplePage_pdf_hasTwoPagesInTheJapaneseFont();
    void create_inTests_recordsTheJob();
    void failedStart_drawsNothingAndEndDocReportsIt();
    void failedSend_isReported();
    void abandonedJob_isAbortedNotSent();
    void abandonedPdf_leavesNoFile();
    void pageBreakAtTheEnd_leavesNoBlankPage();
    void afterEndDoc_nextPrintStartsANewJob();
    void printerSetupChoices_stayForTheNextJobs();
    void pageWiderThanThePaper_isScaledDownNotCut_data();
    void pageWiderThanThePaper_isScaledDownNotCut();
};

void tst_PrintSurface::samplePage_recording_placesTextOnTheCharacterGrid() {
    RecordingBackend::Document doc;
    PrintSurface ps(std::make_unique<RecordingBackend>(&doc));
    printSample(ps);
    QVERIFY(doc.ended);
    QCOMPARE(doc.pages, 2);

    // The job's opening empty line leaves the heading on line 1.
    const auto* heading = doc.find(1, u"個人票"_s);
    QVERIFY(heading);
    QCOMPARE(heading->line(), 1);
    QCOMPARE(heading->column(), 4);
    const auto* name = doc.find(1, u"山﨑　髙子"_s);
    QVERIFY(name);
    QCOMPARE(name->column(), 74);
    QCOMPARE(name->line(), 1);
    QCOMPARE(doc.find(1, u"社　会"_s)->line(), 3);

    // Tab(3) after "１学期" (which ends at column 8) goes to the next line.
    QCOMPARE(doc.find(1, u"１学期"_s)->line(), 6);
    const auto* score = doc.find(1, u"85"_s);
    QVERIFY(score);
    QCOMPARE(score->line(), 7);
    QCOMPARE(score->column(), 3);
    QCOMPARE(doc.find(1, u"72.3"_s)->column(), 15);
    QCOMPARE(doc.find(2, u"2"_s)->line(), 1);
    QCOMPARE(doc.find(2, u"2"_s)->column(), 17);

    const QStringList lines = doc.pageLines(1);
    const QString expected = u"   個人票"_s + QString(4, u' ') + u"横浜市立みなと小学校"_s +
                             QString(7, u' ') + u" 5"_s + u" 年 1  組"_s + QString(6, u' ') + u"17番"_s +
                             QString(6, u' ') + u"名前  山﨑　髙子"_s;
    QCOMPARE(lines[0], expected);

    // The box is four rules in cell units.
    QCOMPARE(doc.rules.size(), 4);
    QCOMPARE(doc.rules[0].col1, 1.0);
    QCOMPARE(doc.rules[0].col2, 91.0);
    QCOMPARE(doc.rules[1].row2, 7.0);
}

void tst_PrintSurface::samplePage_pdf_hasTwoPagesInTheJapaneseFont() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"sample.pdf"_s);
    {
        PrintSurface ps(std::make_unique<PainterBackend>(pdf));
        printSample(ps);
        // The file is named as the teacher knows paths: with a drive letter.
        QVERIFY2(ps.doneMessage().contains(QDir::toNativeSeparators(pdf)), qPrintable(ps.doneMessage()));
        QVERIFY(DosPath::hasDrive(DosPath::fromNative(pdf)));
    }
    const QByteArray bytes = TestSupport::readFile(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 2);
    QVERIFY2(bytes.contains("IPAGothic"), "the page font is not IPAGothic");
    const QString keep = qEnvironmentVariable("VOXA_KEEP_PDF");
    if (!keep.isEmpty()) {
        QFile::remove(keep);
        QVERIFY(QFile::copy(pdf, keep));
    }
}

void tst_PrintSurface::create_inTests_recordsTheJob() {
    {
        PrintSurface ps;
        ps.Print(u"テスト"_s);
        QVERIFY(ps.EndDoc());
        QCOMPARE(ps.doneMessage(),
                 u"印刷データをプリンタに送りました。\r\nまもなくプリンターから印刷されます。"_s);
    }
    QCOMPARE(RecordingBackend::documents().size(), 1);
    QCOMPARE(RecordingBackend::documents()[0].items[0].text, u"テスト"_s);
    QCOMPARE(PrintSurface::startMessage(), u"今から印刷を開始します、\r\nプリンターの準備をしてください"_s);
}

void tst_PrintSurface::failedStart_drawsNothingAndEndDocReportsIt() {
    RecordingBackend::failNextJob(RecordingBackend::Failure::AtStart);
    PrintSurface ps;
    QVERIFY(!ps.PageSetup());
    QCOMPARE(ps.job(), PrintSurface::Job::Failed);
    ps.Print(u"テスト"_s);
    ps.Line(0, 0, 10, 0);
    ps.NewPage();
    // No second try inside the same job.
    QVERIFY(!ps.PageSetup());
    QVERIFY(!ps.EndDoc());
    QCOMPARE(ps.errorText(), u"プリンターに印刷を始められませんでした。"_s);
    QCOMPARE(RecordingBackend::documents().size(), 1);
    const RecordingBackend::Document& doc = RecordingBackend::documents()[0];
    QVERIFY(doc.items.isEmpty());
    QVERIFY(doc.rules.isEmpty());
    QVERIFY(!doc.ended);
}

void tst_PrintSurface::failedSend_isReported() {
    RecordingBackend::failNextJob(RecordingBackend::Failure::AtEnd);
    PrintSurface ps;
    ps.Print(u"テスト"_s);
    QVERIFY(!ps.EndDoc());
    QCOMPARE(ps.errorText(), u"印刷データをプリンタに送れませんでした。"_s);
    QVERIFY(!RecordingBackend::documents()[0].ended);
    // The failure was used up: the next job goes through.
    ps.Print(u"もう一度"_s);
    QVERIFY(ps.EndDoc());
    QCOMPARE(RecordingBackend::documents().size(), 2);
    QVERIFY(RecordingBackend::documents()[1].ended);
}

void tst_PrintSurface::abandonedJob_isAbortedNotSent() {
    {
        PrintSurface ps;
        ps.Print(u"途中まで"_s);
    }
    const RecordingBackend::Document& doc = RecordingBackend::documents()[0];
    QVERIFY(doc.aborted);
    QVERIFY(!doc.ended);
}

void tst_PrintSurface::abandonedPdf_leavesNoFile() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"half.pdf"_s);
    {
        PrintSurface ps(std::make_unique<PainterBackend>(pdf));
        ps.Print(u"途中まで"_s);
    }
    QVERIFY(!QFile::exists(pdf));
}

void tst_PrintSurface::pageBreakAtTheEnd_leavesNoBlankPage() {
    RecordingBackend::Document doc;
    {
        PrintSurface ps(std::make_unique<RecordingBackend>(&doc));
        ps.Print(u"1ページ目"_s);
        ps.NewPage();
        QVERIFY(ps.EndDoc());
    }
    QCOMPARE(doc.pages, 1);
    {
        PrintSurface ps(std::make_unique<RecordingBackend>(&doc));
        ps.Print(u"1ページ目"_s);
        ps.NewPage();
        ps.Line(0, 0, 5, 0);
        QVERIFY(ps.EndDoc());
    }
    QCOMPARE(doc.pages, 2);
    QCOMPARE(doc.rules[0].page, 2);
}

void tst_PrintSurface::afterEndDoc_nextPrintStartsANewJob() {
    PrintSurface ps;
    ps.Print(u"一人目"_s);
    QVERIFY(ps.EndDoc());
    ps.Print(u"二人目"_s);
    QVERIFY(ps.EndDoc());
    QCOMPARE(RecordingBackend::documents().size(), 2);
    QCOMPARE(RecordingBackend::documents()[0].items[0].text, u"一人目"_s);
    QCOMPARE(RecordingBackend::documents()[1].items[0].text, u"二人目"_s);
}

void tst_PrintSurface::printerSetupChoices_stayForTheNextJobs() {
    // The teacher chose A5 landscape in 印刷設定 (the printer here writes to a file).
    QTemporaryDir dir;
    QPrinter& printer = PrintBackend::sharedPrinter();
    printer.setOutputFileName(dir.filePath(u"job.pdf"_s));
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape,
                                      QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    for (int job = 0; job < 2; ++job) {
        PrintSurface ps(std::make_unique<PainterBackend>());
        ps.Print(u"テスト"_s);
        QVERIFY(ps.EndDoc());
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A5);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(20, 20, 20, 20));
    }
    // A5 landscape is 595 x 420 points (A4 portrait would be 595 x 842).
    const QByteArray bytes = TestSupport::readFile(dir.filePath(u"job.pdf"_s));
    const qsizetype box = bytes.indexOf("/MediaBox [");
    QVERIFY(box >= 0);
    const QList<QByteArray> numbers = bytes.mid(box + 11, 40).split(']').first().split(' ');
    QCOMPARE(qRound(numbers.value(2).toDouble()), 595);
    QCOMPARE(qRound(numbers.value(3).toDouble()), 420);
    printer.setOutputFileName(QString());
}

void tst_PrintSurface::pageWiderThanThePaper_isScaledDownNotCut_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<bool>("scaled");
    QTest::newRow("A4 portrait: 92 columns fit") << int(QPageSize::A4) << false;
    QTest::newRow("A5 portrait: scaled down") << int(QPageSize::A5) << true;
}

void tst_PrintSurface::pageWiderThanThePaper_isScaledDownNotCut() {
    QFETCH(int, paper);
    QFETCH(bool, scaled);
    QTemporaryDir dir;
    QPrinter& printer = PrintBackend::sharedPrinter();
    printer.setOutputFileName(dir.filePath(u"job.pdf"_s));
    printer.setPageLayout(QPageLayout(QPageSize(static_cast<QPageSize::PageSizeId>(paper)),
                                      QPageLayout::Portrait, QMarginsF(6, 10, 6, 10),
                                      QPageLayout::Millimeter));
    auto backend = std::make_unique<PainterBackend>();
    PainterBackend* painter = backend.get();
    PrintSurface ps(std::move(backend));
    ps.setPageColumns(92);
    QVERIFY(ps.PageSetup());
    const double expected = printer.width() / (92 * printer.logicalDpiX() / 12.0);
    if (scaled)
        QVERIFY2(std::fabs(painter->pageScale() - expected) < 1e-6,
                 qPrintable(QString::number(painter->pageScale())));
    else
        QCOMPARE(painter->pageScale(), 1.0);
    QVERIFY(ps.EndDoc());
    printer.setOutputFileName(QString());
    printer.setPageLayout(PainterBackend::defaultPageLayout());
}

QTEST_MAIN(tst_PrintSurface)
#include "tst_PrintSurface.moc"

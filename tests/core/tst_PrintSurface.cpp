#include "TestSupport.h"
#include "core/NumberFormat.h"
#include "core/PrintSurface.h"
#include "platform/PainterBackend.h"
#include "platform/RecordingBackend.h"

#include <QtTest>

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
        QVERIFY(ps.doneMessage().contains(QDir::toNativeSeparators(pdf)));
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

QTEST_MAIN(tst_PrintSurface)
#include "tst_PrintSurface.moc"

// The printed individual report, item by item on the recording back end.

#include "TestSupport.h"
#include "core/PrintSurface.h"
#include "core/VOXA1.h"
#include "platform/Cp932.h"
#include "platform/RecordingBackend.h"
#include "report/ReportPage.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
using Doc = RecordingBackend::Document;

VOXA1 classOf(int grade, int term) {
    VOXA1 c;
    c.ClassName = u"%1年1組"_s.arg(grade);
    c.SplitClassName();
    c.CityName = u"横浜市中区"_s;
    c.SchoolName = u"山下小学校"_s;
    c.CurTerm = static_cast<qint16>(term);
    c.ClassSize = 12;
    for (int s = 1; s <= 5; ++s)
        for (int v = 1; v <= 3; ++v)
            c.ViewName(s, v) = u"観%1点%2"_s.arg(s).arg(v);
    for (int p = 1; p <= 12; ++p)
        c.Pupil(p).PName = u"生徒%1"_s.arg(p);
    return c;
}

// The item of the page with this text, as (line, column); (0, 0) when there is none.
QPair<int, int> at(const Doc& d, int page, const QString& text) {
    const RecordingBackend::Item* i = d.find(page, text);
    return i ? qMakePair(i->line(), i->column()) : qMakePair(0, 0);
}

Doc printOne(const VOXA1& c, int p) {
    Doc doc;
    {
        PrintSurface ps(std::make_unique<RecordingBackend>(&doc));
        ReportPage::kojin_page(ps, c, p, ReportPage::ShowTerms(c));
        ps.EndDoc();
    }
    return doc;
}
} // namespace

class tst_ReportPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { TestSupport::useTestDoubles(); }
    void grade5_headingAndColumns();
    void grade5_term3WithYearEnd_fourBlocks_data();
    void grade5_term3WithYearEnd_fourBlocks();
    void grade2_threeGroupsOverTheirColumns();
    void rounding_andLongNames_data();
    void rounding_andLongNames();
    void schoolLine_cutBeforeTheGrade();
};

void tst_ReportPage::grade5_headingAndColumns() {
    VOXA1 c = classOf(5, 1);
    c.ViewName(4, 4) = u"理四"_s;
    PupilRec& p = c.Pupil(12);
    p.PName = u"青木　一郎"_s;
    p.ViewRate(1, 2, 3) = 72.4;
    p.ViewMark(1, 2, 3) = u"◎"_s;
    p.SubjRate(1, 4) = 84.5;
    p.SubjDev(1, 4) = 49.5;
    p.SubjMark(1, 4) = u"３"_s;
    const Doc d = printOne(c, 12);
    QCOMPARE(d.pages, 1);
    QVERIFY(d.ended);
    QCOMPARE(at(d, 1, u"個人票"_s), qMakePair(1, 4));
    QCOMPARE(at(d, 1, u"横浜市立山下小学校"_s), qMakePair(1, 14));
    QCOMPARE(at(d, 1, u" 5"_s), qMakePair(1, 41));
    QCOMPARE(at(d, 1, u"年"_s), qMakePair(1, 44));
    QCOMPARE(at(d, 1, u" 1"_s), qMakePair(1, 47));
    QCOMPARE(at(d, 1, u"組"_s), qMakePair(1, 50));
    QCOMPARE(at(d, 1, u" 12番"_s), qMakePair(1, 58));
    QCOMPARE(at(d, 1, u"名前"_s), qMakePair(1, 68));
    QCOMPARE(at(d, 1, u"青木　一郎  "_s), qMakePair(1, 74));
    QCOMPARE(at(d, 1, u"国　語"_s), qMakePair(3, 10));
    QCOMPARE(at(d, 1, u"社　会"_s), qMakePair(3, 32));
    QCOMPARE(at(d, 1, u"算　数"_s), qMakePair(3, 56));
    QCOMPARE(at(d, 1, u"理　科"_s), qMakePair(3, 80));
    // Viewpoint names, first two characters, of each subject's own slot.
    QCOMPARE(at(d, 1, u"観2"_s), qMakePair(4, 26));
    QCOMPARE(at(d, 1, u"観4"_s), qMakePair(4, 72));
    QCOMPARE(at(d, 1, u"１学期"_s), qMakePair(6, 2));
    // 社会 (group 2), viewpoint 3: value column 39; the mark below it.
    QCOMPARE(at(d, 1, u"72"_s), qMakePair(7, 39));
    QCOMPARE(at(d, 1, u"◎"_s), qMakePair(8, 39));
    // 理科 (group 4): 平均 at 72, 85 at 79, 偏差 at 84, 50 at 90; 評定 at 74, ３ at 88.
    QCOMPARE(at(d, 1, u"85"_s), qMakePair(9, 79));
    QCOMPARE(at(d, 1, u"50"_s), qMakePair(9, 90));
    QCOMPARE(at(d, 1, u"３"_s), qMakePair(10, 88));
    int averages = 0;
    for (const auto& i : d.items)
        averages += i.text == u"平均"_s;
    QCOMPARE(averages, 4);
    // A box round the term block and rules between the four groups.
    QVERIFY(d.rules.size() >= 4 + 3);
    double right = 0;
    for (const auto& r : d.rules) {
        QVERIFY(r.col1 <= ReportPage::kPageColumns && r.col2 <= ReportPage::kPageColumns);
        right = qMax(right, qMax(r.col1, r.col2));
    }
    // Every text stands inside the frame, 理科's fourth viewpoint name too, and off its rules.
    QCOMPARE(at(d, 1, u"理四"_s), qMakePair(4, 90));
    for (const auto& i : d.items) {
        QVERIFY2(i.col + Cp932::cellWidth(i.text) <= right - 0.5, qPrintable(i.text));
        for (const auto& r : d.rules)
            if (r.row1 == r.row2 && r.col1 <= i.col && i.col <= r.col2)
                QVERIFY2(r.row1 != i.row && r.row1 != i.row + 1, qPrintable(i.text));
    }
}

void tst_ReportPage::grade5_term3WithYearEnd_fourBlocks_data() {
    QTest::addColumn<QString>("yearMark");
    QTest::addColumn<int>("blocks");
    QTest::newRow("year-end done") << u"O"_s << 4;
    QTest::newRow("year-end not done") << QString() << 3;
}

void tst_ReportPage::grade5_term3WithYearEnd_fourBlocks() {
    QFETCH(QString, yearMark);
    QFETCH(int, blocks);
    VOXA1 c = classOf(5, 3);
    c.CalcMark(4, 1) = yearMark;
    c.Pupil(1).SubjRate(4, 1) = 91;
    const Doc d = printOne(c, 1);
    QCOMPARE(ReportPage::ShowTerms(c), blocks);
    QCOMPARE(at(d, 1, u"３学期"_s), qMakePair(18, 2));
    QCOMPARE(at(d, 1, u"要　録"_s), blocks == 4 ? qMakePair(24, 2) : qMakePair(0, 0));
    QCOMPARE(at(d, 1, u"91"_s), blocks == 4 ? qMakePair(27, 9) : qMakePair(0, 0));
}

void tst_ReportPage::grade2_threeGroupsOverTheirColumns() {
    VOXA1 c = classOf(2, 1);
    PupilRec& p = c.Pupil(1);
    p.ViewRate(1, 2, 1) = 66;   // 算数 (data subject 2), viewpoint 1
    p.SubjMark(1, 3) = u"２"_s; // 生活 (data subject 3)
    const Doc d = printOne(c, 1);
    QCOMPARE(at(d, 1, u"国　語"_s), qMakePair(3, 10));
    QCOMPARE(at(d, 1, u"算　数"_s), qMakePair(3, 32));
    QCOMPARE(at(d, 1, u"生　活"_s), qMakePair(3, 56));
    QCOMPARE(at(d, 1, u"理　科"_s), qMakePair(0, 0));
    // The second group holds 算数's names (slot 3), the third 生活's (slot 5).
    QCOMPARE(at(d, 1, u"観3"_s).second, 26);
    QCOMPARE(at(d, 1, u"観5"_s).second, 48);
    QCOMPARE(at(d, 1, u"66"_s), qMakePair(7, 27));
    QCOMPARE(at(d, 1, u"２"_s), qMakePair(10, 64));
    int averages = 0;
    for (const auto& i : d.items)
        averages += i.text == u"平均"_s;
    QCOMPARE(averages, 3);
}

void tst_ReportPage::rounding_andLongNames_data() {
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("printed");
    QTest::newRow("84.5 prints 85") << 84.5 << u"85"_s;
    QTest::newRow("49.5 prints 50") << 49.5 << u"50"_s;
    QTest::newRow("0 prints nothing") << 0.0 << QString();
    QTest::newRow("NaN prints nothing") << std::numeric_limits<double>::quiet_NaN() << QString();
}

void tst_ReportPage::rounding_andLongNames() {
    QFETCH(double, rate);
    QFETCH(QString, printed);
    VOXA1 c = classOf(4, 1);
    c.Pupil(3).PName = u"佐々木ノ宮左衛門太郎"_s;
    c.Pupil(3).SubjRate(1, 1) = rate;
    const Doc d = printOne(c, 3);
    QCOMPARE(at(d, 1, u"佐々木ノ宮左衛"_s), qMakePair(1, 74));
    const QString line = d.pageLines(1).value(8);
    // Column 9 of the average line: the rounded figure, or nothing.
    QCOMPARE(line.mid(line.indexOf(u"平均"_s) + 2, 5).trimmed(), printed);
}

void tst_ReportPage::schoolLine_cutBeforeTheGrade() {
    VOXA1 c = classOf(5, 1);
    c.CityName = u"北海道札幌市中央区"_s;
    c.SchoolName = u"ひがしみなみきたにし第一小"_s;
    const QString line = ReportPage::headingSchoolLine(c);
    QVERIFY(Cp932::cellWidth(line) <= 27);
    QVERIFY(line.startsWith(u"北海道札幌市立ひがし"_s));
    const Doc d = printOne(c, 1);
    // The grade stays on the heading line.
    QCOMPARE(at(d, 1, u" 5"_s), qMakePair(1, 41));
}

QTEST_GUILESS_MAIN(tst_ReportPage)
#include "tst_ReportPage.moc"

// Allocations, scores, absences, averages, clearing and deleting sheets, without the window.

#include "TestSupport.h"
#include "core/ScoreCode.h"
#include "core/VOXA1.h"
#include "scores/TestSheets.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace TestSheets;

namespace {
int pos(int v, int n) {
    return n + (v - 1) * 20;
}

// A grade 5 class of `pupils` pupils, term 1, saved in a temporary home.
void makeClass(VOXA1& c, int pupils) {
    c = VOXA1();
    c.ClassPath = u"C:\\5-1"_s;
    c.ClassName = u"5年1組"_s;
    c.SplitClassName();
    c.CurTerm = 1;
    c.ClassSize = static_cast<qint16>(pupils);
    for (int p = 1; p <= pupils; ++p)
        c.RecNo(p) = QString::number(p);
}

// Sheet n of subject 1: allocation 40/60 on viewpoints 1 and 2, pupil p scores (p + n) and (n).
void fillSheet(VOXA1& c, Allocations& a, int n) {
    a.points(1, 1, n) = 40;
    a.points(1, 2, n) = 60;
    storeAllocation(c, a, 1, n, 1);
    EntryScores e{};
    for (int p = 1; p <= c.ClassSize; ++p) {
        e(1, p) = p + n;
        e(2, p) = n;
    }
    storeScores(c, e, 1, n, 1);
}
} // namespace

class tst_TestSheets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void allocation_everyValueRoundTrips();
    void totals_andSheetMarks_data();
    void totals_andSheetMarks();
    void scores_97to100_surviveStoreAndLoad();
    void absence_storesKeAtTheFourPositions();
    void loadScores_clearsMarksLeftFromAnotherPupil();
    void average_leavesAbsentPupilsOut();
    void average_nobodyPresent_isNothing();
    void deleteSheet1_of3_movesTheOthersDownAndEmptiesTheLast();
    void deleteSheet2_absenceOnSheet4_movesToSheet3();
    void deleteSheet20_emptiesIt();
    void clearSheet_keepsAbsencesAndTurnsMarkToMi();
    void earlierTerms_data();
    void earlierTerms();
    void viewpointUsed_data();
    void viewpointUsed();
    void numericValue_data();
    void numericValue();
    void rowCells_presentAndAbsent();
    void subjects_byGrade();

private:
    std::unique_ptr<TestSupport::TempHome> home;
    VOXA1 c;
};

void tst_TestSheets::init() {
    TestSupport::useTestDoubles();
    home = std::make_unique<TestSupport::TempHome>();
    makeClass(c, 3);
}

void tst_TestSheets::allocation_everyValueRoundTrips() {
    Allocations a;
    for (int x = 0; x <= 100; ++x) {
        a.points(2, 3, 7) = x;
        storeAllocation(c, a, 2, 7, 1);
        const unsigned char code = c.SheetSetup(2, 1).at(pos(3, 7));
        QCOMPARE(int(code), x == 100 ? 31 : x + 32);
        Allocations back;
        loadAllocations(c, back, 1);
        QCOMPARE(back.points(2, 3, 7), x);
        QCOMPARE(back.total(2, 7), x);
    }
    // Nothing else of the string was touched.
    for (int i = 1; i <= 80; ++i)
        if (i != pos(3, 7))
            QCOMPARE(c.SheetSetup(2, 1).at(i), uchar(' '));
}

void tst_TestSheets::totals_andSheetMarks_data() {
    QTest::addColumn<int>("total");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("entry");
    QTest::newRow("0") << 0 << false << u" 3  未"_s;
    QTest::newRow("100") << 100 << true << u" 3  済"_s;
    QTest::newRow("150") << 150 << true << u" 3  済"_s;
    QTest::newRow("200") << 200 << true << u" 3  済"_s;
    QTest::newRow("300") << 300 << true << u" 3  済"_s;
    QTest::newRow("120") << 120 << false << u" 3  誤"_s;
    QTest::newRow("90") << 90 << false << u" 3  誤"_s;
}

void tst_TestSheets::totals_andSheetMarks() {
    QFETCH(int, total);
    QFETCH(bool, accepted);
    QFETCH(QString, entry);
    QCOMPARE(totalAccepted(total), accepted);
    QCOMPARE(sheetEntry(3, total), entry);
}

void tst_TestSheets::scores_97to100_surviveStoreAndLoad() {
    EntryScores e{};
    for (int v = 1; v <= 4; ++v)
        e(v, 2) = 96 + v;
    storeScores(c, e, 3, 5, 1);
    QCOMPARE(int(c.Pupil(2).SheetMarks(3, 1).at(pos(4, 5))), 31);
    QCOMPARE(int(c.Pupil(2).SheetMarks(3, 1).at(pos(1, 5))), 28);
    QVERIFY(c.SaveClass());
    VOXA1 back;
    back.ClassPath = c.ClassPath;
    QVERIFY(back.LoadClass());
    EntryScores got{};
    loadScores(back, got, 3, 5, 1);
    for (int v = 1; v <= 4; ++v)
        QCOMPARE(got(v, 2), 96 + v);
    QCOMPARE(got(1, 1), 0);
}

void tst_TestSheets::absence_storesKeAtTheFourPositions() {
    EntryScores e{};
    e(1, 3) = 30;
    setAbsent(c, 3, 1, 9, 1, true);
    storeScores(c, e, 1, 9, 1);
    for (int v = 1; v <= 4; ++v)
        QCOMPARE(int(c.Pupil(3).SheetMarks(1, 1).at(pos(v, 9))), 0xB9);
    QCOMPARE(c.Pupil(2).SheetMarks(1, 1).at(pos(1, 9)), uchar(' '));
    EntryScores back{};
    loadScores(c, back, 1, 9, 1);
    QVERIFY(isAbsent(c, 3, 1, 9, 1));
    QCOMPARE(back(1, 3), 0);
    QCOMPARE(c.AbsentTable(3, 4, 1, 1, 9), qint8(10));
}

void tst_TestSheets::loadScores_clearsMarksLeftFromAnotherPupil() {
    setAbsent(c, 1, 1, 2, 1, true); // left over in memory, not stored
    EntryScores e{};
    loadScores(c, e, 1, 2, 1);
    QVERIFY(!isAbsent(c, 1, 1, 2, 1));
}

void tst_TestSheets::average_leavesAbsentPupilsOut() {
    makeClass(c, 30);
    EntryScores e{};
    double sum = 0;
    for (int p = 1; p <= 30; ++p) {
        e(1, p) = p;
        e(2, p) = 50;
        if (p == 4 || p == 17) {
            e(1, p) = 0;
            e(2, p) = 0;
            setAbsent(c, p, 2, 6, 1, true);
        } else {
            sum += p + 50;
        }
    }
    const auto avg = average(c, e, 2, 6, 1);
    QVERIFY(avg.has_value());
    QCOMPARE(*avg, sum / 28);
}

void tst_TestSheets::average_nobodyPresent_isNothing() {
    EntryScores e{};
    for (int p = 1; p <= 3; ++p)
        setAbsent(c, p, 1, 1, 1, true);
    QVERIFY(!average(c, e, 1, 1, 1).has_value());
    makeClass(c, 0);
    QVERIFY(!average(c, e, 1, 1, 1).has_value());
}

void tst_TestSheets::deleteSheet1_of3_movesTheOthersDownAndEmptiesTheLast() {
    Allocations a;
    for (int n = 1; n <= 3; ++n)
        fillSheet(c, a, n);
    const ScoreBytes<100> before = c.Pupil(2).SheetMarks(1, 1);
    QVERIFY(deleteSheet(c, a, 1, 1, 1));
    const ScoreBytes<100>& after = c.Pupil(2).SheetMarks(1, 1);
    for (int v = 1; v <= 2; ++v) {
        QCOMPARE(after.at(pos(v, 1)), before.at(pos(v, 2)));
        QCOMPARE(after.at(pos(v, 2)), before.at(pos(v, 3)));
        QCOMPARE(after.at(pos(v, 3)), uchar(' '));
        QCOMPARE(after.at(pos(v, 20)), uchar(' '));
    }
    QCOMPARE(a.total(1, 2), 100);
    QCOMPARE(a.total(1, 3), 0);
    // The class was saved.
    VOXA1 back;
    back.ClassPath = c.ClassPath;
    QVERIFY(back.LoadClass());
    QVERIFY(back.Pupil(2).SheetMarks(1, 1) == after);
    QVERIFY(back.SheetSetup(1, 1) == c.SheetSetup(1, 1));
}

void tst_TestSheets::deleteSheet2_absenceOnSheet4_movesToSheet3() {
    Allocations a;
    for (int n = 1; n <= 5; ++n)
        fillSheet(c, a, n);
    EntryScores e{};
    loadScores(c, e, 1, 4, 1);
    setAbsent(c, 2, 1, 4, 1, true);
    storeScores(c, e, 1, 4, 1);
    QVERIFY(deleteSheet(c, a, 1, 2, 1));
    for (int n = 1; n <= 20; ++n)
        QCOMPARE(c.Pupil(2).SheetMarks(1, 1).isAbsent(n), n == 3);
    QVERIFY(isAbsent(c, 2, 1, 3, 1));
    QVERIFY(!isAbsent(c, 2, 1, 4, 1));
}

void tst_TestSheets::deleteSheet20_emptiesIt() {
    Allocations a;
    fillSheet(c, a, 20);
    QVERIFY(deleteSheet(c, a, 1, 20, 1));
    QCOMPARE(a.total(1, 20), 0);
    QCOMPARE(c.Pupil(1).SheetMarks(1, 1).at(pos(1, 20)), uchar(' '));
}

void tst_TestSheets::clearSheet_keepsAbsencesAndTurnsMarkToMi() {
    Allocations a;
    fillSheet(c, a, 6);
    EntryScores e{};
    loadScores(c, e, 1, 6, 1);
    setAbsent(c, 3, 1, 6, 1, true);
    storeScores(c, e, 1, 6, 1);
    setAbsent(c, 3, 1, 6, 1, false); // the table may lag behind; the stored mark counts
    QVERIFY(clearSheet(c, a, 1, 6, 1));
    QCOMPARE(statusMark(a.total(1, 6)), u"未"_s);
    QCOMPARE(c.Pupil(1).SheetMarks(1, 1).at(pos(1, 6)), uchar(' '));
    for (int v = 1; v <= 4; ++v)
        QCOMPARE(int(c.Pupil(3).SheetMarks(1, 1).at(pos(v, 6))), 0xB9);
}

void tst_TestSheets::earlierTerms_data() {
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("term");
    QTest::addColumn<int>("calculated"); // subjects 1..calculated of every earlier term carry "O"
    QTest::addColumn<bool>("ok");
    QTest::newRow("term 1 never asks") << 5 << 1 << 0 << true;
    QTest::newRow("term 2, term 1 not calculated") << 5 << 2 << 0 << false;
    QTest::newRow("term 2, three of four") << 5 << 2 << 3 << false;
    QTest::newRow("term 3, all four") << 5 << 3 << 4 << true;
    QTest::newRow("grade 2, its three subjects") << 2 << 2 << 3 << true;
}

void tst_TestSheets::earlierTerms() {
    QFETCH(int, grade);
    QFETCH(int, term);
    QFETCH(int, calculated);
    QFETCH(bool, ok);
    c.ClassName = u"%1年1組"_s.arg(grade);
    c.SplitClassName();
    c.CurTerm = static_cast<qint16>(term);
    for (int t = 1; t < term; ++t)
        for (int d = 1; d <= calculated; ++d)
            c.CalcMark(t, d) = u"O"_s;
    QCOMPARE(earlierTermsCalculated(c), ok);
}

void tst_TestSheets::viewpointUsed_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("used");
    QTest::newRow("name") << u"表現    "_s << true;
    QTest::newRow("blank") << u"        "_s << false;
    QTest::newRow("dashes") << u"－－    "_s << false;
    QTest::newRow("dashes and more") << u"－－a   "_s << true;
}

void tst_TestSheets::viewpointUsed() {
    QFETCH(QString, name);
    QFETCH(bool, used);
    QCOMPARE(TestSheets::viewpointUsed(name), used);
}

void tst_TestSheets::numericValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("digits") << u"45"_s << 45.0;
    QTest::newRow("trailing letters") << u"12abc"_s << 12.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("letters") << u"abc"_s << 0.0;
    QTest::newRow("absent mark") << u"欠"_s << 0.0;
    QTest::newRow("negative") << u"-3"_s << -3.0;
    QTest::newRow("half") << u"2.5"_s << 2.5;
    QTest::newRow("full-width digits") << u"８０"_s << 80.0;
}

void tst_TestSheets::numericValue() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(TestSheets::numericValue(text), value);
}

void tst_TestSheets::rowCells_presentAndAbsent() {
    c.Pupil(2).PName = u"山田　花子さんです"_s;
    EntryScores e{};
    e(1, 2) = 7;
    e(2, 2) = 40;
    QCOMPARE(rowCells(c, e, 2, 1, 1, 1), (QStringList{u"  2"_s, u" 山田　花子さん"_s, u"    7"_s, u"   40"_s,
                                                      u"    0"_s, u"    0"_s, u"   47"_s}));
    setAbsent(c, 2, 1, 1, 1, true);
    QCOMPARE(rowCells(c, e, 2, 1, 1, 1).mid(2),
             (QStringList{u"   欠"_s, u"   欠"_s, u"   欠"_s, u"   欠"_s, u"   欠"_s}));
}

void tst_TestSheets::subjects_byGrade() {
    const auto low = subjects(2);
    QCOMPARE(low.size(), 3);
    QCOMPARE(low[2].caption, u"生　活"_s);
    QCOMPARE(low[2].data, 3);
    QCOMPARE(low[2].slot, 5);
    const auto high = subjects(3);
    QCOMPARE(high.size(), 4);
    QCOMPARE(high[1].slot, 2);
}

QTEST_GUILESS_MAIN(tst_TestSheets)
#include "tst_TestSheets.moc"

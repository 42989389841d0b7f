// The term-end and year-end arithmetic on small classes worked out by hand.

#include "TestSupport.h"
#include "core/ScoreCode.h"
#include "core/VOXA1.h"
#include "termcalc/TermCalc.h"

#include <QtTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// Deviation values and percentages agree to far more digits than any page shows.
bool near(double a, double b) {
    return std::fabs(a - b) < 1e-9;
}
#define QCOMPARE_NEAR(a, b)                                                                                  \
    QVERIFY2(near((a), (b)), qPrintable(u"%1 != %2"_s.arg((a), 0, 'g', 17).arg((b), 0, 'g', 17)))

void allocate(VOXA1& c, int k, int t, int sheet, int v, int points) {
    c.SheetSetup(k, t).set(sheet + (v - 1) * 20, ScoreCode::encodeAllocation(points));
}
void score(VOXA1& c, int p, int k, int t, int sheet, int v, int points) {
    c.Pupil(p).SheetMarks(k, t).set(sheet + (v - 1) * 20, ScoreCode::encode(points));
}
// The absence mark at every viewpoint position of the sheet, as score entry writes it.
void absent(VOXA1& c, int p, int k, int t, int sheet) {
    for (int v = 1; v <= 4; ++v)
        c.Pupil(p).SheetMarks(k, t).set(sheet + (v - 1) * 20, ScoreCode::kAbsent);
}
VOXA1 classOf(int pupils, int grade = 5) {
    VOXA1 c;
    c.ClassName = u"%1年1組"_s.arg(grade);
    c.SplitClassName();
    c.ClassSize = static_cast<qint16>(pupils);
    c.CurTerm = 1;
    return c;
}
} // namespace

class tst_TermCalc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void term_absencesLowerPointsAndAllocation();
    void term_viewpointWithoutAllocation_isZeroAndFifty();
    void term_codes_data();
    void term_codes();
    void term_allEqualPercentages_giveFifty_data();
    void term_allEqualPercentages_giveFifty();
    void term_onePupil_andNoPupil();
    void term_rebuildsTheAbsenceTableFromTheMarks();
    void term_otherSubjectsAndTermsStayAsTheyWere();
    void year_rulesABC_totalsAlwaysAddThreeTerms();
    void year_declinedSubject_zeroesOnlyItsYearRateAndDeviation();
    void year_onePupil();
    void subjects_byGrade_data();
    void subjects_byGrade();
    void allTermsCalculated_needsEverySubjectOfTheClass();
};

void tst_TermCalc::term_absencesLowerPointsAndAllocation() {
    // 国語, term 1. Sheet 1: 50 + 50 points; sheet 2: 100 (code 31) on viewpoint 1 only.
    VOXA1 c = classOf(3);
    allocate(c, 1, 1, 1, 1, 50);
    allocate(c, 1, 1, 1, 2, 50);
    allocate(c, 1, 1, 2, 1, 100);
    QCOMPARE(int(c.SheetSetup(1, 1).at(2)), 31);
    // Pupil 1 sat both sheets: 40 + 100 of 150 and 30 of 50.
    score(c, 1, 1, 1, 1, 1, 40);
    score(c, 1, 1, 1, 1, 2, 30);
    score(c, 1, 1, 1, 2, 1, 100);
    // Pupil 2 missed sheet 1: 50 of 100 on viewpoint 1, nothing to get on viewpoint 2.
    absent(c, 2, 1, 1, 1);
    score(c, 2, 1, 1, 2, 1, 50);
    // Pupil 3 missed both sheets.
    absent(c, 3, 1, 1, 1);
    absent(c, 3, 1, 1, 2);
    TermCalc::calculateTerm(c, 1, 1);

    const PupilRec& p1 = c.Pupil(1);
    QCOMPARE(p1.ViewScore(1, 1, 1), qint16(140));
    QCOMPARE(p1.ViewScore(1, 1, 2), qint16(30));
    QCOMPARE(p1.SubjScore(1, 1), qint16(170));
    QCOMPARE_NEAR(p1.ViewRate(1, 1, 1), 140.0 / 150 * 100);
    QCOMPARE_NEAR(p1.ViewRate(1, 1, 2), 60.0);
    QCOMPARE_NEAR(p1.SubjRate(1, 1), 85.0);
    const PupilRec& p2 = c.Pupil(2);
    QCOMPARE(p2.SubjScore(1, 1), qint16(50));
    QCOMPARE_NEAR(p2.ViewRate(1, 1, 1), 50.0);
    QCOMPARE_NEAR(p2.ViewRate(1, 1, 2), 0.0);
    QCOMPARE_NEAR(p2.SubjRate(1, 1), 50.0);
    const PupilRec& p3 = c.Pupil(3);
    QCOMPARE(p3.SubjScore(1, 1), qint16(0));
    QCOMPARE_NEAR(p3.SubjRate(1, 1), 0.0);
    // Pupil 3 still counts in the class: percentages 85, 50, 0.
    QCOMPARE_NEAR(p1.SubjDev(1, 1), 59.36329177569044);
    QCOMPARE_NEAR(p2.SubjDev(1, 1), 51.17041147196131);
    QCOMPARE_NEAR(p3.SubjDev(1, 1), 39.46629675234825);
    QCOMPARE_NEAR(p1.ViewDev(1, 1, 1), 59.75361439543103);
    QCOMPARE_NEAR(p3.ViewDev(1, 1, 1), 39.77059953649916);
    QCOMPARE_NEAR(p1.ViewDev(1, 1, 2), 61.547005383792516);
    QCOMPARE_NEAR(p2.ViewDev(1, 1, 2), 44.226497308103745);
    // The absence table holds the marks of the sheets missed.
    QCOMPARE(int(c.AbsentTable(2, 3, 1, 1, 1)), 10);
    QCOMPARE(int(c.AbsentTable(2, 1, 1, 1, 2)), 0);
    QCOMPARE(int(c.AbsentTable(3, 4, 1, 1, 2)), 10);
}

void tst_TermCalc::term_viewpointWithoutAllocation_isZeroAndFifty() {
    VOXA1 c = classOf(2);
    allocate(c, 3, 1, 1, 1, 100);
    score(c, 1, 3, 1, 1, 1, 80);
    score(c, 2, 3, 1, 1, 1, 60);
    TermCalc::calculateTerm(c, 3, 1);
    for (int p = 1; p <= 2; ++p) {
        QCOMPARE_NEAR(c.Pupil(p).ViewRate(1, 3, 2), 0.0);
        QCOMPARE_NEAR(c.Pupil(p).ViewDev(1, 3, 2), 50.0);
    }
    // Two pupils: 80 and 60 are one standard deviation (14.14...) apart around 70.
    QCOMPARE_NEAR(c.Pupil(1).SubjDev(1, 3), 50 + 10 / std::sqrt(2.0) * 10 / 10);
}

void tst_TermCalc::term_codes_data() {
    QTest::addColumn<int>("allocation");
    QTest::addColumn<int>("points");
    QTest::addColumn<double>("rate");
    QTest::newRow("100 of 100 (codes 31 and 31)") << 100 << 100 << 100.0;
    QTest::newRow("97 of 97 (allocation code 129, score code 28)") << 97 << 97 << 100.0;
    QTest::newRow("99 of 99 (allocation code 131)") << 99 << 98 << 98.0 / 99 * 100;
    QTest::newRow("blank score reads 0") << 50 << -1 << 0.0;
    QTest::newRow("96 of 100 (score code 128)") << 100 << 96 << 96.0;
}

void tst_TermCalc::term_codes() {
    QFETCH(int, allocation);
    QFETCH(int, points);
    QFETCH(double, rate);
    VOXA1 c = classOf(1);
    allocate(c, 1, 1, 1, 1, allocation);
    if (points >= 0)
        score(c, 1, 1, 1, 1, 1, points);
    TermCalc::calculateTerm(c, 1, 1);
    QCOMPARE(c.Pupil(1).ViewScore(1, 1, 1), qint16(points < 0 ? 0 : points));
    QCOMPARE_NEAR(c.Pupil(1).ViewRate(1, 1, 1), rate);
}

void tst_TermCalc::term_allEqualPercentages_giveFifty_data() {
    QTest::addColumn<int>("pupils");
    QTest::addColumn<int>("allocation");
    QTest::addColumn<int>("points");
    QTest::newRow("six pupils at 33.33...%") << 6 << 3 << 1;
    QTest::newRow("seven pupils at 66.66...%") << 7 << 3 << 2;
    QTest::newRow("forty-two pupils at 14.28...%") << 42 << 7 << 1;
    QTest::newRow("all 0 of 50") << 5 << 50 << 0;
}

void tst_TermCalc::term_allEqualPercentages_giveFifty() {
    QFETCH(int, pupils);
    QFETCH(int, allocation);
    QFETCH(int, points);
    VOXA1 c = classOf(pupils);
    allocate(c, 1, 1, 1, 1, allocation);
    for (int p = 1; p <= pupils; ++p)
        score(c, p, 1, 1, 1, 1, points);
    TermCalc::calculateTerm(c, 1, 1);
    for (int p = 1; p <= pupils; ++p) {
        QCOMPARE(c.Pupil(p).SubjDev(1, 1), 50.0);
        QCOMPARE(c.Pupil(p).ViewDev(1, 1, 1), 50.0);
    }
}

void tst_TermCalc::term_onePupil_andNoPupil() {
    VOXA1 one = classOf(1);
    allocate(one, 1, 1, 1, 1, 100);
    score(one, 1, 1, 1, 1, 1, 73);
    TermCalc::calculateTerm(one, 1, 1);
    QCOMPARE(one.Pupil(1).SubjDev(1, 1), 50.0);
    QCOMPARE(one.Pupil(1).ViewDev(1, 1, 1), 50.0);
    QCOMPARE_NEAR(one.Pupil(1).SubjRate(1, 1), 73.0);

    VOXA1 none = classOf(0);
    none.Pupil(1).SubjRate(1, 1) = 12.5; // left over in memory
    TermCalc::calculateTerm(none, 1, 1);
    QCOMPARE(none.Pupil(1).SubjRate(1, 1), 12.5);
}

void tst_TermCalc::term_rebuildsTheAbsenceTableFromTheMarks() {
    VOXA1 c = classOf(2);
    allocate(c, 1, 1, 1, 1, 100);
    score(c, 1, 1, 1, 1, 1, 70);
    // An old mark in the table for a sheet the pupil sat.
    for (int v = 1; v <= 4; ++v)
        c.AbsentTable(1, v, 1, 1, 1) = 10;
    absent(c, 2, 2, 1, 5); // another subject of the term
    TermCalc::calculateTerm(c, 1, 1);
    QCOMPARE(int(c.AbsentTable(1, 1, 1, 1, 1)), 0);
    QCOMPARE(int(c.AbsentTable(2, 2, 2, 1, 5)), 10);
    QCOMPARE_NEAR(c.Pupil(1).SubjRate(1, 1), 70.0);
}

void tst_TermCalc::term_otherSubjectsAndTermsStayAsTheyWere() {
    VOXA1 c = classOf(2);
    c.Pupil(1).SubjRate(2, 1) = 44.0;
    c.Pupil(1).SubjRate(1, 2) = 55.0;
    c.Pupil(1).ViewDev(1, 2, 1) = 66.0;
    allocate(c, 1, 1, 1, 1, 10);
    TermCalc::calculateTerm(c, 1, 1);
    QCOMPARE(c.Pupil(1).SubjRate(2, 1), 44.0);
    QCOMPARE(c.Pupil(1).SubjRate(1, 2), 55.0);
    QCOMPARE(c.Pupil(1).ViewDev(1, 2, 1), 66.0);
}

void tst_TermCalc::year_rulesABC_totalsAlwaysAddThreeTerms() {
    VOXA1 c = classOf(3);
    struct Terms {
        double rate[3];
        double view[3];
        qint16 points[3];
    };
    // Pupil 1: rule A (70, 70); pupil 2: rule B, term 1 at 0 (70, 70); pupil 3: rule C, term 2 at 0
    // whatever term 1 holds (40, 40).
    const Terms terms[3] = {{{80, 60, 70}, {90, 60, 60}, {8, 6, 7}},
                            {{0, 50, 90}, {0, 40, 100}, {0, 5, 9}},
                            {{80, 0, 40}, {80, 0, 40}, {10, 0, 20}}};
    for (int p = 1; p <= 3; ++p)
        for (int t = 1; t <= 3; ++t) {
            c.Pupil(p).SubjRate(t, 1) = terms[p - 1].rate[t - 1];
            c.Pupil(p).ViewRate(t, 1, 1) = terms[p - 1].view[t - 1];
            c.Pupil(p).SubjScore(t, 1) = terms[p - 1].points[t - 1];
            c.Pupil(p).ViewScore(t, 1, 1) = terms[p - 1].points[t - 1];
        }
    TermCalc::calculateYear(c, 1);
    const double rates[3] = {70, 70, 40};
    const double devs[3] = {55.773502691896255, 55.773502691896255, 38.452994616207484};
    for (int p = 1; p <= 3; ++p) {
        QCOMPARE_NEAR(c.Pupil(p).SubjRate(4, 1), rates[p - 1]);
        QCOMPARE_NEAR(c.Pupil(p).ViewRate(4, 1, 1), rates[p - 1]);
        QCOMPARE_NEAR(c.Pupil(p).SubjDev(4, 1), devs[p - 1]);
        QCOMPARE_NEAR(c.Pupil(p).ViewDev(4, 1, 1), devs[p - 1]);
        // Viewpoint 2 is 0 for the whole class: deviation 0, not 50.
        QCOMPARE(c.Pupil(p).ViewDev(4, 1, 2), 0.0);
    }
    QCOMPARE(c.Pupil(1).SubjScore(4, 1), qint16(21));
    QCOMPARE(c.Pupil(3).SubjScore(4, 1), qint16(30));
    QCOMPARE(c.Pupil(3).ViewScore(4, 1, 1), qint16(30));
}

void tst_TermCalc::year_declinedSubject_zeroesOnlyItsYearRateAndDeviation() {
    VOXA1 c = classOf(2);
    for (int p = 1; p <= 2; ++p) {
        c.Pupil(p).SubjRate(4, 2) = 61;
        c.Pupil(p).SubjDev(4, 2) = 52;
        c.Pupil(p).ViewRate(4, 2, 1) = 63;
        c.Pupil(p).SubjScore(4, 2) = 140;
        c.Pupil(p).SubjRate(4, 1) = 77;
    }
    TermCalc::declineYear(c, 2);
    for (int p = 1; p <= 2; ++p) {
        QCOMPARE(c.Pupil(p).SubjRate(4, 2), 0.0);
        QCOMPARE(c.Pupil(p).SubjDev(4, 2), 0.0);
        QCOMPARE(c.Pupil(p).ViewRate(4, 2, 1), 63.0);
        QCOMPARE(c.Pupil(p).SubjScore(4, 2), qint16(140));
        QCOMPARE(c.Pupil(p).SubjRate(4, 1), 77.0);
    }
}

void tst_TermCalc::year_onePupil() {
    VOXA1 c = classOf(1);
    for (int t = 1; t <= 3; ++t) {
        c.Pupil(1).SubjRate(t, 1) = 60;
        c.Pupil(1).ViewRate(t, 1, 1) = 60;
    }
    TermCalc::calculateYear(c, 1);
    QCOMPARE(c.Pupil(1).SubjDev(4, 1), 50.0);
    QCOMPARE(c.Pupil(1).ViewDev(4, 1, 1), 50.0);
    QCOMPARE(c.Pupil(1).ViewDev(4, 1, 2), 0.0);
}

void tst_TermCalc::subjects_byGrade_data() {
    QTest::addColumn<int>("grade");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("grade 1") << 1 << QStringList{u"国語"_s, u"算数"_s, u"生活"_s};
    QTest::newRow("grade 2") << 2 << QStringList{u"国語"_s, u"算数"_s, u"生活"_s};
    QTest::newRow("grade 3") << 3 << QStringList{u"国語"_s, u"社会"_s, u"算数"_s, u"理科"_s};
    QTest::newRow("grade 6") << 6 << QStringList{u"国語"_s, u"社会"_s, u"算数"_s, u"理科"_s};
}

void tst_TermCalc::subjects_byGrade() {
    QFETCH(int, grade);
    QFETCH(QStringList, names);
    QCOMPARE(TermCalc::subjectCount(grade), names.size());
    QStringList got;
    for (int k = 1; k <= TermCalc::subjectCount(grade); ++k)
        got << TermCalc::subjectName(k, grade);
    QCOMPARE(got, names);
}

void tst_TermCalc::allTermsCalculated_needsEverySubjectOfTheClass() {
    VOXA1 c = classOf(3, 2);
    for (int k = 1; k <= 3; ++k)
        for (int t = 1; t <= 3; ++t)
            c.CalcMark(t, k) = u"O"_s;
    QVERIFY(TermCalc::allTermsCalculated(c)); // grade 2: no 理科
    c.CalcMark(2, 3) = QString();
    QVERIFY(!TermCalc::allTermsCalculated(c));
    VOXA1 d = classOf(3, 4);
    for (int k = 1; k <= 3; ++k)
        for (int t = 1; t <= 3; ++t)
            d.CalcMark(t, k) = u"O"_s;
    QVERIFY(!TermCalc::allTermsCalculated(d)); // grade 4 needs 理科 too
}

QTEST_GUILESS_MAIN(tst_TermCalc)
#include "tst_TermCalc.moc"

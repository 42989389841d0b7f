// The text the term-end window shows: score sheet lines, ranked evaluation rows, counts and the
// year-end rows, character for character.

#include "TestSupport.h"
#include "core/ScoreCode.h"
#include "core/VOXA1.h"
#include "platform/Cp932.h"
#include "termcalc/TermCalc.h"
#include "termcalc/TermView.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
QString sp(int n) {
    return QString(n, u' ');
}
} // namespace

class tst_TermView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sheetLines_pupilWithAnAbsence();
    void ranking_data();
    void ranking();
    void evaluationRow_columns_data();
    void evaluationRow_columns();
    void counts_firstCharacterOnly();
    void yearRow_columns();
};

void tst_TermView::sheetLines_pupilWithAnAbsence() {
    VOXA1 c;
    c.ClassName = u"5年1組"_s;
    c.SplitClassName();
    c.CityName = u"横浜市中区"_s;
    c.SchoolName = u"みなと小学校"_s;
    c.ClassSize = 2;
    c.ViewName(1, 1) = u"表現"_s;
    c.ViewName(1, 2) = u"読解"_s;
    c.ViewName(1, 3) = u"－－"_s; // not used by the subject; viewpoint 4 is blank
    c.Pupil(1).PName = u"青木　一郎"_s;
    auto set = [&](auto& bytes, int sheet, int v, unsigned char code) {
        bytes.set(sheet + (v - 1) * 20, code);
    };
    for (int s : {1, 4}) {
        set(c.SheetSetup(1, 1), s, 1, ScoreCode::encodeAllocation(10));
        set(c.SheetSetup(1, 1), s, 2, ScoreCode::encodeAllocation(10));
    }
    set(c.SheetSetup(1, 1), 11, 1, ScoreCode::encodeAllocation(20));
    auto& m1 = c.Pupil(1).SheetMarks(1, 1);
    set(m1, 1, 1, ScoreCode::encode(8));
    set(m1, 1, 2, ScoreCode::encode(9));
    for (int v = 1; v <= 4; ++v)
        set(m1, 4, v, ScoreCode::kAbsent);
    set(m1, 11, 1, ScoreCode::encode(10));
    auto& m2 = c.Pupil(2).SheetMarks(1, 1);
    for (int s : {1, 4})
        for (int v = 1; v <= 2; ++v)
            set(m2, s, v, ScoreCode::encode(10));
    set(m2, 11, 1, ScoreCode::encode(20));
    TermCalc::calculateTerm(c, 1, 1);
    // Pupil 1: 18 of 30 (60%) and 9 of 10 (90%), 27 of 40 (67.5%); pupil 2 has everything, so
    // pupil 1 stands one standard deviation below the mean of two: 42.9.
    const QStringList lines = TermView::sheetLines(c, 1, 1, 1, 1);
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines[0], u"学校名 横浜市立みなと学校 5年1組 番号  1  名前 青木　一郎"_s + sp(15));
    QCOMPARE(lines[1], u"観点　 1枚 2枚 3枚 4枚 5枚 6枚 7枚 8枚 9枚 10枚   平均  偏差"_s);
    QCOMPARE(lines[2],
             u"表現 "_s + u"   8   0   0  欠"_s + QString(u"   0"_s).repeated(6) + u"     60.  42.9"_s);
    QCOMPARE(lines[3],
             u"読解 "_s + u"   9   0   0  欠"_s + QString(u"   0"_s).repeated(6) + u"     90.  42.9"_s);
    QCOMPARE(lines[4], QString());
    QCOMPARE(lines[5], QString());
    QCOMPARE(lines[6],
             u"合計 "_s + u"  17   0   0   0"_s + QString(u"   0"_s).repeated(6) + u"    67.5  42.9"_s);
    QCOMPARE(lines[7], u"     11枚 12枚 13枚 14枚 15枚 16枚 17枚 18枚 19枚 20枚  合計"_s);
    // Sheets 11..20 are 4, 5, 4, 5, 4, 5, 5, 5, 5, 5 characters wide.
    QCOMPARE(lines[8], u"表現 "_s + u"  10    0   0    0   0    0    0    0    0    0"_s + u"     18"_s);
    QCOMPARE(lines[9], u"読解 "_s + u"   0    0   0    0   0    0    0    0    0    0"_s + u"      9"_s);
    QCOMPARE(lines[12], u"合計 "_s + u"  10    0   0    0   0    0    0    0    0    0"_s + u"     27"_s);
    // On the fixed-pitch grid (a full-width character takes two columns, so "欠" fills a
    // four-column cell) the viewpoint lines and the total lines keep the same columns.
    QCOMPARE(Cp932::cellWidth(lines[2]), Cp932::cellWidth(lines[6]));
    QCOMPARE(Cp932::cellWidth(lines[8]), Cp932::cellWidth(lines[12]));
}

void tst_TermView::ranking_data() {
    QTest::addColumn<QList<double>>("keys");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("50 50 70 50") << QList<double>{50, 50, 70, 50} << QList<int>{3, 2, 1, 4};
    QTest::newRow("ascending") << QList<double>{10, 20, 30} << QList<int>{3, 2, 1};
    QTest::newRow("already descending") << QList<double>{90, 80, 70} << QList<int>{1, 2, 3};
    QTest::newRow("all equal") << QList<double>{5, 5, 5} << QList<int>{1, 2, 3};
    QTest::newRow("one") << QList<double>{42} << QList<int>{1};
    QTest::newRow("none") << QList<double>{} << QList<int>{};
}

void tst_TermView::ranking() {
    QFETCH(QList<double>, keys);
    QFETCH(QList<int>, rows);
    QCOMPARE(TermView::ranking(keys), rows);
}

void tst_TermView::evaluationRow_columns_data() {
    QTest::addColumn<double>("key");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("shownMark");
    QTest::newRow("62.25 with ◎") << 62.25 << u"◎ "_s << u"  62.3"_s << u"  ◎ "_s;
    QTest::newRow("100 without a mark") << 100.0 << u"  "_s << u"  100."_s << u"   －"_s;
    QTest::newRow("0 with ２") << 0.0 << u"２ "_s << u"     ."_s << u"  ２ "_s;
    QTest::newRow("0.5") << 0.5 << QString() << u"    .5"_s << u"   －"_s;
}

void tst_TermView::evaluationRow_columns() {
    QFETCH(double, key);
    QFETCH(QString, mark);
    QFETCH(QString, rate);
    QFETCH(QString, shownMark);
    const TermView::EvaluationRow r = TermView::evaluationRow(12, 7, u"佐々木　晴太郎くん"_s, key, mark);
    QCOMPARE(r.rank, u" 12"_s);
    QCOMPARE(r.number, u"  7"_s);
    QCOMPARE(r.name, sp(5) + u"佐々木　晴太郎"_s);
    QCOMPARE(r.rate, rate);
    QCOMPARE(r.mark, shownMark);
}

void tst_TermView::counts_firstCharacterOnly() {
    const QStringList given{u"◎ "_s, u"○ "_s, u"○x"_s, u"  "_s, u"△ "_s, u"３ "_s, u"◎ "_s};
    QCOMPARE(TermView::counts(given, true), (QList<int>{2, 2, 1}));
    QCOMPARE(TermView::counts(given, false), (QList<int>{1, 0, 0}));
    QCOMPARE(TermView::marks(false), (QStringList{u"３"_s, u"２"_s, u"１"_s}));
}

void tst_TermView::yearRow_columns() {
    VOXA1 c;
    c.ClassSize = 1;
    c.Pupil(1).PName = u"上田　健"_s;
    c.Pupil(1).SubjRate(4, 1) = 62.25;
    c.Pupil(1).SubjRate(4, 2) = 100;
    c.Pupil(1).SubjRate(4, 3) = 0.5;
    QCOMPARE(TermView::yearRow(c, 1),
             (QStringList{u"  1"_s, u"上田　健   "_s, u"  62.3"_s, u"  100."_s, u"    .5"_s, u"     ."_s}));
}

QTEST_GUILESS_MAIN(tst_TermView)
#include "tst_TermView.moc"

// The class organisation material: every cell of the means table, the tie order of the sort, the
// data files byte for byte and the two printed pages.

#include "TestSupport.h"
#include "core/ClassMaterial.h"
#include "core/PrintSurface.h"
#include "core/VOXA1.h"
#include "platform/RecordingBackend.h"

#include <QtTest>

#include <cmath>

using namespace Qt::StringLiterals;
using TestSupport::sjis;

namespace {
// T(t, s) = 10 t + s: every term and subject distinguishable.
VOXA1 classOf(int grade, int pupils) {
    VOXA1 c;
    c.ClassName = u"%1年3組"_s.arg(grade);
    c.SplitClassName();
    c.CityName = u"横浜市中区"_s;
    c.SchoolName = u"山下小学校"_s;
    c.CurTerm = 3;
    c.ClassSize = static_cast<qint16>(pupils);
    for (int p = 1; p <= pupils; ++p) {
        c.Pupil(p).PName = u"生徒%1"_s.arg(p);
        c.Pupil(p).Sex = u"1"_s;
        for (int t = 1; t <= 4; ++t)
            for (int s = 1; s <= 4; ++s)
                c.Pupil(p).SubjRate(t, s) = 10 * t + s;
    }
    return c;
}
} // namespace

class tst_ClassMaterial : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { TestSupport::useTestDoubles(); }
    void mean_everyCell_data();
    void mean_everyCell();
    void mean_grade3TwoSubjects_usesScienceNotSocial();
    void sort_tieOrders_data();
    void sort_tieOrders();
    void files_exactBytes();
    void pages_ranksPerSex_andColumns();
};

void tst_ClassMaterial::mean_everyCell_data() {
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("subjSet");
    QTest::addColumn<int>("termSet");
    QTest::addColumn<bool>("firstTermKokugoZero");
    QTest::addColumn<double>("expected");
    // Grade 2: "２教科" = subjects 1, 2; "４教科" = subjects 1, 3.
    QTest::newRow("g2 2 year") << 2 << 1 << 1 << false << (41 + 42) / 2.0;
    QTest::newRow("g2 4 year") << 2 << 2 << 1 << false << (41 + 43) / 2.0;
    QTest::newRow("g2 2 t12") << 2 << 1 << 2 << false << (11 + 12 + 21 + 22) / 4.0;
    QTest::newRow("g2 4 t12") << 2 << 2 << 2 << false << (11 + 13 + 21 + 23) / 4.0;
    QTest::newRow("g2 2 t12 no t1") << 2 << 1 << 2 << true << (21 + 22) / 2.0;
    QTest::newRow("g2 4 t12 no t1") << 2 << 2 << 2 << true << (21 + 23) / 2.0;
    QTest::newRow("g2 2 t23") << 2 << 1 << 3 << false << (21 + 22 + 31 + 32) / 4.0;
    QTest::newRow("g2 4 t23") << 2 << 2 << 3 << false << (21 + 23 + 31 + 33) / 4.0;
    // Grade 3: "２教科" = subjects 1, 3, 4 (divided by 3); "４教科" = all four.
    QTest::newRow("g3 2 year") << 3 << 1 << 1 << false << (41 + 43 + 44) / 3.0;
    QTest::newRow("g3 4 year") << 3 << 2 << 1 << false << (41 + 42 + 43 + 44) / 4.0;
    QTest::newRow("g3 2 t12") << 3 << 1 << 2 << false << (11 + 13 + 14 + 21 + 23 + 24) / 6.0;
    QTest::newRow("g3 4 t12") << 3 << 2 << 2 << false << (11 + 12 + 13 + 14 + 21 + 22 + 23 + 24) / 8.0;
    QTest::newRow("g3 2 t12 no t1") << 3 << 1 << 2 << true << (21 + 23 + 24) / 3.0;
    QTest::newRow("g3 4 t12 no t1") << 3 << 2 << 2 << true << (21 + 22 + 23 + 24) / 4.0;
    QTest::newRow("g3 2 t23") << 3 << 1 << 3 << false << (21 + 23 + 24 + 31 + 33 + 34) / 6.0;
    QTest::newRow("g3 4 t23") << 3 << 2 << 3 << false << (21 + 22 + 23 + 24 + 31 + 32 + 33 + 34) / 8.0;
}

void tst_ClassMaterial::mean_everyCell() {
    QFETCH(int, grade);
    QFETCH(int, subjSet);
    QFETCH(int, termSet);
    QFETCH(bool, firstTermKokugoZero);
    QFETCH(double, expected);
    VOXA1 c = classOf(grade, 1);
    if (firstTermKokugoZero)
        c.Pupil(1).SubjRate(1, 1) = 0;
    QVERIFY(std::fabs(ClassMaterial::mean(c, 1, subjSet, termSet) - expected) < 1e-12);
}

void tst_ClassMaterial::mean_grade3TwoSubjects_usesScienceNotSocial() {
    VOXA1 c = classOf(3, 1);
    const double year[4] = {80, 10, 70, 60};
    for (int s = 1; s <= 4; ++s)
        c.Pupil(1).SubjRate(4, s) = year[s - 1];
    QCOMPARE(ClassMaterial::mean(c, 1, 1, 1), 70.0);
}

void tst_ClassMaterial::sort_tieOrders_data() {
    QTest::addColumn<QList<double>>("means");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("4 0 2 0 0") << QList<double>{4, 0, 2, 0, 0} << QList<int>{1, 3, 2, 4, 5}; // zeros: 2, 4, 5
    QTest::newRow("4 0 2 0 0 1 4 0 3") << QList<double>{4, 0, 2, 0, 0, 1, 4, 0, 3}
                                       << QList<int>{1, 7, 9, 3, 6, 2, 4, 8, 5}; // zeros: 2, 4, 8, 5
}

void tst_ClassMaterial::sort_tieOrders() {
    QFETCH(QList<double>, means);
    QFETCH(QList<int>, order);
    VOXA1 c = classOf(5, static_cast<int>(means.size()));
    for (int p = 1; p <= means.size(); ++p)
        for (int s = 1; s <= 4; ++s)
            c.Pupil(p).SubjRate(4, s) = means[p - 1];
    QList<int> got;
    for (const auto& e : ClassMaterial::ranking(c, 2, 1))
        got << e.number;
    QCOMPARE(got, order);
}

void tst_ClassMaterial::files_exactBytes() {
    VOXA1 c = classOf(5, 4);
    c.Pupil(1).PName = u"青木　\"一郎\""_s;
    c.Pupil(2).Sex = u"2"_s;
    c.Pupil(3).Sex = u"0"_s; // not set: with the girls
    const double means[4] = {62.25, 0, 100, 9.96};
    for (int p = 1; p <= 4; ++p)
        for (int s = 1; s <= 4; ++s)
            c.Pupil(p).SubjRate(4, s) = means[p - 1];
    const QList<ClassMaterial::Entry> ranked = ClassMaterial::ranking(c, 2, 1);
    // Boys: pupil 1 (62.3) then pupil 4 (10.0); the name padded to 20 characters, quotes doubled.
    QByteArray boys;
    boys += "\"" + sjis(u"青木　\"\"一郎\"\""_s) + QByteArray(13, ' ') + "\"\r\n\"62.3\"\r\n";
    boys += "\"" + sjis(u"生徒4"_s) + QByteArray(17, ' ') + "\"\r\n\"10.0\"\r\n";
    QCOMPARE(ClassMaterial::fileBytes(ranked, true), boys);
    QByteArray girls;
    girls += "\"" + sjis(u"生徒3"_s) + QByteArray(17, ' ') + "\"\r\n\"100.0\"\r\n";
    girls += "\"" + sjis(u"生徒2"_s) + QByteArray(17, ' ') + "\"\r\n\"0.0\"\r\n";
    QCOMPARE(ClassMaterial::fileBytes(ranked, false), girls);
    QCOMPARE(ClassMaterial::unprinted(ranked), QStringList{u"生徒3"_s});
}

void tst_ClassMaterial::pages_ranksPerSex_andColumns() {
    VOXA1 c = classOf(6, 33);
    for (int p = 1; p <= 33; ++p) {
        c.Pupil(p).Sex = p <= 15 ? u"1"_s : p <= 32 ? u"2"_s : u"0"_s;
        for (int s = 1; s <= 4; ++s)
            c.Pupil(p).SubjRate(4, s) = p == 16 ? 0 : 100 - p;
    }
    RecordingBackend::Document doc;
    {
        PrintSurface ps(std::make_unique<RecordingBackend>(&doc));
        ClassMaterial::printPages(ps, c, ClassMaterial::ranking(c, 2, 1));
        QVERIFY(ps.EndDoc());
    }
    QCOMPARE(doc.pages, 2);
    auto at = [&](int page, const QString& text) {
        const auto* i = doc.find(page, text);
        return i ? qMakePair(i->line(), i->column()) : qMakePair(0, 0);
    };
    QCOMPARE(at(1, u"学級編成資料"_s), qMakePair(1, 2));
    QCOMPARE(at(1, u"横浜市立山下小学校"_s), qMakePair(1, 16));
    QCOMPARE(at(1, u" 6"_s), qMakePair(1, 41));
    QCOMPARE(at(1, u" 3"_s).second, 47);
    QCOMPARE(at(1, u"男　　子"_s), qMakePair(1, 66));
    QCOMPARE(at(2, u"女　　子"_s), qMakePair(1, 66));
    QCOMPARE(at(1, u"順  位"_s), qMakePair(3, 4));
    QCOMPARE(at(1, u"得　点"_s), qMakePair(3, 46));
    // Ranks 1..15 and 1..17; the girl with a mean of 0 last, printed as ".".
    auto rankOn = [&](int page, int line) {
        for (const auto& i : doc.items)
            if (i.page == page && i.line() == line && i.column() == 2)
                return i.text;
        return QString();
    };
    QCOMPARE(rankOn(1, 4), u" 1"_s);
    QCOMPARE(rankOn(1, 18), u" 15"_s);
    QCOMPARE(rankOn(1, 19), QString());
    QCOMPARE(rankOn(2, 20), u" 17"_s);
    QCOMPARE(rankOn(2, 21), QString());
    QCOMPARE(at(2, u"."_s), qMakePair(20, 46));
    QCOMPARE(at(1, u"生徒1     "_s), qMakePair(4, 28));
    QCOMPARE(at(1, u"99."_s), qMakePair(4, 46));
    // The pupil without a sex is on neither page.
    QVERIFY(!doc.find(1, u"生徒33    "_s) && !doc.find(2, u"生徒33    "_s));
    QVERIFY(doc.find(2, u"生徒32    "_s));
}

QTEST_GUILESS_MAIN(tst_ClassMaterial)
#include "tst_ClassMaterial.moc"

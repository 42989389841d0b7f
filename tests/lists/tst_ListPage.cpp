// The printed class lists: ranking and the two pages item by item on the recording back end.

#include "TestSupport.h"
#include "core/NumberFormat.h"
#include "core/PrintSurface.h"
#include "core/VOXA1.h"
#include "lists/ListPage.h"
#include "platform/RecordingBackend.h"

#include <QRandomGenerator>
#include <QtTest>

#include <limits>

using namespace Qt::StringLiterals;
using Doc = RecordingBackend::Document;

namespace {
VOXA1 classOf(int grade, int pupils) {
    VOXA1 c;
    c.ClassName = u"%1年2組"_s.arg(grade);
    c.SplitClassName();
    c.CityName = u"横浜市中区"_s;
    c.SchoolName = u"山下小学校"_s;
    c.CurTerm = 2;
    c.ClassSize = static_cast<qint16>(pupils);
    for (int s = 1; s <= 5; ++s)
        for (int v = 1; v <= 4; ++v)
            c.ViewName(s, v) = u"観%1の%2"_s.arg(s).arg(v);
    for (int p = 1; p <= pupils; ++p) {
        c.Pupil(p).PName = u"生徒%1"_s.arg(p);
        c.Pupil(p).Sex = p % 2 ? u"1"_s : u"2"_s;
    }
    return c;
}
QString rate(double x) {
    return NumberFormat::format(x, u"###.#"_s);
}
QPair<int, int> at(const Doc& d, const QString& text) {
    const RecordingBackend::Item* i = d.find(1, text);
    return i ? qMakePair(i->line(), i->column()) : qMakePair(0, 0);
}
// The items of one printed line, by column.
QMap<int, QString> line(const Doc& d, int number) {
    QMap<int, QString> out;
    for (const auto& i : d.items)
        if (i.page == 1 && i.line() == number)
            out.insert(i.column(), i.text);
    return out;
}
Doc print(const std::function<void(PrintSurface&)>& page) {
    Doc doc;
    {
        PrintSurface ps(std::make_unique<RecordingBackend>(&doc));
        page(ps);
        ps.EndDoc();
    }
    return doc;
}
} // namespace

class tst_ListPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { TestSupport::useTestDoubles(); }
    void rank_numberOrder_sharesRanks();
    void rank_scoreOrder_tieInExchangeOrder();
    void rank_classOf42_matchesTheDescribedLoops();
    void rank_notANumber_ranksAsZero();
    void resultsPage_scoreOrder_subject();
    void resultsPage_numberOrder_viewpointYearEnd();
    void fourSubjectPage_grades_data();
    void fourSubjectPage_grades();
    void fourSubjectPage_emptyClass_averagesBlank();
    void fourSubjectPage_notANumber_countsAsZeroInTheAverage();
    void schoolLine_wardWithoutCity();
};

void tst_ListPage::rank_numberOrder_sharesRanks() {
    const ListPage::Ranked r = ListPage::rank({90, 80, 80, 70}, ListPage::kNumberOrder);
    QCOMPARE(r.number, (QList<int>{1, 2, 3, 4}));
    QCOMPARE(r.rank, (QList<int>{1, 2, 2, 4}));
}

void tst_ListPage::rank_scoreOrder_tieInExchangeOrder() {
    const ListPage::Ranked r = ListPage::rank({90, 80, 80, 70}, ListPage::kScoreOrder);
    QCOMPARE(r.rank, (QList<int>{1, 2, 3, 4}));
    QCOMPARE(r.score, (QList<double>{90, 80, 80, 70}));
    // The exchange leaves 70, 80, 90, 80 as pupils 3, 2, 4, 1.
    const ListPage::Ranked s = ListPage::rank({70, 80, 90, 80}, ListPage::kScoreOrder);
    QCOMPARE(s.number, (QList<int>{3, 2, 4, 1}));
}

void tst_ListPage::rank_classOf42_matchesTheDescribedLoops() {
    QRandomGenerator gen(20261208);
    QList<double> scores;
    for (int i = 0; i < 42; ++i)
        scores.append(gen.bounded(6) * 10.0); // many ties
    // The loops as described, written out plainly with 1-based arrays.
    double score[43];
    int number[43];
    int rankOf[43];
    for (int k = 1; k <= 42; ++k) {
        score[k] = scores[k - 1];
        number[k] = k;
        rankOf[k] = 1;
    }
    for (int i = 1; i <= 42; ++i)
        for (int j = 1; j <= 42; ++j)
            if (score[i] < score[j])
                rankOf[i] = rankOf[i] + 1;
    for (int i = 1; i <= 42; ++i)
        for (int j = 1; j <= 42; ++j)
            if (score[i] > score[j]) {
                std::swap(score[i], score[j]);
                std::swap(number[i], number[j]);
            }
    const ListPage::Ranked byScore = ListPage::rank(scores, ListPage::kScoreOrder);
    const ListPage::Ranked byNumber = ListPage::rank(scores, ListPage::kNumberOrder);
    for (int k = 1; k <= 42; ++k) {
        QCOMPARE(byScore.number[k - 1], number[k]);
        QCOMPARE(byScore.score[k - 1], score[k]);
        QCOMPARE(byNumber.rank[k - 1], rankOf[k]);
    }
}

void tst_ListPage::rank_notANumber_ranksAsZero() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const ListPage::Ranked r = ListPage::rank({nan, 10, 0}, ListPage::kNumberOrder);
    QCOMPARE(r.rank, (QList<int>{2, 1, 2}));
}

void tst_ListPage::resultsPage_scoreOrder_subject() {
    VOXA1 c = classOf(5, 3);
    const double rates[3] = {70.25, 90, 85.25};
    for (int p = 1; p <= 3; ++p) {
        c.Pupil(p).SubjRate(2, 3) = rates[p - 1];
        c.Pupil(p).SubjDev(2, 3) = 40 + p;
    }
    c.Pupil(2).SubjMark(2, 3) = u"３"_s;
    const Doc d = print([&](PrintSurface& ps) {
        ListPage::resultsPage(ps, c, {3, 0, ListPage::kScoreOrder}, 2, false);
    });
    QCOMPARE(at(d, u"成績一覧表"_s), qMakePair(1, 2));
    QCOMPARE(at(d, u"横浜市立山下小学校"_s), qMakePair(1, 16));
    QCOMPARE(at(d, u" 5"_s), qMakePair(1, 41));
    QCOMPARE(at(d, u" 2"_s).second, 47);
    QCOMPARE(at(d, u"算数"_s), qMakePair(1, 58));
    QCOMPARE(at(d, u"２"_s), qMakePair(1, 75));
    QCOMPARE(at(d, u"学期"_s), qMakePair(1, 78));
    QCOMPARE(at(d, u"順  位"_s), qMakePair(3, 4));
    QCOMPARE(at(d, u"出席番号"_s), qMakePair(3, 16));
    QCOMPARE(at(d, u"評  定"_s), qMakePair(3, 85));
    // Highest first: pupil 2 (90), then 3 (85.25 -> 85.3), then 1.
    QCOMPARE(line(d, 4), (QMap<int, QString>{{2, u" 1"_s},
                                             {6, u"位"_s},
                                             {17, u" 2"_s},
                                             {21, u"番"_s},
                                             {28, u"女"_s},
                                             {36, u"生徒2     "_s},
                                             {60, u"90."_s},
                                             {74, u"42."_s},
                                             {87, u"３"_s}}));
    QCOMPARE(line(d, 5).value(60), u"85.3"_s);
    QCOMPARE(line(d, 6).value(17), u" 1"_s);
    QCOMPARE(d.pages, 1);
    QVERIFY(!d.rules.isEmpty());
}

void tst_ListPage::resultsPage_numberOrder_viewpointYearEnd() {
    VOXA1 c = classOf(5, 4);
    c.CurTerm = 3;
    c.ViewName(4, 2) = u"観察と実験"_s;
    const double rates[4] = {90, 80, 80, 70};
    for (int p = 1; p <= 4; ++p)
        c.Pupil(p).ViewRate(4, 4, 2) = rates[p - 1];
    c.Pupil(3).ViewMark(4, 4, 2) = u"◎"_s;
    const Doc d = print([&](PrintSurface& ps) {
        ListPage::resultsPage(ps, c, {4, 2, ListPage::kNumberOrder}, 4, true);
    });
    QCOMPARE(at(d, u"理科"_s), qMakePair(1, 58));
    QCOMPARE(at(d, u"観察と実験"_s), qMakePair(1, 64));
    QCOMPARE(at(d, u"年度末"_s), qMakePair(1, 75));
    QCOMPARE(at(d, u"出席番号"_s), qMakePair(3, 3));
    QCOMPARE(at(d, u"順　位"_s), qMakePair(3, 17));
    const int ranks[4] = {1, 2, 2, 4};
    for (int p = 1; p <= 4; ++p) {
        QCOMPARE(line(d, 3 + p).value(2), NumberFormat::withBlank(p));
        QCOMPARE(line(d, 3 + p).value(17), NumberFormat::withBlank(ranks[p - 1]));
        QCOMPARE(line(d, 3 + p).value(21), u"位"_s);
    }
    QCOMPARE(line(d, 6).value(87), u"◎"_s);
    QCOMPARE(c.CurTerm, qint16(3));
    // A long viewpoint name is cut so the term word stays on the heading line.
    c.ViewName(4, 2) = u"とても長い観点"_s;
    const Doc e = print([&](PrintSurface& ps) {
        ListPage::resultsPage(ps, c, {4, 2, ListPage::kNumberOrder}, 4, true);
    });
    QCOMPARE(at(e, u"とても長い"_s), qMakePair(1, 64));
    QCOMPARE(at(e, u"年度末"_s), qMakePair(1, 75));
}

void tst_ListPage::fourSubjectPage_grades_data() {
    QTest::addColumn<int>("grade");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("grade 5") << 5 << QStringList{u"国語"_s, u"社会"_s, u"算数"_s, u"理科"_s};
    QTest::newRow("grade 2") << 2 << QStringList{u"国語"_s, u"算数"_s, u"生活"_s};
}

void tst_ListPage::fourSubjectPage_grades() {
    QFETCH(int, grade);
    QFETCH(QStringList, names);
    VOXA1 c = classOf(grade, 2);
    for (int s = 1; s <= 4; ++s) {
        c.Pupil(1).SubjRate(2, s) = 80 + s;
        c.Pupil(2).SubjRate(2, s) = 60 + s;
        c.Pupil(1).SubjMark(2, s) = u"３"_s;
    }
    const Doc d = print([&](PrintSurface& ps) { ListPage::fourSubjectPage(ps, c, 2, false); });
    QCOMPARE(at(d, u"４教科一覧表"_s), qMakePair(1, 2));
    QCOMPARE(line(d, 1).value(75), u" 2"_s);
    QCOMPARE(at(d, u"平均"_s), qMakePair(3, 25));
    const int columns[4] = {49, 61, 73, 84};
    for (int s = 1; s <= 4; ++s) {
        QCOMPARE(line(d, 4).value(columns[s - 1]), names.value(s - 1));
        QCOMPARE(line(d, 3).value(columns[s - 1]), s <= names.size() ? rate(70 + s) : QString());
        QCOMPARE(line(d, 5).value(12 * s + 35), s <= names.size() ? rate(80 + s) : QString());
        QCOMPARE(line(d, 5).value(12 * s + 42), s <= names.size() ? u"３ "_s : QString());
    }
    QCOMPARE(line(d, 6).value(17), u"女"_s);
}

void tst_ListPage::fourSubjectPage_emptyClass_averagesBlank() {
    VOXA1 c = classOf(5, 0);
    const Doc d = print([&](PrintSurface& ps) { ListPage::fourSubjectPage(ps, c, 2, false); });
    QCOMPARE(line(d, 3).value(49), QString());
    QCOMPARE(line(d, 5), (QMap<int, QString>{}));
}

void tst_ListPage::fourSubjectPage_notANumber_countsAsZeroInTheAverage() {
    VOXA1 c = classOf(5, 3);
    for (int s = 1; s <= 4; ++s) {
        c.Pupil(1).SubjRate(2, s) = 90;
        c.Pupil(2).SubjRate(2, s) = std::numeric_limits<double>::quiet_NaN();
        c.Pupil(3).SubjRate(2, s) = 60;
    }
    const Doc d = print([&](PrintSurface& ps) { ListPage::fourSubjectPage(ps, c, 2, false); });
    QCOMPARE(line(d, 3).value(49), rate(50));
    QCOMPARE(line(d, 3).value(84), rate(50));
}

void tst_ListPage::schoolLine_wardWithoutCity() {
    VOXA1 c = classOf(5, 1);
    c.CityName = u"千代田区"_s;
    const Doc d = print([&](PrintSurface& ps) { ListPage::fourSubjectPage(ps, c, 2, false); });
    QCOMPARE(at(d, u"千代田区立山下小学校"_s), qMakePair(1, 16));
}

QTEST_GUILESS_MAIN(tst_ListPage)
#include "tst_ListPage.moc"

// The organiser against a checker of its own: every hard rule and every bound recounted from the
// assignment alone, on generated grades; the conflicts it names; the same input, the same classes.

#include "GradeMaker.h"
#include "organise/GradeData.h"
#include "organise/Organiser.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using Organiser::Problem;

namespace {

QStringList namesOf(const Problem& p) {
    QStringList n;
    for (int i = 0; i < p.pupils.size(); ++i)
        n << u"P"_s + QString::number(i);
    return n;
}

// What is wrong with the assignment, recounted without the organiser's figures.
QStringList check(const Problem& p, const QList<int>& a, bool countsToo) {
    QStringList wrong;
    const int K = p.classes, n = int(p.pupils.size());
    if (a.size() != n)
        return {u"assignment size"_s};
    QList<int> size(K, 0);
    for (int k : a) {
        if (k < 0 || k >= K)
            return {u"class out of range"_s};
        ++size[k];
    }
    for (int k = 0; k < K; ++k)
        if (size[k] < n / K || size[k] > (n + K - 1) / K || size[k] > p.cap)
            wrong << u"size %1"_s.arg(k);
    for (const auto& [x, y] : p.rules.apart)
        if (a[x] == a[y])
            wrong << u"apart %1 %2"_s.arg(x).arg(y);
    for (const QList<int>& g : p.rules.together)
        for (int x : g)
            if (a[x] != a[g[0]])
                wrong << u"together %1"_s.arg(x);
    for (const auto& [x, k] : p.rules.fixed)
        if (a[x] != k)
            wrong << u"fixed %1"_s.arg(x);
    if (!countsToo)
        return wrong;
    // Each kind of count: its key for a pupil, and the bound from its total.
    const QList<std::function<int(const Organiser::Pupil&)>> keys{
        [](const Organiser::Pupil& x) { return x.boy ? 1 : 0; },
        [](const Organiser::Pupil& x) { return x.oldClass * 2 + x.boy; },
        [](const Organiser::Pupil& x) { return x.band * 2 + x.boy; }};
    for (const auto& key : keys) {
        QMap<int, int> total;
        QMap<std::pair<int, int>, int> in;
        for (int i = 0; i < n; ++i) {
            ++total[key(p.pupils[i])];
            ++in[{a[i], key(p.pupils[i])}];
        }
        for (auto it = total.begin(); it != total.end(); ++it)
            for (int k = 0; k < K; ++k) {
                const int c = in.value({k, it.key()});
                if (c < it.value() / K || c > (it.value() + K - 1) / K)
                    wrong << u"count %1 in %2"_s.arg(it.key()).arg(k);
            }
    }
    return wrong;
}

} // namespace

class tst_Organiser : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void propose_generatedGrades_meetEveryRuleAndBound_data();
    void propose_generatedGrades_meetEveryRuleAndBound();
    void propose_sameInput_sameClasses_otherSeed_sameQuality();
    void propose_largeGrade_meansWithinATenth();
    void propose_conflictingRules_namesTheirPupils_data();
    void propose_conflictingRules_namesTheirPupils();
    void offBound_forcedByRules_namesTheRule_data();
    void offBound_forcedByRules_namesTheRule();
    void band_ranksIntoFifths_data();
    void band_ranksIntoFifths();
};

void tst_Organiser::propose_generatedGrades_meetEveryRuleAndBound_data() {
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<bool>("rules");
    for (quint64 s = 1; s <= 15; ++s)
        QTest::newRow(qPrintable(u"grade %1%2"_s.arg(s).arg(s % 3 == 0 ? u" no rules"_s : QString())))
            << s << (s % 3 != 0);
}

void tst_Organiser::propose_generatedGrades_meetEveryRuleAndBound() {
    QFETCH(quint64, seed);
    QFETCH(bool, rules);
    Organiser::Random r(seed * 7919);
    GradeMaker::Ask ask;
    ask.oldClasses = 2 + r.below(7);
    ask.minSize = 20;
    ask.maxSize = 40;
    ask.newClasses = std::max(2, ask.oldClasses + r.below(3) - 1);
    ask.apart = rules ? r.below(12) : 0;
    ask.together = rules ? r.below(6) : 0;
    ask.fixed = rules ? r.below(4) : 0;
    ask.flagged = r.below(20);
    Problem p = GradeMaker::make(ask, seed);
    p.classes = std::max(p.classes, int(p.pupils.size() + p.cap - 1) / p.cap);
    const Organiser::Proposal out = Organiser::propose(p, namesOf(p), 1);
    QVERIFY2(!out.assignment.isEmpty(), qPrintable(out.conflicts.value(0).what));
    const QStringList wrong = check(p, out.assignment, !rules);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u", "_s)));
    // The figures the window shows agree with the recount.
    QVERIFY(out.figures.rulesMet());
    if (!rules)
        QCOMPARE(out.figures.offBound, 0);
    int total = 0;
    for (const Organiser::ClassFigures& f : out.figures.classes)
        total += f.pupils;
    QCOMPARE(total, p.pupils.size());
}

void tst_Organiser::propose_sameInput_sameClasses_otherSeed_sameQuality() {
    const Problem p = GradeMaker::make({}, 11);
    const Organiser::Proposal a = Organiser::propose(p, namesOf(p), 1);
    const Organiser::Proposal b = Organiser::propose(p, namesOf(p), 1);
    const Organiser::Proposal c = Organiser::propose(p, namesOf(p), 2);
    QCOMPARE(a.assignment, b.assignment);
    QVERIFY(a.assignment != c.assignment);
    QCOMPARE(c.figures.offBound, 0);
    QVERIFY(check(p, c.assignment, false).isEmpty());
}

void tst_Organiser::propose_largeGrade_meansWithinATenth() {
    // 6 x 40, 20 pairs apart, 10 groups together, 5 fixed: what the hand-dealt snake leaves at about 2.
    const Problem p = GradeMaker::make({}, 3);
    const Organiser::Proposal out = Organiser::propose(p, namesOf(p), 1);
    QVERIFY(check(p, out.assignment, false).isEmpty());
    QCOMPARE(out.figures.offBound, 0);
    QVERIFY2(out.figures.spread <= 0.1, qPrintable(QString::number(out.figures.spread)));
}

void tst_Organiser::propose_conflictingRules_namesTheirPupils_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("named");
    QTest::newRow("K+1 all apart") << 0 << QList<int>{0, 1, 2, 3};
    QTest::newRow("group larger than a class") << 1 << QList<int>{};
    QTest::newRow("apart inside a group chain") << 2 << QList<int>{4, 6};
    QTest::newRow("group fixed to two classes") << 3 << QList<int>{4, 6};
    QTest::newRow("apart, both fixed to one class") << 4 << QList<int>{7, 8};
    QTest::newRow("every class barred") << 5 << QList<int>{9, 10, 11, 12};
}

void tst_Organiser::propose_conflictingRules_namesTheirPupils() {
    QFETCH(int, kind);
    QFETCH(QList<int>, named);
    Problem p = GradeMaker::make({3, 20, 20, 3, 0, 0, 0, 0, 35}, 5);
    switch (kind) {
    case 0: // four pupils pairwise apart, three classes; a fifth apart from one only is not named
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b)
                p.rules.apart.append({a, b});
        p.rules.apart.append({0, 20});
        break;
    case 1:
        for (int i = 0; i < 21; ++i)
            named.append(i);
        p.rules.together = {named.mid(0, 11), named.mid(10)};
        break;
    case 2:
        p.rules.together = {{4, 5}, {5, 6}};
        p.rules.apart = {{4, 6}};
        break;
    case 3:
        p.rules.together = {{4, 5}, {5, 6}};
        p.rules.fixed = {{4, 0}, {6, 2}};
        break;
    case 4:
        p.rules.fixed = {{7, 1}, {8, 1}};
        p.rules.apart = {{7, 8}};
        break;
    case 5:
        p.rules.fixed = {{10, 0}, {11, 1}, {12, 2}};
        p.rules.apart = {{9, 10}, {9, 11}, {9, 12}};
        break;
    }
    const Organiser::Proposal out = Organiser::propose(p, namesOf(p), 1);
    QVERIFY(out.assignment.isEmpty());
    QCOMPARE(out.conflicts.size(), 1);
    QList<int> got = out.conflicts[0].pupils;
    std::sort(got.begin(), got.end());
    QCOMPARE(got, named);
    QVERIFY(out.conflicts[0].what.contains(u"P"_s + QString::number(named.value(0))));
}

void tst_Organiser::offBound_forcedByRules_namesTheRule_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("rule");
    QTest::newRow("boys fixed to the class") << 0 << u"この組に決めてある"_s;
    QTest::newRow("girls fixed to the others") << 1 << u"ほかの組に決めてある"_s;
    QTest::newRow("girls kept together") << 2 << u"同じ組にする"_s;
}

void tst_Organiser::offBound_forcedByRules_namesTheRule() {
    QFETCH(int, kind);
    QFETCH(QString, rule);
    Problem p = GradeMaker::make({3, 20, 20, 3, 0, 0, 0, 0, 35}, 9);
    QList<int> boys, girls;
    for (int i = 0; i < p.pupils.size(); ++i)
        (p.pupils[i].boy ? boys : girls).append(i);
    const QList<int>& sex = kind == 0 ? boys : girls;
    const int high = int(sex.size() + 2) / 3, low = int(sex.size()) / 3;
    if (kind == 0)
        for (int i = 0; i <= high; ++i)
            p.rules.fixed.append({boys[i], 0});
    if (kind == 1)
        for (int i = 0; i <= int(girls.size()) - low; ++i)
            p.rules.fixed.append({girls[i], i % 2});
    if (kind == 2)
        p.rules.together = {girls.mid(0, high + 1)};
    const Organiser::Proposal out = Organiser::propose(p, namesOf(p), 1);
    QVERIFY(out.figures.rulesMet());
    QVERIFY(out.figures.offBound > 0);
    const QList<Organiser::OffBound> off = Organiser::offBound(p, out.assignment, namesOf(p));
    QCOMPARE(off.size(), out.figures.offBound);
    const int cls = kind == 1 ? 2 : out.assignment[sex[0]];
    const auto it = std::find_if(off.begin(), off.end(), [&](const Organiser::OffBound& o) {
        return o.cls == cls && o.what == (kind == 0 ? u"男"_s : u"女"_s);
    });
    QVERIFY(it != off.end());
    QVERIFY2(it->why.contains(rule), qPrintable(it->why));
    QVERIFY2(it->why.contains(namesOf(p)[kind == 1 ? girls[0] : sex[0]]), qPrintable(it->why));
}

void tst_Organiser::band_ranksIntoFifths_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<int>>("bands");
    QTest::newRow("5") << 5 << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("7") << 7 << QList<int>{1, 1, 2, 3, 3, 4, 5};
    QTest::newRow("2") << 2 << QList<int>{1, 3};
    QTest::newRow("1") << 1 << QList<int>{1};
}

void tst_Organiser::band_ranksIntoFifths() {
    QFETCH(int, n);
    QFETCH(QList<int>, bands);
    QList<int> got;
    for (int r = 1; r <= n; ++r)
        got.append(GradeData::bandOf(r, n));
    QCOMPARE(got, bands);
}

QTEST_GUILESS_MAIN(tst_Organiser)
#include "tst_Organiser.moc"

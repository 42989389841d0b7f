// The numbers behind the distribution chart: bands as the lists show the figures, the split by the
// marks given, and the class mean and median.

#include "termcalc/Distribution.h"

#include <QtTest>

#include <limits>

using namespace Qt::StringLiterals;

namespace {
const QStringList kView{u"◎"_s, u"○"_s, u"△"_s};
const QStringList kSubject{u"３"_s, u"２"_s, u"１"_s};
const double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

class tst_Distribution : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bandOf_edges_data();
    void bandOf_edges();
    void compute_splitsEachBandByTheMarksGiven();
    void compute_meanAndMedian_data();
    void compute_meanAndMedian();
    void compute_blankFiguresAreLeftOut();
    void compute_noPupil_hasNoMeanNorMedian();
};

void tst_Distribution::bandOf_edges_data() {
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("band");
    QTest::newRow("0") << 0.0 << 0;
    QTest::newRow("9.9") << 9.9 << 0;
    QTest::newRow("9.94 shows 9.9") << 9.94 << 0;
    QTest::newRow("9.95 shows 10.0") << 9.95 << 1;
    QTest::newRow("10.0") << 10.0 << 1;
    QTest::newRow("19.99 shows 20.0") << 19.99 << 2;
    QTest::newRow("50") << 50.0 << 5;
    QTest::newRow("89.9") << 89.9 << 8;
    QTest::newRow("90") << 90.0 << 9;
    QTest::newRow("99.9") << 99.9 << 9;
    QTest::newRow("100 in the top band") << 100.0 << 9;
    QTest::newRow("100.04 (rounding) in the top band") << 100.04 << 9;
    QTest::newRow("below 0 in the first band") << -0.04 << 0;
    QTest::newRow("62.25 shows 62.3") << 62.25 << 6;
    QTest::newRow("blank") << kNaN << -1;
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << -1;
}

void tst_Distribution::bandOf_edges() {
    QFETCH(double, rate);
    QFETCH(int, band);
    QCOMPARE(Distribution::bandOf(rate), band);
}

void tst_Distribution::compute_splitsEachBandByTheMarksGiven() {
    // Six pupils: two in 90-100 (◎ and unmarked), three in 50-59 (○, ○, △), one in 10-19 (△).
    const QList<double> rates{100.0, 95.5, 50.0, 59.9, 55.0, 10.0};
    const QStringList marks{u"◎"_s, QString(), u"○"_s, u"○ "_s, u"△"_s, u"△"_s};
    const Distribution::Stats s = Distribution::compute(rates, marks, kView);
    QCOMPARE(s.pupils, 6);
    const std::array<int, 4> top{1, 0, 0, 1};
    const std::array<int, 4> fifty{0, 2, 1, 0};
    const std::array<int, 4> ten{0, 0, 1, 0};
    QVERIFY(s.counts[9] == top);
    QVERIFY(s.counts[5] == fifty);
    QVERIFY(s.counts[1] == ten);
    for (int b : {0, 2, 3, 4, 6, 7, 8})
        QCOMPARE(s.bandTotal(b), 0);
    // A text that is not one of this list's marks (a ３２１ mark in a ◎○△ list) counts as none.
    const Distribution::Stats other = Distribution::compute({70.0, 70.0}, {u"３"_s, u"２"_s}, kView);
    QCOMPARE(other.counts[7][Distribution::kUnmarked], 2);
    const Distribution::Stats subject = Distribution::compute({70.0, 70.0}, {u"３"_s, u"２"_s}, kSubject);
    QCOMPARE(subject.counts[7][0], 1);
    QCOMPARE(subject.counts[7][1], 1);
}

void tst_Distribution::compute_meanAndMedian_data() {
    QTest::addColumn<QList<double>>("rates");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("median");
    QTest::newRow("one pupil") << QList<double>{42.0} << 42.0 << 42.0;
    QTest::newRow("odd, unsorted") << QList<double>{90.0, 10.0, 50.0} << 50.0 << 50.0;
    QTest::newRow("even: middle two") << QList<double>{10.0, 20.0, 60.0, 100.0} << 47.5 << 40.0;
    QTest::newRow("ties") << QList<double>{70.0, 70.0, 70.0, 0.0} << 52.5 << 70.0;
}

void tst_Distribution::compute_meanAndMedian() {
    QFETCH(QList<double>, rates);
    QFETCH(double, mean);
    QFETCH(double, median);
    const Distribution::Stats s = Distribution::compute(rates, {}, kView);
    QVERIFY(s.mean && s.median);
    QCOMPARE(*s.mean, mean);
    QCOMPARE(*s.median, median);
}

void tst_Distribution::compute_blankFiguresAreLeftOut() {
    const Distribution::Stats s = Distribution::compute({kNaN, 80.0, 40.0}, {u"◎"_s, u"○"_s, u"△"_s}, kView);
    QCOMPARE(s.pupils, 2);
    QCOMPARE(*s.mean, 60.0);
    QCOMPARE(*s.median, 60.0);
    int all = 0;
    for (int b = 0; b < Distribution::kBands; ++b)
        all += s.bandTotal(b);
    QCOMPARE(all, 2);
    QCOMPARE(s.counts[8][1], 1);
    QCOMPARE(s.counts[4][2], 1);
}

void tst_Distribution::compute_noPupil_hasNoMeanNorMedian() {
    const Distribution::Stats s = Distribution::compute({}, {}, kSubject);
    QCOMPARE(s.pupils, 0);
    QVERIFY(!s.mean && !s.median);
}

QTEST_GUILESS_MAIN(tst_Distribution)
#include "tst_Distribution.moc"

#include "termcalc/TermCalc.h"

#include "core/ScoreCode.h"
#include "core/VOXA1.h"

#include <QtGlobal>

#include <cmath>

using namespace Qt::StringLiterals;

namespace TermCalc {

namespace {
// Below this the percentages count as all equal: a class whose percentages are all 33.33...%
// must get 50, not a figure made of rounding noise.
constexpr double kNoSpread = 1e-9;

double ratio(double points, double allocation) {
    return allocation != 0 ? points / allocation * 100 : 0;
}

// Mean and sample standard deviation; SD 0 for one pupil.
struct Spread {
    double mean = 0;
    double sd = 0;
};
Spread spreadOf(const QList<double>& x) {
    Spread s;
    const qsizetype n = x.size();
    if (n == 0)
        return s;
    double sum = 0;
    for (double v : x)
        sum += v;
    s.mean = sum / static_cast<double>(n);
    if (n < 2)
        return s;
    double sq = 0;
    for (double v : x)
        sq += (v - s.mean) * (v - s.mean);
    s.sd = std::sqrt(sq / static_cast<double>(n - 1));
    return s;
}
} // namespace

int subjectCount(int grade) {
    return grade >= 3 ? 4 : 3;
}

QString subjectName(int k, int grade) {
    switch (k) {
    case 1:
        return u"国語"_s;
    case 2:
        return grade > 2 ? u"社会"_s : u"算数"_s;
    case 3:
        return grade > 2 ? u"算数"_s : u"生活"_s;
    default:
        return u"理科"_s;
    }
}

QList<double> deviations(const QList<double>& rates) {
    const Spread s = spreadOf(rates);
    QList<double> out;
    out.reserve(rates.size());
    for (double r : rates)
        out.append(s.sd < kNoSpread ? 50.0 : (r - s.mean) * 10 / s.sd + 50);
    return out;
}

void calculateTerm(VOXA1& c, int k, int t) {
    const int n = qBound(0, static_cast<int>(c.ClassSize), 42);
    if (n == 0 || k < 1 || k > 4 || t < 1 || t > 3)
        return;
    const int subjects = subjectCount(c.Grade);

    // The allocation of every sheet and viewpoint of the term, per data subject.
    int sheetAlloc[5][21][5] = {};
    for (int j = 1; j <= 4; ++j)
        for (int s = 1; s <= 20; ++s)
            for (int v = 1; v <= 4; ++v)
                sheetAlloc[j][s][v] = ScoreCode::decodeAllocation(c.SheetSetup(j, t).at(s + (v - 1) * 20));

    QList<double> subjRates;
    QList<double> viewRates[5];
    bool anyAllocation[5] = {};
    for (int p = 1; p <= n; ++p) {
        PupilRec& pupil = c.Pupil(p);
        // The absence marks of the term, from the stored marks, for every subject of the class.
        int allocTotal[5][5] = {}; // (subject, viewpoint) over the sheets the pupil sat
        for (int j = 1; j <= 4; ++j) {
            const auto& marks = pupil.SheetMarks(j, t);
            for (int s = 1; s <= 20; ++s) {
                const bool absent = j <= subjects && marks.isAbsent(s);
                for (int v = 1; v <= 4; ++v) {
                    c.AbsentTable(p, v, j, t, s) = absent ? 10 : 0;
                    if (j <= subjects && !absent)
                        allocTotal[j][v] += sheetAlloc[j][s][v];
                }
            }
        }
        const auto& marks = pupil.SheetMarks(k, t);
        int subjScore = 0;
        int allocSum = 0;
        for (int v = 1; v <= 4; ++v) {
            int points = 0;
            for (int s = 1; s <= 20; ++s)
                if (!marks.isAbsent(s))
                    points += ScoreCode::points(marks.at(s + (v - 1) * 20));
            pupil.ViewScore(t, k, v) = static_cast<qint16>(points);
            pupil.ViewRate(t, k, v) = ratio(points, allocTotal[k][v]);
            viewRates[v].append(pupil.ViewRate(t, k, v));
            anyAllocation[v] = anyAllocation[v] || allocTotal[k][v] != 0;
            subjScore += points;
            allocSum += allocTotal[k][v];
        }
        pupil.SubjScore(t, k) = static_cast<qint16>(subjScore);
        pupil.SubjRate(t, k) = ratio(subjScore, allocSum);
        subjRates.append(pupil.SubjRate(t, k));
    }
    for (int v = 1; v <= 4; ++v) {
        // A viewpoint no pupil had any allocation for has no deviation value.
        const QList<double> dev = deviations(viewRates[v]);
        const bool flat = spreadOf(viewRates[v]).sd < kNoSpread;
        for (int p = 1; p <= n; ++p)
            c.Pupil(p).ViewDev(t, k, v) = (flat || anyAllocation[v]) ? dev[p - 1] : 0.0;
    }
    const QList<double> dev = deviations(subjRates);
    for (int p = 1; p <= n; ++p)
        c.Pupil(p).SubjDev(t, k) = dev[p - 1];
}

void calculateYear(VOXA1& c, int k) {
    const int n = qBound(0, static_cast<int>(c.ClassSize), 42);
    if (n == 0 || k < 1 || k > 4)
        return;
    auto byRule = [](const PupilRec& p, int k, auto rateOf) {
        if (p.SubjRate(2, k) == 0) // rule C, whatever term 1 holds
            return rateOf(3);
        if (p.SubjRate(1, k) == 0) // rule B
            return (rateOf(2) + rateOf(3)) / 2;
        return (rateOf(1) + rateOf(2) + rateOf(3)) / 3; // rule A
    };
    QList<double> viewRates[5];
    QList<double> subjRates;
    for (int p = 1; p <= n; ++p) {
        PupilRec& pupil = c.Pupil(p);
        for (int v = 1; v <= 4; ++v) {
            pupil.ViewScore(4, k, v) = static_cast<qint16>(
                pupil.ViewScore(1, k, v) + pupil.ViewScore(2, k, v) + pupil.ViewScore(3, k, v));
            pupil.ViewRate(4, k, v) = byRule(pupil, k, [&](int t) { return pupil.ViewRate(t, k, v); });
            viewRates[v].append(pupil.ViewRate(4, k, v));
        }
        pupil.SubjScore(4, k) =
            static_cast<qint16>(pupil.SubjScore(1, k) + pupil.SubjScore(2, k) + pupil.SubjScore(3, k));
        pupil.SubjRate(4, k) = byRule(pupil, k, [&](int t) { return pupil.SubjRate(t, k); });
        subjRates.append(pupil.SubjRate(4, k));
    }
    for (int v = 1; v <= 4; ++v) {
        // A viewpoint the whole class has 0 for gets 0, not 50.
        const bool meanZero = spreadOf(viewRates[v]).mean == 0;
        const QList<double> dev = deviations(viewRates[v]);
        for (int p = 1; p <= n; ++p)
            c.Pupil(p).ViewDev(4, k, v) = meanZero ? 0.0 : dev[p - 1];
    }
    const QList<double> dev = deviations(subjRates);
    for (int p = 1; p <= n; ++p)
        c.Pupil(p).SubjDev(4, k) = dev[p - 1];
}

void declineYear(VOXA1& c, int k) {
    const int n = qBound(0, static_cast<int>(c.ClassSize), 42);
    for (int p = 1; p <= n; ++p) {
        c.Pupil(p).SubjRate(4, k) = 0;
        c.Pupil(p).SubjDev(4, k) = 0;
    }
}

bool allTermsCalculated(const VOXA1& c) {
    for (int k = 1; k <= subjectCount(c.Grade); ++k)
        for (int t = 1; t <= 3; ++t)
            if (c.CalcMark(t, k) != u"O"_s)
                return false;
    return true;
}

} // namespace TermCalc

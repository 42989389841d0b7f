#include "termcalc/Distribution.h"

#include "core/NumberFormat.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace Distribution {

int Stats::bandTotal(int band) const {
    int n = 0;
    for (int m : counts.at(static_cast<size_t>(band)))
        n += m;
    return n;
}

int bandOf(double rate) {
    if (!std::isfinite(rate))
        return -1;
    // The band follows the figure the teacher reads in the list, not the digits behind it.
    const double shown = NumberFormat::format(rate, u"##0.0"_s).toDouble();
    return std::clamp(static_cast<int>(std::floor(shown / 10)), 0, kBands - 1);
}

Stats compute(const QList<double>& rates, const QStringList& givenMarks, const QStringList& markOrder) {
    Stats s;
    QList<double> figures;
    for (qsizetype i = 0; i < rates.size(); ++i) {
        const int band = bandOf(rates[i]);
        if (band < 0)
            continue;
        int mark = kUnmarked;
        const QString given = givenMarks.value(i).trimmed();
        for (int m = 0; m < 3 && m < markOrder.size(); ++m)
            if (!given.isEmpty() && given.startsWith(markOrder[m]))
                mark = m;
        ++s.counts[static_cast<size_t>(band)][static_cast<size_t>(mark)];
        figures.append(rates[i]);
    }
    s.pupils = static_cast<int>(figures.size());
    if (figures.isEmpty())
        return s;
    double sum = 0;
    for (double x : std::as_const(figures))
        sum += x;
    s.mean = sum / static_cast<double>(figures.size());
    std::sort(figures.begin(), figures.end());
    const qsizetype n = figures.size();
    s.median = n % 2 == 1 ? figures[n / 2] : (figures[n / 2 - 1] + figures[n / 2]) / 2;
    return s;
}

} // namespace Distribution

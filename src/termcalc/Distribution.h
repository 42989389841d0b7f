#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Where the pupils of an evaluation list stand in the class: their percentages in the bands
// 0-9, 10-19, ..., 90-100 %, each band split by the marks already given, with the class mean and
// median. The chart beside the evaluation lists draws these numbers.
namespace Distribution {

constexpr int kBands = 10;
// Index of the unmarked part of a band (the marks are 0..2 in the order the list gives them).
constexpr int kUnmarked = 3;

struct Stats {
    // counts[band][mark]: mark 0..2 in the order given, kUnmarked for pupils without a mark yet.
    std::array<std::array<int, 4>, kBands> counts{};
    int pupils = 0; // pupils with a figure
    std::optional<double> mean;
    std::optional<double> median;
    int bandTotal(int band) const;
    bool operator==(const Stats&) const = default;
};

// The band of a percentage as the lists show it (one decimal, halves rounded away from zero):
// 9.96 shows as 10.0 and stands in 10-19, 100 stands in 90-100, below 0 in 0-9. -1 for a
// percentage that is blank (NaN, infinite).
int bandOf(double rate);

// The numbers of a list: one percentage and one given mark (any text; only a text starting with
// one of `markOrder` counts as that mark) per pupil. Blank percentages are left out of everything.
Stats compute(const QList<double>& rates, const QStringList& givenMarks, const QStringList& markOrder);

} // namespace Distribution

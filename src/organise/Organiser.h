#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Next year's classes: the grade's pupils dealt into K new classes so that every rule the teachers
// set holds (class sizes, pupils kept apart, kept together, fixed to a class) and everything else is
// as even as it can be: boys, girls, each old class by sex, each band by sex and each flag within
// ⌊n/K⌋..⌈n/K⌉ in every class, then the class means as close as they can be made. No widgets here;
// pupils are named by their index in `Problem::pupils`.
namespace Organiser {

constexpr int kFlags = 4;
constexpr int kBands = 5;

struct Pupil {
    bool boy = false; // a pupil whose sex is not set counts with the girls
    int oldClass = 0; // 0.. (index into Problem::oldClasses)
    int band = 3;     // 1..5, 1 the top fifth of the old class
    std::optional<double> mean;
    unsigned flags = 0; // bit i: flag i
};

struct Rules {
    QList<std::pair<int, int>> apart;
    QList<QList<int>> together;
    QList<std::pair<int, int>> fixed; // pupil, new class 0..K-1
};

struct Problem {
    QList<Pupil> pupils;
    QStringList oldClasses; // names for the figures ("5-1")
    QStringList flagNames;  // kFlags names
    QStringList classNames; // names of the new classes for messages ("6年1組"); "1組" … where empty
    int classes = 1;
    int cap = 35;
    Rules rules;
};

// A rule that cannot be met, with the pupils it concerns (indices), in words for the teacher.
struct Conflict {
    QString what;
    QList<int> pupils;
};

// The rules that cannot all hold, found before any search: a together group larger than a class, a
// pair to keep apart inside a together group, two pupils of one group fixed to different classes,
// more pupils fixed to a class than it holds, more pupils that must all be apart than there are
// classes, a pupil whose every class is barred by fixed pupils it must be kept apart from. Empty
// when none of these is found. `names` gives each pupil's name for the texts.
QList<Conflict> conflicts(const Problem& p, const QStringList& names);

// One count of a class beside what it should be.
struct Count {
    QString what; // "男", "5-1 女", "帯1 男", "リーダー"
    int count = 0, low = 0, high = 0;
    bool met() const { return count >= low && count <= high; }
};
struct ClassFigures {
    int pupils = 0, boys = 0, girls = 0;
    int sizeLow = 0, sizeHigh = 0;
    std::optional<double> mean;
    QList<Count> counts; // boys and girls first, then old classes by sex, bands by sex, flags
};
struct Figures {
    QList<ClassFigures> classes;
    double spread = 0;   // the largest class mean minus the smallest
    int apartBroken = 0; // pairs to keep apart in one class
    int togetherBroken = 0;
    int fixedBroken = 0;
    int sizeBroken = 0; // classes outside ⌊N/K⌋..⌈N/K⌉ or above the cap
    int offBound = 0;   // counts outside their bounds
    bool rulesMet() const { return apartBroken + togetherBroken + fixedBroken + sizeBroken == 0; }
};
// The figures of an assignment (pupil → class 0..K-1).
Figures figures(const Problem& p, const QList<int>& assignment);

// A count of a class off its bound, with the rule that forces it there where one is found: pupils
// of the count fixed to the class, or to the other classes, or a together group holding more of them
// than the bound. `why` is empty when no rule forces it (the search found nothing better).
struct OffBound {
    int cls = 0;
    QString what;
    QString why;
};
QList<OffBound> offBound(const Problem& p, const QList<int>& assignment, const QStringList& names);

struct Proposal {
    QList<int> assignment; // empty when there is none
    QList<Conflict> conflicts;
    Figures figures;
};
// The proposal for the seed: the same problem and seed give the same assignment on every machine.
// When the rules conflict there is none, and `conflicts` says which rules and pupils.
Proposal propose(const Problem& p, const QStringList& names, quint64 seed = 1);

// The generator behind the search (splitmix64): the same numbers everywhere, unlike std:: distributions.
class Random {
public:
    explicit Random(quint64 seed) : m_state(seed) {}
    quint64 next();
    // 0..n-1, n > 0.
    int below(int n);

private:
    quint64 m_state;
};

} // namespace Organiser

#pragma once

#include "organise/OrganiseSession.h"

class PrintSurface;

// The printouts of next year's classes, on the print surface as every printout.
namespace OrganisePrint {

// For the staff meeting: a page for each new class with its pupils (old class and number, mean,
// band, flags) and beside them its figures, each with its bound.
void staffPages(PrintSurface& ps, const OrganiseSession& s, const QString& school);
// For the teachers of this year: a page for each old class, its pupils in attendance order and the
// new class each goes to.
void byOldClassPages(PrintSurface& ps, const OrganiseSession& s, const QString& school);
// For posting: a page for each new class with its pupils' names only, in the order of the rosters
// (no scores, no flags, no rules).
void postingPages(PrintSurface& ps, const OrganiseSession& s, const QString& school);

// "20～21", or "20" where both ends are one.
QString boundText(int low, int high);

// The flags a pupil has, by the first character of each name ("リ要").
QString flagMarks(const OrganiseRules& r, const QString& id);
// "男", "女", or "？" for a sex not set.
QString sexWord(const QString& sex);
// A mean to one place, or "－" where there is none.
QString meanText(const std::optional<double>& mean);

// The spread of the class means in points, to two places ("0.02").
QString spreadText(double spread);

constexpr int kPageColumns = 92;

} // namespace OrganisePrint

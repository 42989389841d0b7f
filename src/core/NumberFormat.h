#pragma once

#include <QString>

// How numbers become text on screen and on paper.
namespace NumberFormat {

// With a blank in front of a non-negative number (" 3", "-3", " .5"): numbers in messages, list
// rows and labels.
QString withBlank(int n);
QString withBlank(double x);
// Without the blank ("3", "0.5"): entry boxes and totals.
QString plain(int n);
QString plain(double x);

// The display patterns of the lists and pages:
//   "###", "##"  whole number, halves rounded away from zero, nothing at all for 0;
//   "###.#"      one decimal, no leading zero, a trailing zero decimal not shown (0 -> ".", 100 -> "100.");
//   "##0.0"      one decimal, at least one integer digit (0 -> "0.0").
// Rounding works on the number's 15 significant decimal digits, so 62.25 gives "62.3". NaN and the
// infinities show as nothing, in every pattern and in withBlank and plain.
QString format(double x, const QString& pattern);

// Real to integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4); NaN gives 0 and numbers
// beyond an int's range the nearest int.
int toInt(double x);

} // namespace NumberFormat

#pragma once

#include <QString>

// Small text helpers shared by the windows and the printed pages.
namespace TextHelpers {

// The text followed by spaces up to the width (unchanged when it is already as long).
QString PadRight(const QString& text, int width);
// The text without the half-width spaces that pad it on the right (full-width spaces stay).
QString TrimPadding(const QString& text);
// The text with blanks in front up to the width (unchanged when it is already as long).
QString RightJustify(const QString& text, int width);
// The text up to its first blank, half- or full-width (all of it when there is none): the school
// name as the windows' headings show it.
QString CutAtBlank(const QString& text);

// The text up to and including the first occurrence of the first marker; failing that, up to and
// including the first occurrence of the second marker; failing both, an empty text.
QString CutAfter(const QString& text, const QString& first, const QString& second);

void SwapText(QString& a, QString& b);
void SwapInt(qint16& a, qint16& b);
void SwapDouble(double& a, double& b);

// The school line of printed pages: "横浜市" + "立" + "みなと小" + "学校". The city part runs up to
// and including the first "市", else the first "区", else the first "町" (empty when none occurs);
// the school part up to and including the first "小" (empty when there is none).
QString SchoolLine(const QString& cityName, const QString& schoolName);
// The school's own name: a full official name typed into 学校名 ("横浜市立桜ヶ丘小学校") without its
// "…市立" (区立, 町立, 村立, 都立, 道立, 府立, 県立) in front, so the city is not printed twice; any
// other name as it is.
QString OwnSchoolName(const QString& schoolName);

} // namespace TextHelpers

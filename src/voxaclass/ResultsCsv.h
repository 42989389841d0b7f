#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct VOXA1;

// The class's results of one term (4: the year) as CSV for school systems and spreadsheets: a
// header row with the class's own subject and viewpoint names, then one row per pupil in roster
// order: number, name, sex, and for each subject its percentage, deviation value and mark, then
// per viewpoint in use its percentage and mark. Figures with one decimal; a blank figure stays
// empty. Fields are quoted where they must be (RFC 4180); every line ends in CR LF.
namespace ResultsCsv {

enum class Encoding {
    Cp932, // what Japanese Excel opens without asking
    Utf8   // with a byte order mark
};

struct Output {
    QByteArray bytes;
    // What the reader of the file should know: subjects not calculated in that term (their
    // columns are empty).
    QStringList warnings;
};

Output write(const VOXA1& c, int term, Encoding encoding);

// One field as CSV holds it: in double quotes, with quotes doubled, when it has a comma, a quote
// or a line end.
QString field(const QString& text);

} // namespace ResultsCsv

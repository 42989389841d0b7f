#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct VOXA1;

// Names and sexes from a comma-separated file another program wrote: pairs of name and sex in
// roster order, one or several pairs a line.
namespace NameImport {

// The file's text: UTF-8 when it starts with the byte order mark spreadsheet programs write for
// "CSV UTF-8", otherwise code page 932.
QString decode(const QByteArray& bytes);

// The fields in order. Commas and line ends separate them; a field in double quotes may hold
// commas (and a doubled quote stands for one); blanks in front of an unquoted field are dropped.
QStringList fields(const QString& text);

// "1" for 1 or 男, "2" for 2 or 女 (half- or full-width digits); an empty text for anything else.
QString sexOf(const QString& field);

// Fills PName and Sex of pupils 1..ClassSize from the pairs, in order. A sex that is not one of the
// above leaves the pupil's sex as it was; names are cut to 20 characters. A file with fewer pairs
// stops at its end, keeping the pupils read so far. Returns how many names were taken.
int apply(VOXA1& c, const QStringList& fields);

} // namespace NameImport

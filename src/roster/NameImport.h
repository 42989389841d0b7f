#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct VOXA1;

// Names and sexes from a comma-separated file another program wrote: pairs of name and sex in
// roster order, one or several pairs a line.
namespace NameImport {

// The largest file taken: far more than 42 names and sexes can need.
constexpr qint64 kMaxFileSize = 1024 * 1024;

// The file's text: UTF-16 or UTF-8 when it starts with their byte order mark, UTF-8 without one
// when the bytes are valid UTF-8 (as LibreOffice writes it), otherwise code page 932.
QString decode(const QByteArray& bytes);

// Reads and decodes the file (host path). An empty text and the message for the teacher when the
// file cannot be read or is larger than kMaxFileSize; nothing more than that is ever read.
QString readFile(const QString& nativePath, QString* error);

// The first name among the pairs that holds a character the class files cannot store, as the
// message for the teacher; an empty text when every name can be stored.
QString unstorableName(const QStringList& fields, int classSize);

// The fields in order. Commas and line ends separate them; a field in double quotes may hold
// commas (and a doubled quote stands for one); blanks in front of an unquoted field are dropped.
// Line ends, tabs, NUL and the end-of-file mark 0x1A never stay inside a field.
QStringList fields(const QString& text);

// "1" for 1 or 男, "2" for 2 or 女; an empty text for anything else (full-width digits too).
QString sexOf(const QString& field);

// Fills PName and Sex of pupils 1..ClassSize from the pairs, in order. A sex that is not one of the
// above leaves the pupil's sex as it was. A name longer than the 20 bytes a name is stored in (ten
// full-width characters) is cut there, never through a character, and listed in `cut` as
// "名前 → 切った名前". A file with fewer pairs stops at its end, keeping the pupils read so far.
// Returns how many names were taken.
int apply(VOXA1& c, const QStringList& fields, QStringList* cut = nullptr);

} // namespace NameImport

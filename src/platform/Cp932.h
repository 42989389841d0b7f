#pragma once

#include <QByteArray>
#include <QString>

// Text crossing into and out of the class files and the settings file: Microsoft code page 932
// (Shift_JIS with the NEC and IBM extensions, so names like 髙橋 and 山﨑 survive).
namespace Cp932 {

QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

// The first character of the text that code page 932 has no code for (𠮷, emoji, ...), or an empty
// text when every character can be stored. Such a character would be stored as "?" and lost.
QString firstUnencodable(const QString& text);

// True for a byte that starts a two-byte character.
bool isLeadByte(unsigned char b);

// The text as exactly n bytes: cut at n without splitting a two-byte character (the freed byte
// becomes a space), padded with spaces when shorter.
QByteArray fixedBytes(const QString& text, int n);

// How many half-width cells the text takes on the character grid of the printed page.
int cellWidth(const QString& text);
// The text cut to at most `columns` half-width cells, never splitting a character.
QString leftColumns(const QString& text, int columns);

} // namespace Cp932

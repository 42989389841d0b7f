#pragma once

#include <QString>

// Class passwords: as typed, right-padded with "0" to ten characters; "0000000000" is none.
namespace Password {

const QString& none();

// The typed text padded with "0" to ten characters (a longer text stays as typed).
QString padded(const QString& typed);

// Whether a typed entry opens a class with the stored password: both sides upper-cased, the entry
// padded with "0" like a stored one.
bool matches(const QString& typed, const QString& stored);

} // namespace Password

#pragma once

#include <QString>

class QLineEdit;

// Text boxes whose contents go into the class files, which hold code page 932. A character that
// code page has no code for (𠮷, emoji) would be stored as "?" and lost: typed or pasted, it is
// refused with a message naming the character and the field, and the box keeps its text from
// before.
namespace TextGuard {

void watch(QLineEdit* box, const QString& fieldName);

// The message for a character that cannot be stored, naming it and the field.
QString refusal(const QString& character, const QString& fieldName);

} // namespace TextGuard

#pragma once

#include <QString>

class QLineEdit;

// Text boxes whose contents go into the class files, which hold code page 932. A character that
// code page has no code for (𠮷, emoji) would be stored as "?" and lost: typed, pasted or committed
// by the input method, it is refused with a message naming the character and the field, and the
// box keeps its text from before. A text longer than the `maxBytes` of code page 932 its field is
// stored in (when given; a full-width character takes two) is refused the same way rather than cut
// when the class is saved and opened again.
//
// The box's text is put back and the input method's composition dropped before the message shows,
// and a refusal never leads to another one while its message is up: the message's window activates
// the program's window again, and an input method then sends its composition once more. The same
// refused character sent again at once is put back without a second message.
namespace TextGuard {

void watch(QLineEdit* box, const QString& fieldName, int maxBytes = 0);

// The message for a character that cannot be stored, naming it and the field.
QString refusal(const QString& character, const QString& fieldName);
// The message for a text longer than the field holds: "名前は全角10文字・半角20文字までです。"
QString tooLong(const QString& fieldName, int maxBytes);

} // namespace TextGuard

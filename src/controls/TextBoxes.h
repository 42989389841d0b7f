#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;
class QWidget;

// What the text boxes of the program need from the input method (IME) of a Japanese teacher.
namespace TextBoxes {

// Turns the input method on or off for the box. The input method asks whether a box takes it only
// when the focus moves, so a box that has the focus tells it at once.
void allowInputMethod(QWidget* box, bool on);

// Keeps track of the box's composition (the underlined text not yet committed), so that it can be
// dropped when the box is loaded for another pupil or cell.
void trackComposition(QLineEdit* box);
// Drops a composition pending in the box: the box shows none, the input method starts afresh, and a
// commit of the dropped text that still arrives (an input method that kept it) is ignored. Call it
// before the box is loaded with another value.
void dropComposition(QLineEdit* box);

// The box shows the start of its text whenever it is not being edited (a long name scrolled to its
// end would show only its last characters).
void showStartWhenIdle(QLineEdit* box);

// Full-width digits, ｋ/Ｋ, the full-width point and minus as their half-width forms ("１０" → "10").
QString halfWidth(const QString& text);

// A validator that first turns full-width digits and letters into half-width ones, then accepts
// what the pattern accepts (an empty pattern: anything).
class HalfWidthValidator : public QValidator {
public:
    HalfWidthValidator(const QString& pattern, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    QString m_pattern;
};

} // namespace TextBoxes

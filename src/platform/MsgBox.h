#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QMessageBox;

// Every notice and question of the program goes through here, so tests can answer them in order
// and see what the teacher would have seen.
class MsgBox {
public:
    enum Buttons { OkOnly, OkCancel, YesNoCancel, YesNo };
    enum Icon { NoIcon, Information, Question, Warning, Critical };
    enum Answer { Ok, Cancel, Yes, No };

    struct Shown {
        QString text;
        QString title;
        Buttons buttons;
        Icon icon;
        Answer defaultAnswer;
        QStringList captions; // the buttons' own words, when they are not OK / Cancel / Yes / No
    };

    static const QString& defaultTitle();

    // Shows a box and returns the button pressed. A line break written as CR LF in the text is
    // shown as a line break.
    static Answer show(const QString& text, Buttons buttons = OkOnly, Icon icon = Information,
                       const QString& title = defaultTitle(), Answer defaultAnswer = Ok);

    // A question with three answers that say what they do: Yes is the first caption (the default),
    // No the second, Cancel the third (also Esc and the title bar's close button). With two
    // captions there is no No: Yes and Cancel. `defaultAnswer` is the button Enter presses.
    static Answer ask(const QString& text, const QStringList& captions, Icon icon = Question,
                      const QString& title = defaultTitle(), Answer defaultAnswer = Yes);

    // A notice with an OK button.
    static void notice(const QString& text, Icon icon = Information, const QString& title = defaultTitle()) {
        show(text, OkOnly, icon, title, Ok);
    }

    // How every box looks: its title, a frame with only the close button, never narrower than
    // the title needs.
    static void frame(QMessageBox& box, const QString& title);

    // Test double: while on, no box appears; answers come from the queue in order, every box is
    // recorded, and a box that finds the queue empty is counted as unanswered (and gets Cancel,
    // or OK when it has no other button).
    static void setTesting(bool on);
    static void queueAnswer(Answer a);
    static const QList<Shown>& shown();
    static int unanswered();
    static int pendingAnswers();
    static void reset();
    // Answers boxes that find the queue empty (a random walk through the windows answers this way);
    // such boxes are not counted as unanswered. An empty function turns it off.
    static void setAnswerer(std::function<Answer(const Shown&)> answerer);
};

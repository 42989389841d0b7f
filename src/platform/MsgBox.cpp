#include "platform/MsgBox.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QQueue>

using namespace Qt::StringLiterals;

namespace {
struct State {
    bool testing = false;
    QQueue<MsgBox::Answer> answers;
    QList<MsgBox::Shown> shown;
    int unanswered = 0;
    std::function<MsgBox::Answer(const MsgBox::Shown&)> answerer;
};
State& state() {
    static State s;
    return s;
}
} // namespace

const QString& MsgBox::defaultTitle() {
    static const QString t = u"Voxa2003 For WinXp"_s;
    return t;
}

namespace {
MsgBox::Answer answerInTests(const MsgBox::Shown& box) {
    State& s = state();
    s.shown.append(box);
    if (!s.answers.isEmpty())
        return s.answers.dequeue();
    if (s.answerer)
        return s.answerer(box);
    ++s.unanswered;
    return box.buttons == MsgBox::OkOnly ? MsgBox::Ok : MsgBox::Cancel;
}
} // namespace

MsgBox::Answer MsgBox::ask(const QString& text, const QStringList& captions, Icon icon, const QString& title,
                           Answer defaultAnswer) {
    const bool two = captions.size() == 2;
    if (state().testing)
        return answerInTests({text, title, two ? OkCancel : YesNoCancel, icon, defaultAnswer, captions});
    QMessageBox box(QApplication::activeWindow());
    frame(box, title);
    box.setText(QString(text).replace(u"\r\n"_s, u"\n"_s));
    box.setIcon(icon == Warning ? QMessageBox::Warning : QMessageBox::Question);
    QPushButton* yes = box.addButton(captions.value(0), QMessageBox::YesRole);
    QPushButton* no = two ? nullptr : box.addButton(captions.value(1), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(captions.value(two ? 1 : 2), QMessageBox::RejectRole);
    box.setDefaultButton(defaultAnswer == Cancel ? cancel : defaultAnswer == No && no ? no : yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Yes;
    if (no && box.clickedButton() == no)
        return No;
    return Cancel;
}

MsgBox::Answer MsgBox::show(const QString& text, Buttons buttons, Icon icon, const QString& title,
                            Answer defaultAnswer) {
    State& s = state();
    if (s.testing)
        return answerInTests({text, title, buttons, icon, defaultAnswer, {}});

    QMessageBox box(QApplication::activeWindow());
    frame(box, title);
    QString shownText = text;
    shownText.replace(u"\r\n"_s, u"\n"_s);
    box.setText(shownText);
    switch (icon) {
    case NoIcon:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    QList<std::pair<QPushButton*, Answer>> made;
    auto add = [&](Answer a, const QString& caption, QMessageBox::ButtonRole role) {
        QPushButton* b = box.addButton(caption, role);
        made.append({b, a});
        if (a == defaultAnswer)
            box.setDefaultButton(b);
        if (a == Cancel || (a == No && buttons == YesNo))
            box.setEscapeButton(b);
    };
    switch (buttons) {
    case OkOnly:
        add(Ok, u"OK"_s, QMessageBox::AcceptRole);
        break;
    case OkCancel:
        add(Ok, u"OK"_s, QMessageBox::AcceptRole);
        add(Cancel, u"キャンセル"_s, QMessageBox::RejectRole);
        break;
    case YesNoCancel:
        add(Yes, u"はい(&Y)"_s, QMessageBox::YesRole);
        add(No, u"いいえ(&N)"_s, QMessageBox::NoRole);
        add(Cancel, u"キャンセル"_s, QMessageBox::RejectRole);
        break;
    case YesNo:
        add(Yes, u"はい(&Y)"_s, QMessageBox::YesRole);
        add(No, u"いいえ(&N)"_s, QMessageBox::NoRole);
        break;
    }
    box.exec();
    for (const auto& [b, a] : made) {
        if (box.clickedButton() == b)
            return a;
    }
    return buttons == OkOnly ? Ok : (buttons == YesNo ? No : Cancel);
}

void MsgBox::frame(QMessageBox& box, const QString& title) {
    box.setWindowTitle(title);
    // Centred over the window it belongs to (Qt does that for a box with a parent), with a title
    // bar that has only the close button.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
    // Never narrower than its title: a spacer row as wide as the title and the title bar's buttons.
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const int width = QFontMetrics(titleFont).horizontalAdvance(title) + 140;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(),
                      0, 1, grid->columnCount());
}

void MsgBox::setTesting(bool on) {
    state().testing = on;
}
void MsgBox::queueAnswer(Answer a) {
    state().answers.enqueue(a);
}
const QList<MsgBox::Shown>& MsgBox::shown() {
    return state().shown;
}
int MsgBox::unanswered() {
    return state().unanswered;
}
int MsgBox::pendingAnswers() {
    return static_cast<int>(state().answers.size());
}
void MsgBox::reset() {
    State& s = state();
    s.answers.clear();
    s.shown.clear();
    s.unanswered = 0;
    s.answerer = nullptr;
}

void MsgBox::setAnswerer(std::function<Answer(const Shown&)> answerer) {
    state().answerer = std::move(answerer);
}

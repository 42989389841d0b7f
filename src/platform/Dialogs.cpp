#include "platform/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QQueue>

using namespace Qt::StringLiterals;

namespace {
struct State {
    bool testing = false;
    QQueue<QString> results;
    QStringList requests;
    int unanswered = 0;
};
State& state() {
    static State s;
    return s;
}
bool fromQueue(const QString& title, QString* out) {
    State& s = state();
    if (!s.testing)
        return false;
    s.requests.append(title);
    if (s.results.isEmpty())
        ++s.unanswered;
    *out = s.results.isEmpty() ? QString() : s.results.dequeue();
    return true;
}
} // namespace

QString Dialogs::openFile(const QString& title, const QString& folder, const QString& filter) {
    QString r;
    if (fromQueue(title, &r))
        return r;
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
}

QString Dialogs::saveFile(const QString& title, const QString& folder, const QString& filter) {
    QString r;
    if (fromQueue(title, &r))
        return r;
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, folder, filter);
}

QString Dialogs::chooseFolder(const QString& title, const QString& folder) {
    QString r;
    if (fromQueue(title, &r))
        return r;
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, folder);
}

bool Dialogs::printerSetup(QPrinter& printer) {
    QString r;
    if (fromQueue(u"printerSetup"_s, &r))
        return !r.isEmpty();
    QPrintDialog dlg(&printer, QApplication::activeWindow());
    return dlg.exec() == QDialog::Accepted;
}

void Dialogs::setTesting(bool on) {
    state().testing = on;
}
void Dialogs::queueResult(const QString& result) {
    state().results.enqueue(result);
}
const QStringList& Dialogs::requests() {
    return state().requests;
}
int Dialogs::unanswered() {
    return state().unanswered;
}
void Dialogs::reset() {
    state().results.clear();
    state().requests.clear();
    state().unanswered = 0;
}

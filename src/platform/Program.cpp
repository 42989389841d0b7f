#include "platform/Program.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <QWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {
struct State {
    bool testing = false;
    bool ended = false;
    bool otherCopy = false;
    QString folder;
    std::unique_ptr<QLockFile> lock;
};
State& state() {
    static State s;
    return s;
}
} // namespace

QString Program::folder() {
    State& s = state();
    QString f = s.testing ? s.folder : QCoreApplication::applicationDirPath();
    if (!f.endsWith(u'/'))
        f += u'/';
    return f;
}

bool Program::anotherCopyRunning() {
    State& s = state();
    if (s.testing)
        return s.otherCopy;
    if (s.lock)
        return false;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    auto lock = std::make_unique<QLockFile>(dir + u"/voxa2003.lock"_s);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return true;
    s.lock = std::move(lock);
    return false;
}

void Program::end() {
    State& s = state();
    s.ended = true;
    if (s.testing)
        return;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        w->hide();
    s.lock.reset();
    QCoreApplication::exit(0);
}

bool Program::hasEnded() {
    return state().ended;
}

void Program::setTesting(bool on) {
    state().testing = on;
}
void Program::setFolderForTest(const QString& nativeFolder) {
    state().folder = nativeFolder;
}
void Program::setOtherCopyForTest(bool running) {
    state().otherCopy = running;
}
void Program::reset() {
    State& s = state();
    s.ended = false;
    s.otherCopy = false;
}

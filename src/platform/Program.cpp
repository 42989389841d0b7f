#include "platform/Program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
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
    QString lockFailure;
    QString folder;
    bool folderWritable = true;
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

namespace {
bool writable(const QString& path) {
    const State& s = state();
    if (s.testing && !s.folderWritable)
        return false;
    return QFileInfo(path).isWritable();
}
QString userSettingsFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(u"voxa2003/voxa.ini"_s);
}
} // namespace

QString Program::settingsFile() {
    const QString beside = folder() + u"voxa.ini"_s;
    const QFileInfo file(beside);
    if (file.exists() ? writable(beside) : writable(folder()))
        return beside;
    return userSettingsFile();
}

bool Program::makeSettingsFolder() {
    const QString dir = QFileInfo(settingsFile()).absolutePath();
    return QDir().mkpath(dir);
}

Program::Lock Program::takeLock(QString* why) {
    State& s = state();
    if (s.testing) {
        if (!s.lockFailure.isEmpty()) {
            *why = s.lockFailure;
            return Lock::Failed;
        }
        return s.otherCopy ? Lock::OtherCopy : Lock::Taken;
    }
    if (s.lock)
        return Lock::Taken;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    const QString path = dir + u"/voxa2003.lock"_s;
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        s.lock = std::move(lock);
        return Lock::Taken;
    }
    switch (lock->error()) {
    case QLockFile::LockFailedError:
        return Lock::OtherCopy;
    case QLockFile::PermissionError:
        *why = u"起動の確認に使うファイルを作れませんでした（書き込みの権限がありません）。"_s + u"\r\n"_s +
               path;
        return Lock::Failed;
    default:
        *why = u"起動の確認に使うファイルを作れませんでした。"_s + u"\r\n"_s + path;
        return Lock::Failed;
    }
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
void Program::setFolderWritableForTest(bool writable) {
    state().folderWritable = writable;
}

void Program::setFolderForTest(const QString& nativeFolder) {
    state().folder = nativeFolder;
}
void Program::setOtherCopyForTest(bool running) {
    state().otherCopy = running;
}
void Program::setLockFailureForTest(const QString& why) {
    state().lockFailure = why;
}
void Program::reset() {
    State& s = state();
    s.ended = false;
    s.otherCopy = false;
    s.lockFailure.clear();
    s.folderWritable = true;
}

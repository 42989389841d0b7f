#include "platform/FileOps.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace FileOps {

namespace {
// Another program that has the file open for writing holds a lock on it.
bool lockedByAnother(const QString& nativePath) {
    const int fd = ::open(QFile::encodeName(nativePath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (!locked)
        ::flock(fd, LOCK_UN);
    ::close(fd);
    return locked;
}
} // namespace

CopyResult copyFile(const QString& nativeSource, const QString& nativeDestination) {
    QFile in(nativeSource);
    if (!QFileInfo(nativeSource).isFile())
        return CopyResult::NotFound;
    if (QFileInfo::exists(nativeDestination) && lockedByAnother(nativeDestination))
        return CopyResult::InUse;
    if (!in.open(QIODevice::ReadOnly))
        return CopyResult::Failed;
    const QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return CopyResult::Failed;
    QSaveFile out(nativeDestination);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size()) {
        out.cancelWriting();
        return CopyResult::Failed;
    }
    return out.commit() ? CopyResult::Ok : CopyResult::Failed;
}

QDateTime modified(const QString& nativePath) {
    const QFileInfo fi(nativePath);
    return fi.exists() ? fi.lastModified() : QDateTime();
}

} // namespace FileOps

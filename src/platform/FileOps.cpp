#include "platform/FileOps.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace FileOps {

// Another program that has the file open for writing holds a lock on it. Opened without following
// a link, so that a link in the destination is never opened through.
bool lockedByAnother(const QString& nativePath) {
    const int fd =
        ::open(QFile::encodeName(nativePath).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (!locked)
        ::flock(fd, LOCK_UN);
    ::close(fd);
    return locked;
}

QDateTime modified(const QString& nativePath) {
    const QFileInfo fi(nativePath);
    return fi.exists() ? fi.lastModified() : QDateTime();
}

} // namespace FileOps

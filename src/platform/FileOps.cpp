#include "platform/FileOps.h"

#include "platform/SafeSave.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <optional>
#include <vector>

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

std::optional<QByteArray> readAll(const QString& nativePath) {
    QFile in(nativePath);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

// A destination as it was before the copy: its bytes and time, or that it did not exist.
struct Before {
    bool existed = false;
    QByteArray data;
    QDateTime modified;
};

void restore(const QString& nativePath, const Before& b) {
    if (b.existed)
        SafeSave::replaceFile(nativePath, b.data, b.modified);
    else
        QFile::remove(nativePath);
}
} // namespace

CopyOutcome copyFiles(const QList<CopyPair>& pairs) {
    for (int i = 0; i < pairs.size(); ++i)
        if (pairs[i].nativeSource.isEmpty() || !QFileInfo(pairs[i].nativeSource).isFile())
            return {CopyResult::NotFound, i};
    for (int i = 0; i < pairs.size(); ++i) {
        const QString& to = pairs[i].nativeDestination;
        if (to.isEmpty())
            return {CopyResult::Failed, i};
        if (QFileInfo::exists(to) && lockedByAnother(to))
            return {CopyResult::InUse, i};
    }
    // Everything is read before anything is written, and what the destinations held is kept, so a
    // failure half-way can put them back.
    QList<QByteArray> data;
    QList<Before> before;
    for (int i = 0; i < pairs.size(); ++i) {
        const auto bytes = readAll(pairs[i].nativeSource);
        if (!bytes)
            return {CopyResult::Failed, i};
        data.append(*bytes);
        Before b;
        if (QFileInfo(pairs[i].nativeDestination).isFile()) {
            const auto old = readAll(pairs[i].nativeDestination);
            if (!old)
                return {CopyResult::Failed, i};
            b = {true, *old, modified(pairs[i].nativeDestination)};
        }
        before.append(b);
    }
    // Every new file is written to its temporary name first; only when all are on the disk do they
    // take their names, which cannot fail for want of space.
    std::vector<SafeSave::Pending> pending(pairs.size());
    for (int i = 0; i < pairs.size(); ++i)
        if (!pending[i].write(pairs[i].nativeDestination, data[i], modified(pairs[i].nativeSource),
                              SafeSave::Pending::Access::OwnerOnly))
            return {CopyResult::Failed, i};
    for (int i = 0; i < pairs.size(); ++i) {
        if (!pending[i].commit()) {
            for (int j = 0; j < i; ++j)
                restore(pairs[j].nativeDestination, before[j]);
            return {CopyResult::Failed, i};
        }
    }
    return {};
}

QDateTime modified(const QString& nativePath) {
    const QFileInfo fi(nativePath);
    return fi.exists() ? fi.lastModified() : QDateTime();
}

} // namespace FileOps

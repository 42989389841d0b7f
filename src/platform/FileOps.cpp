#include "platform/FileOps.h"

#include "platform/FileSet.h"

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
    QList<QByteArray> data;
    for (int i = 0; i < pairs.size(); ++i) {
        const auto bytes = readAll(pairs[i].nativeSource);
        if (!bytes)
            return {CopyResult::Failed, i};
        data.append(*bytes);
    }
    // The destinations of one folder (a class's three files) are replaced as one unit, so that not
    // even a crash half-way leaves a mix of the copy and what was there.
    FileSet::Members set;
    set.folder = QFileInfo(pairs.value(0).nativeDestination).absolutePath();
    set.base = QFileInfo(pairs.value(0).nativeDestination).completeBaseName();
    QList<FileSet::NewFile> files;
    for (int i = 0; i < pairs.size(); ++i) {
        const QFileInfo to(pairs[i].nativeDestination);
        if (to.absolutePath() != set.folder)
            return {CopyResult::Failed, i};
        set.names.append(to.fileName());
        files.append({to.fileName(), data[i], modified(pairs[i].nativeSource)});
    }
    if (files.isEmpty())
        return {};
    const FileSet::Result r = FileSet::replace(set, files);
    if (r.outcome != FileSet::Outcome::Saved) {
        const int failed = static_cast<int>(set.names.indexOf(QFileInfo(r.failedPath).fileName()));
        return {CopyResult::Failed, failed >= 0 ? failed : 0};
    }
    return {};
}

QDateTime modified(const QString& nativePath) {
    const QFileInfo fi(nativePath);
    return fi.exists() ? fi.lastModified() : QDateTime();
}

} // namespace FileOps

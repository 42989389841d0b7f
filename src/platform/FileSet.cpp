#include "platform/FileSet.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace FileSet {

namespace {

const QString kNew = u".voxanew"_s;
const QString kOld = u".voxaold"_s;

struct StopHook {
    int limit = -1;
    int failAt = -1;
    int taken = 0;
    bool stopped = false;
};
StopHook& hook() {
    static StopHook h;
    return h;
}
std::function<void(int)>& beforeStep() {
    static std::function<void(int)> f;
    return f;
}

// Every change to the disk passes here first; under the test hook the changes after the limit do
// not happen, as if the process had been killed.
bool step() {
    StopHook& h = hook();
    if (beforeStep())
        beforeStep()(h.taken);
    if (h.stopped)
        return false;
    if (h.limit >= 0 && h.taken >= h.limit) {
        h.stopped = true;
        return false;
    }
    return h.taken++ != h.failAt;
}

QByteArray host(const QString& path) {
    return QFile::encodeName(path);
}

// What a name holds, the name itself and never where a link points.
enum class Kind { None, File, Folder, Other };
Kind kindOf(const QString& path) {
    struct stat st {};
    if (::lstat(host(path).constData(), &st) != 0)
        return errno == ENOENT ? Kind::None : Kind::Other;
    if (S_ISREG(st.st_mode))
        return Kind::File;
    return S_ISDIR(st.st_mode) ? Kind::Folder : Kind::Other;
}

bool exists(const QString& path) {
    return kindOf(path) != Kind::None;
}

// The owner's read and write bits of a file that is already there, so that no save makes a file
// more open than it was; 0600 for a new one.
mode_t privateMode(const QString& existing) {
    struct stat st {};
    if (::lstat(host(existing).constData(), &st) == 0 && S_ISREG(st.st_mode))
        return st.st_mode & 0600;
    return 0600;
}

bool writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

// Writes the bytes to the path, replacing what is there, and waits until they are on the disk.
bool writeSynced(const QString& path, const QByteArray& data, mode_t mode, const QDateTime& modified = {}) {
    const bool stoppedBefore = hook().stopped;
    const bool go = step();
    if (!go && (stoppedBefore || !hook().stopped))
        return false;
    // Always a file of its own making: whatever another program left at the name goes first (only
    // a plain file; anything else refuses the write), and the new file is made, never opened.
    if (kindOf(path) == Kind::File)
        ::unlink(host(path).constData());
    const int fd = ::open(host(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd < 0)
        return false;
    if (!go) {
        // Killed half-way through the write: a torn temporary file is left behind.
        writeAll(fd, data.constData(), data.size() / 2);
        ::close(fd);
        return false;
    }
    // A share decides the modes itself and may refuse to change them: that never stops a save.
    ::fchmod(fd, mode);
    bool ok = writeAll(fd, data.constData(), data.size());
    if (ok && modified.isValid()) {
        const qint64 ms = modified.toMSecsSinceEpoch();
        const struct timespec times[2] = {{0, UTIME_OMIT}, {ms / 1000, (ms % 1000) * 1000000}};
        ok = ::futimens(fd, times) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    return ok;
}

bool readAll(const QString& path, QByteArray* out, qint64 limit = kMaxClassFileBytes) {
    return readFile(path, out, limit) == ReadResult::Ok;
}

bool renameOver(const QString& from, const QString& to) {
    return step() && ::rename(host(from).constData(), host(to).constData()) == 0;
}

// Removes a file the program made; a name that holds anything but a plain file is left alone and
// the removal fails, so that nothing is deleted through a link or out of a folder.
bool removeFile(const QString& path) {
    const Kind k = kindOf(path);
    if (k == Kind::None)
        return true;
    return k == Kind::File && step() && ::unlink(host(path).constData()) == 0;
}

// A second name for the file, or a synced copy where the disk has no hard links (FAT sticks).
bool keepAs(const QString& from, const QString& to) {
    if (kindOf(from) != Kind::File || !step())
        return false;
    if (::link(host(from).constData(), host(to).constData()) == 0)
        return true;
    QByteArray data;
    return readAll(from, &data) && writeSynced(to, data, privateMode(from));
}

// Makes a file of the program's own readable by its owner only, on the file itself (never through a
// link put at its name meanwhile). Where the disk keeps no modes, nothing changes and nothing fails.
void makePrivate(const QString& path) {
    const int fd = ::open(host(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        ::fchmod(fd, st.st_mode & 0600);
    ::close(fd);
}

bool syncFolder(const QString& folder) {
    const int fd = ::open(host(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Some file systems cannot sync a folder; the renames are then as safe as they can be made.
    const int r = ::fsync(fd);
    const bool ok = r == 0 || errno == EINVAL || errno == ENOTSUP;
    ::close(fd);
    return ok;
}

QString markerPath(const Members& set) {
    return QDir(set.folder).filePath(set.base + kOld);
}

// Removes what an interrupted save leaves without meaning: temporary files, and a rollback set
// whose marker was never written (the class files were not touched yet).
bool removeLeftovers(const Members& set) {
    bool ok = removeFile(markerPath(set) + kNew);
    for (const QString& s : set.names) {
        ok = removeFile(set.path(s) + kNew) && ok;
        ok = removeFile(set.path(s) + kOld) && ok;
    }
    return ok;
}

// Puts the files named in the marker back, and removes the files that did not exist before.
bool putBack(const Members& set, const QStringList& existed) {
    bool ok = true;
    for (const QString& s : set.names) {
        const QString old = set.path(s) + kOld;
        if (existed.contains(s)) {
            // A name already put back by an earlier, interrupted recovery has no rollback file left.
            if (kindOf(old) == Kind::File)
                ok = renameOver(old, set.path(s)) && ok;
            else if (kindOf(old) != Kind::None)
                ok = false;
        } else {
            ok = removeFile(set.path(s)) && ok;
        }
    }
    return ok && syncFolder(set.folder) && removeFile(markerPath(set)) && syncFolder(set.folder);
}

// The marker's text: the names of the files that existed before the save, a line each, then the
// end line, so that a marker cut short is never taken for one naming fewer files.
const QByteArray kMarkerEnd = "end";
QByteArray markerBytes(const QStringList& existed) {
    QByteArray out;
    for (const QString& s : existed)
        out += s.toLatin1() + '\n';
    return out + kMarkerEnd + '\n';
}

// The names in the marker; `ok` is false unless the marker is a plain file, complete, and names only
// the unit's own files, each once. A marker of the earlier layout (the names, each on its line, with
// no end line) is read too. A marker is only ever written whole (under another name, then renamed),
// so one cut short was damaged by something else; the rollback files beside it must agree with it:
// every file it does not name has none.
QStringList readMarker(const Members& set, bool* ok) {
    QByteArray data;
    *ok =
        kindOf(markerPath(set)) == Kind::File && readAll(markerPath(set), &data, 4096) && data.endsWith('\n');
    QStringList out;
    if (!*ok)
        return out;
    QList<QByteArray> lines = data.split('\n');
    lines.removeLast(); // after the last line break
    const bool current = !lines.isEmpty() && lines.last() == kMarkerEnd;
    if (current)
        lines.removeLast();
    else if (lines.size() == 1 && lines[0].isEmpty())
        lines.clear(); // the earlier layout of a save that found no file
    for (const QByteArray& line : lines) {
        const QString name = QString::fromLatin1(line);
        if (!set.names.contains(name) || out.contains(name))
            *ok = false;
        out.append(name);
    }
    for (const QString& s : set.names) {
        const bool hasRollback = kindOf(set.path(s) + kOld) != Kind::None;
        if (!out.contains(s) && hasRollback)
            *ok = false;
        // A marker of the earlier layout is taken only with every rollback file it names beside it:
        // it carries no end line to tell it from a marker cut short, and putting back removes the
        // files it does not name.
        if (!current && out.contains(s) && !hasRollback)
            *ok = false;
    }
    return out;
}

// Every folder from the unit's folder down to `folder` is a real folder, not a link to elsewhere.
bool realFoldersBelow(const QString& top, const QString& folder) {
    const QString root = QDir::cleanPath(QFileInfo(top).absoluteFilePath());
    QString p = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (p != root) {
        if (!p.startsWith(root + u'/') || kindOf(p) != Kind::Folder)
            return false;
        p = QFileInfo(p).absolutePath();
    }
    return true;
}

// Fills a new folder with a unit's files: first under a hidden name, then renamed, so that the
// folder is either complete or not there. Each name comes from where `from` says: its rollback file
// moved in (the live name now holds another file), or a copy of the live file or of the rollback
// file (another program that writes the live file in place must not change the set with it).
enum class From { MoveRollback, CopyLive, CopyRollback };
bool fillSet(const Members& set, const QStringList& names, const std::function<From(const QString&)>& from,
             const QString& keepIn) {
    QFileInfo target(keepIn);
    const QString parent = target.absolutePath();
    const QString staging = QDir(parent).filePath(u"."_s + target.fileName() + u".part"_s);
    if (!makePrivateFolder(parent) || !realFoldersBelow(set.folder, parent) || kindOf(keepIn) != Kind::None)
        return false;
    if (!removeOwnFolder(staging, set.names) || !step() || ::mkdir(host(staging).constData(), 0700) != 0)
        return false;
    bool ok = true;
    for (const QString& s : names) {
        const QString to = QDir(staging).filePath(s);
        const From f = from(s);
        if (f == From::MoveRollback) {
            ok = ok && renameOver(set.path(s) + kOld, to);
            if (ok)
                makePrivate(to);
        } else {
            QByteArray data;
            ok = ok && readAll(set.path(s) + (f == From::CopyRollback ? kOld : QString()), &data) &&
                 writeSynced(to, data, 0600);
        }
    }
    ok = ok && syncFolder(staging) && renameOver(staging, keepIn);
    if (!ok) {
        removeOwnFolder(staging, set.names);
        return false;
    }
    // The set is in place; a folder that cannot be synced makes it no less there.
    syncFolder(parent);
    return true;
}

} // namespace

QString Members::path(const QString& name) const {
    return QDir(folder).filePath(name);
}

Recovery recover(const Members& set, QString* problem) {
    // Only plain files may stand where the unit's files, temporaries, rollback files and marker
    // belong; anything else (a link, a folder) was not made here and is left untouched.
    QStringList names{markerPath(set), markerPath(set) + kNew};
    for (const QString& s : set.names)
        names << set.path(s) << set.path(s) + kNew << set.path(s) + kOld;
    for (const QString& n : names) {
        const Kind k = kindOf(n);
        if (k == Kind::Folder || k == Kind::Other) {
            if (problem)
                *problem = n;
            return Recovery::Damaged;
        }
    }
    Recovery result = Recovery::Nothing;
    if (exists(markerPath(set))) {
        bool ok = false;
        const QStringList existed = readMarker(set, &ok);
        if (!ok) {
            if (problem)
                *problem = markerPath(set);
            return Recovery::Damaged;
        }
        if (!putBack(set, existed))
            return Recovery::Failed;
        result = Recovery::Restored;
    }
    if (!removeLeftovers(set))
        return result == Recovery::Restored ? Recovery::Restored : Recovery::Failed;
    return result;
}

QString markerPathOf(const Members& set) {
    return markerPath(set);
}

bool markerDamaged(const Members& set) {
    if (kindOf(markerPath(set)) == Kind::None)
        return false;
    bool ok = false;
    readMarker(set, &ok);
    return !ok;
}

QStringList rollbackNames(const Members& set) {
    QStringList out;
    for (const QString& s : set.names)
        if (kindOf(set.path(s) + kOld) == Kind::File)
            out.append(s);
    return out;
}

bool keepRollbackCopies(const Members& set, const QString& keepIn) {
    const QStringList names = rollbackNames(set);
    return names.isEmpty() || fillSet(
                                  set, names, [](const QString&) { return From::CopyRollback; }, keepIn);
}

bool settleDamaged(const Members& set, bool putBackRollback) {
    bool ok = true;
    for (const QString& s : set.names) {
        const QString old = set.path(s) + kOld;
        if (kindOf(old) != Kind::File)
            continue;
        ok = (putBackRollback ? renameOver(old, set.path(s)) : removeFile(old)) && ok;
    }
    if (!ok || !syncFolder(set.folder))
        return false;
    // The marker is the program's own name; it goes last, once the files are as chosen.
    const Kind k = kindOf(markerPath(set));
    return (k == Kind::None || (k == Kind::File && removeFile(markerPath(set)))) && syncFolder(set.folder);
}

bool removeOwnFolder(const QString& folder, const QStringList& names) {
    const Kind k = kindOf(folder);
    if (k == Kind::None)
        return true;
    if (k != Kind::Folder)
        return false;
    // Everything happens relative to the folder opened once, never through a link: a name swapped
    // for a link to elsewhere between the look and the removal removes nothing there.
    const int dir = ::open(host(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0)
        return false;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    bool ok = true;
    for (const QString& e : entries) {
        struct stat st {};
        if (!names.contains(e) || ::fstatat(dir, host(e).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode))
            ok = false;
    }
    for (qsizetype i = 0; ok && i < entries.size(); ++i)
        ok = step() && ::unlinkat(dir, host(entries[i]).constData(), 0) == 0;
    ::close(dir);
    // rmdir never follows a link: a folder swapped for one stays.
    return ok && step() && ::rmdir(host(folder).constData()) == 0;
}

bool keepCopies(const Members& set, const QString& keepIn) {
    QStringList existed;
    for (const QString& s : set.names) {
        const Kind k = kindOf(set.path(s));
        if (k == Kind::File)
            existed.append(s);
        else if (k != Kind::None)
            return false;
    }
    return existed.isEmpty() || fillSet(
                                    set, existed, [](const QString&) { return From::CopyLive; }, keepIn);
}

bool replaceSmallFile(const QString& path, const QByteArray& data) {
    const Kind k = kindOf(path);
    if (k != Kind::File && k != Kind::None)
        return false;
    const QString temp = path + kNew;
    if (!writeSynced(temp, data, privateMode(path)))
        return false;
    if (!renameOver(temp, path)) {
        removeFile(temp);
        return false;
    }
    return true;
}

bool isPlainFile(const QString& path) {
    return kindOf(path) == Kind::File;
}

bool isPlainFolder(const QString& path) {
    return kindOf(path) == Kind::Folder;
}

ReadResult readFile(const QString& path, QByteArray* out, qint64 limit, FileIdentity* identity) {
    // Never waits on a pipe put at the name: it is refused below as not a plain file.
    const int fd = ::open(host(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT)
            return ReadResult::Missing;
        if (errno == ELOOP)
            return ReadResult::Link;
        return kindOf(path) == Kind::File ? ReadResult::Failed : ReadResult::NotPlain;
    }
    struct stat st {};
    ReadResult r = ReadResult::Ok;
    if (::fstat(fd, &st) != 0)
        r = ReadResult::Failed;
    else if (!S_ISREG(st.st_mode))
        r = ReadResult::NotPlain;
    else if (st.st_size > limit)
        r = ReadResult::TooLarge;
    QByteArray data;
    while (r == ReadResult::Ok) {
        char buf[65536];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            r = ReadResult::Failed;
        else if (n == 0)
            break;
        else if (data.size() + n > limit)
            r = ReadResult::TooLarge;
        else
            data.append(buf, n);
    }
    ::close(fd);
    if (r == ReadResult::Ok) {
        *out = std::move(data);
        if (identity)
            *identity = {quint64(st.st_dev), quint64(st.st_ino)};
    }
    return r;
}

namespace {
// What stands at a name, to tell whether it changed while it was read: a save replaces a file by
// renaming another over it, which gives the name another file (and, on a share, another size or time).
struct Stamp {
    bool there = false;
    quint64 dev = 0, ino = 0;
    qint64 size = 0, sec = 0, nsec = 0;
    bool operator==(const Stamp&) const = default;
};
Stamp stampOf(const QString& path) {
    struct stat st {};
    Stamp s;
    if (::lstat(host(path).constData(), &st) != 0)
        return s;
    return {true,
            quint64(st.st_dev),
            quint64(st.st_ino),
            qint64(st.st_size),
            qint64(st.st_mtim.tv_sec),
            qint64(st.st_mtim.tv_nsec)};
}
} // namespace

SnapshotResult readSnapshot(const Members& set, QList<std::optional<QByteArray>>* out, qint64 limit,
                            int waitMs) {
    const QString marker = markerPath(set);
    QElapsedTimer waited;
    waited.start();
    bool damaged = false;
    for (;;) {
        const Stamp markerBefore = stampOf(marker);
        QStringList existed = set.names;
        bool ok = true;
        if (markerBefore.there) {
            existed = readMarker(set, &ok);
            damaged = !ok;
        }
        QList<std::optional<QByteArray>> files;
        QList<Stamp> stamps;
        for (const QString& s : set.names) {
            if (!ok)
                break;
            // Under a save, a name the record does not list did not exist before it.
            const QString path = markerBefore.there ? set.path(s) + kOld : set.path(s);
            const Stamp before = stampOf(path);
            QByteArray data;
            FileIdentity id;
            const bool listed = existed.contains(s);
            const ReadResult r = listed ? readFile(path, &data, limit, &id) : ReadResult::Missing;
            if (r == ReadResult::Ok && before.there && id.dev == before.dev && id.ino == before.ino) {
                files.append(std::move(data));
            } else if (r == ReadResult::Missing && !before.there && !(markerBefore.there && listed)) {
                files.append(std::nullopt);
            } else {
                ok = false;
                damaged = damaged ||
                          (markerBefore.there && listed && r != ReadResult::Missing && r != ReadResult::Ok);
                if (r == ReadResult::Link || r == ReadResult::NotPlain || r == ReadResult::TooLarge)
                    damaged = true;
            }
            stamps.append(before);
        }
        // Nothing began, ended or was replaced while the files were read.
        if (ok && stampOf(marker) == markerBefore) {
            for (int i = 0; ok && i < set.names.size(); ++i)
                ok = stampOf(markerBefore.there ? set.path(set.names[i]) + kOld : set.path(set.names[i])) ==
                     stamps[i];
            if (ok) {
                *out = std::move(files);
                return markerBefore.there ? SnapshotResult::BeforeSave : SnapshotResult::Ok;
            }
        }
        if (waited.elapsed() >= waitMs)
            return damaged ? SnapshotResult::Damaged : SnapshotResult::Busy;
        QThread::msleep(20);
    }
}

Result replace(const Members& set, const QList<NewFile>& files, const QString& keepPreviousIn) {
    Result r;
    auto fail = [&](Outcome o, const QString& path) {
        r.outcome = o;
        r.failedPath = path;
        return r;
    };
    QString problem;
    const Recovery before = recover(set, &problem);
    if (before == Recovery::Failed || before == Recovery::Damaged)
        return fail(Outcome::Unchanged, problem.isEmpty() ? markerPath(set) : problem);
    // Only plain files are replaced: a link where a class file should be is never written through.
    for (const QString& s : set.names)
        if (const Kind k = kindOf(set.path(s)); k != Kind::File && k != Kind::None)
            return fail(Outcome::Unchanged, set.path(s));

    // 1. The new files, complete and on the disk under their temporary names.
    for (const NewFile& f : files) {
        const QString path = set.path(f.name);
        if (!writeSynced(path + kNew, f.data, privateMode(path), f.modified)) {
            removeLeftovers(set);
            return fail(Outcome::Unchanged, path);
        }
    }
    // 2. The files as they are now, and the marker that makes them the rollback set.
    QStringList existed;
    for (const QString& s : set.names) {
        if (!exists(set.path(s)))
            continue;
        if (!keepAs(set.path(s), set.path(s) + kOld)) {
            removeLeftovers(set);
            return fail(Outcome::Unchanged, set.path(s));
        }
        existed.append(s);
    }
    const QString marker = markerPath(set);
    if (!syncFolder(set.folder) || !writeSynced(marker + kNew, markerBytes(existed), 0600) ||
        !renameOver(marker + kNew, marker) || !syncFolder(set.folder)) {
        removeLeftovers(set);
        return fail(Outcome::Unchanged, marker);
    }
    // 3. The new files take their names.
    for (int i = 0; i < files.size(); ++i) {
        const QString path = set.path(files[i].name);
        if (!renameOver(path + kNew, path)) {
            // Put back is what counts; temporaries that cannot be removed now go at the next load.
            if (putBack(set, existed)) {
                removeLeftovers(set);
                return fail(Outcome::Restored, path);
            }
            for (int j = 0; j < i; ++j)
                r.changed.append(files[j].name);
            return fail(Outcome::Interrupted, path);
        }
    }
    // 4. The moment they count: the marker goes. A marker someone else removed meanwhile means this
    // save no longer knows what the files hold: never a success.
    if (kindOf(marker) != Kind::File) {
        for (const NewFile& f : files)
            r.changed.append(f.name);
        return fail(Outcome::Interrupted, marker);
    }
    if (!syncFolder(set.folder) || !removeFile(marker) || !syncFolder(set.folder)) {
        if (putBack(set, existed)) {
            removeLeftovers(set);
            return fail(Outcome::Restored, marker);
        }
        for (const NewFile& f : files)
            r.changed.append(f.name);
        return fail(Outcome::Interrupted, marker);
    }
    // 5. The files as they were: kept, or thrown away.
    if (!keepPreviousIn.isEmpty() && !existed.isEmpty()) {
        QStringList replaced;
        for (const NewFile& f : files)
            replaced.append(f.name);
        r.previousKept = fillSet(
            set, existed,
            [&](const QString& s) { return replaced.contains(s) ? From::MoveRollback : From::CopyLive; },
            keepPreviousIn);
    }
    removeLeftovers(set);
    return r;
}

bool makePrivateFolder(const QString& nativePath) {
    if (nativePath.isEmpty())
        return false;
    QStringList missing;
    QString p = QDir::cleanPath(QFileInfo(nativePath).absoluteFilePath());
    while (!QFileInfo(p).exists()) {
        missing.prepend(p);
        const QString up = QFileInfo(p).absolutePath();
        if (up == p)
            break;
        p = up;
    }
    for (const QString& m : missing) {
        if (::mkdir(host(m).constData(), 0700) != 0 && errno != EEXIST)
            return false;
        // On the folder itself, against a umask that is stricter about nothing but wider about
        // groups; a share that keeps no modes changes nothing.
        const int fd = ::open(host(m).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) {
            ::fchmod(fd, 0700);
            ::close(fd);
        }
    }
    return QFileInfo(nativePath).isDir();
}

void stopAfterStepsForTest(int steps) {
    hook() = StopHook{steps, -1, 0, false};
}
void failStepForTest(int step) {
    hook() = StopHook{-1, step, 0, false};
}
void beforeStepForTest(std::function<void(int)> f) {
    beforeStep() = std::move(f);
}
int stepsTakenForTest() {
    return hook().taken;
}

} // namespace FileSet

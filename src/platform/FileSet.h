#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Several files of one folder replaced as one unit, so that a crash, a power cut or a kill at any
// moment leaves either every file as it was or every file as it is meant to be, never a mix.
//
// How: every new file is first written and synced under a temporary name. Then the files as they
// are now are kept as a rollback set (hard links, or copies where the disk has none) and a marker
// naming them is written and synced. Only then do the new files take their names; the folder is
// synced, and removing the marker is the moment the new files count. Whoever finds a marker puts
// the rollback set back (`recover`), which every load and save does first.
//
// Names beside the files of "3-1": "3-1.sdt.voxanew" (temporary), "3-1.sdt.voxaold" (rollback),
// "3-1.voxaold" (the marker).
namespace FileSet {

struct Members {
    QString folder;    // host path of the folder
    QString base;      // "3-1", which names the marker
    QStringList names; // every file of the unit, {"3-1.sdt", "3-1.eix", "3-1.dat"}
    QString path(const QString& name) const;
};

struct NewFile {
    QString name;
    QByteArray data;
    QDateTime modified = {}; // when valid, the file's modification time (a copy keeps its source's)
};

enum class Outcome {
    Saved,
    Unchanged,  // failed before any file took its new name: everything as before
    Restored,   // failed after some had; the files as they were are back
    Interrupted // failed and could not put them back: the rollback set stays for the next load
};

struct Result {
    Outcome outcome = Outcome::Saved;
    QString failedPath;       // the file whose step failed
    QStringList changed;      // Interrupted: the names that hold their new bytes
    bool previousKept = true; // Saved with a folder to keep the previous files in: whether they got there
};

// Replaces the given members. When `keepPreviousIn` is set and the save succeeds, the files as they
// were before go into that folder (created owner-only) under their own names instead of being
// thrown away; the folder appears whole or not at all. New files are readable and writable by their
// owner only; a file that was stricter keeps its mode.
Result replace(const Members& set, const QList<NewFile>& files, const QString& keepPreviousIn = {});

enum class Recovery {
    Nothing,  // no interrupted save (left-over temporary files, if any, are removed)
    Restored, // an interrupted save was found and the files as they were before it are back
    Failed,   // an interrupted save was found and could not be undone
    Damaged   // a marker that is cut short or names other files, or something other than a plain
              // file where one of the unit's names belongs (`problem`): nothing was touched
};
Recovery recover(const Members& set, QString* problem = nullptr);
// The marker's host path ("3-1.voxaold").
QString markerPathOf(const Members& set);

// A damaged marker, settled by the teacher: the names that have a rollback file; a copy of those
// files into a new folder (under the unit's own names, as a backup set); and the settling itself:
// the rollback files put back in place (`putBackRollback`) or thrown away, then the marker removed.
bool markerDamaged(const Members& set);
QStringList rollbackNames(const Members& set);
bool keepRollbackCopies(const Members& set, const QString& keepIn);
bool settleDamaged(const Members& set, bool putBackRollback);

// The largest file of a unit read whole (a class's pupil file holds at most 99 records).
constexpr qint64 kMaxClassFileBytes = 1024 * 1024;

enum class ReadResult { Ok, Missing, Link, NotPlain, TooLarge, Failed };
// Which file was read (device and inode), to tell a file from another put at its name later.
struct FileIdentity {
    quint64 dev = 0, ino = 0;
    bool operator==(const FileIdentity&) const = default;
};
// Reads a plain file of at most `limit` bytes, never through a symbolic link and never waiting on
// a named pipe (NotPlain: a pipe, a folder or a device stands at the name).
ReadResult readFile(const QString& path, QByteArray* out, qint64 limit, FileIdentity* identity = nullptr);

// The unit as its last complete save left it, read without its lock and without changing anything on
// the disk, for a program that only reads (another program may be saving the unit meanwhile): the
// files read are checked to be still the ones at their names and no save to have begun or ended
// while they were read, otherwise they are read again. While a save is under way, or after one was
// interrupted, the files as they were before it (its rollback set) are read instead. A name not there
// is std::nullopt.
enum class SnapshotResult {
    Ok,
    BeforeSave, // a save was under way or interrupted: the files as they were before it
    Busy,       // the files kept changing while they were read
    Damaged     // an interrupted save's record or its rollback files cannot be read; nothing else is either
};
SnapshotResult readSnapshot(const Members& set, QList<std::optional<QByteArray>>* out, qint64 limit,
                            int waitMs = 3000);

// Removes a folder the program made: only when it holds nothing but plain files of the given names
// (and is itself a folder, not a link). True when the folder is gone or was never there.
bool removeOwnFolder(const QString& folder, const QStringList& names);
// Copies the unit's files as they are now into a new folder (created owner-only), which appears
// whole or not at all; true when it is there (or there was nothing to keep).
bool keepCopies(const Members& set, const QString& keepIn);
// Replaces a small file of the program's own (a record beside the backups) as one step, never through
// a link and never over anything but a plain file; false when it could not.
bool replaceSmallFile(const QString& path, const QByteArray& data);
// The name holds a folder itself, not a link to one.
bool isPlainFolder(const QString& path);
// The name holds a plain file itself, not a link, a folder or a pipe.
bool isPlainFile(const QString& path);

// Creates the folder and any missing parents, the ones it creates readable by their owner only.
bool makePrivateFolder(const QString& nativePath);

// Test hook: the next operations stop, as a killed process would, after this many changes to the
// disk (files written, linked, renamed or removed); negative turns it off. `stepsTaken` counts them.
void stopAfterStepsForTest(int steps);
// Test hook: the change with this number (0 the first) fails, as a full disk or a locked file
// would make it; the ones after it are carried out. Negative turns it off.
void failStepForTest(int step);
int stepsTakenForTest();
// Test hook: called before each change to the disk with its number, as another program acting on
// the folder at that moment would; an empty function turns it off.
void beforeStepForTest(std::function<void(int)> hook);

} // namespace FileSet

#pragma once

#include "core/PupilRec.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

#include "core/ClassBackup.h"
#include "platform/ClassLock.h"

struct VOXA1;

// The three files of a class, ClassPath & ".sdt" (settings, text), ".eix" (the roster index, 50
// records of 4 bytes) and ".dat" (pupil records of 3106 bytes), byte for byte as every copy of the
// grade book reads and writes them.
//
// Each operation returns an empty text when it succeeded, or the message for the teacher naming
// the file. A load changes the class in memory only when every file read correctly. A save
// replaces the files it writes as one unit with the others (see FileSet): after a crash at any
// moment the class loads as it was before the save or as it is after it, never a mix. Every load
// and save first puts back the files of a save that was interrupted. A save also keeps the files
// as they were in the class's backups (see ClassBackup).
//
// `notice`, when given, receives what the teacher should hear even though the operation succeeded
// (an interrupted save was undone; a backup could not be made).
namespace ClassFiles {

constexpr int kRecordSize = 3106;
constexpr int kIndexRecords = 50;

enum Part { SettingsFile = 0x1, IndexFile = 0x2, PupilFile = 0x4 };

QString loadSettings(VOXA1& c, QString* notice = nullptr);
// Values no calculation can give (a term outside 1..3, percentages outside 0..100, deviation
// values no class can have, NaN, totals below zero) load with a notice; the results among them are
// blanked in memory unless kept as in the file (for the support tool's dump).
enum class Values { BlankImpossible, AsInFile };
QString loadClass(VOXA1& c, QString* notice = nullptr, Values values = Values::BlankImpossible);

// The bytes of the three files; a file that is not there is empty (std::nullopt).
struct ClassBytes {
    std::optional<QByteArray> sdt, eix, dat;
};
// The whole-class reader behind loadClass, on bytes already read (c.ClassPath names the files in
// messages). Changes c only when everything could be read.
QString readClassBytes(const ClassBytes& files, VOXA1& c, QString* notice = nullptr,
                       Values values = Values::BlankImpossible);
// The class as its last complete save left it, for a window that only reads a class another program
// may have open: read without its lock and without writing anything (see FileSet::readSnapshot).
// While a save is under way, or when one was interrupted, the files as they were before it are read
// and `notice` says so. Values that no calculation gives are blanked as by loadClass.
QString readLastSave(VOXA1& c, QString* notice = nullptr);
// The chosen files (Part flags) as one unit.
QString saveFiles(VOXA1& c, int parts, QString* notice = nullptr);
QString saveSettings(VOXA1& c, QString* notice = nullptr);
QString saveIndex(VOXA1& c, QString* notice = nullptr);
// The pupil records and the index, which points at them.
QString savePupils(VOXA1& c, QString* notice = nullptr);
QString saveClass(VOXA1& c, QString* notice = nullptr);

// Copying a class as one unit: its three files (".dat", ".sdt", ".eix" in that order) read under
// its lock once an interrupted save in its folder is put back, and written over another class as
// one save that keeps that class as it was in a new backup set, so that a copy can be undone.
struct FileCopy {
    QByteArray bytes;
    QDateTime modified;
};
QString readUnit(const QString& classPath, QList<FileCopy>* out, QString* notice = nullptr);
// `kind` records what made the backup set of the files replaced (ClassBackup::kByCopy, kByRestore).
QString replaceUnit(const QString& classPath, const QList<FileCopy>& files, QString* notice = nullptr,
                    const QString& kind = ClassBackup::kByCopy);
// The files of a backup set (host path of its folder) in the same order. Sets are written once and
// never changed by a save, so no lock is taken and nothing is made in the set's folder.
QString readBackupSet(const QString& setFolder, const QString& base, QList<FileCopy>* out);

// A save record (the marker) that cannot be read as this program writes it stops every load and
// save of the class. The teacher settles it: both what stands and what the interrupted save kept to
// go back to are first kept as backup sets, then the class is either put back as it was before that
// save or kept as its files stand; the record goes. Nothing is changed unless both sets are made.
bool markerDamaged(const QString& classPath);
enum class Settle { PutBack, AsTheyStand };
QString settleDamaged(const QString& classPath, Settle how);

// The lock of the class at classPath (see ClassLock), tried once (`fresh`: even where this program
// held one it has lost); its host path; clearing the lock another computer left, the one shown.
std::unique_ptr<ClassLock> lockClass(const QString& classPath, bool fresh = false);
QString lockPath(const QString& classPath);
bool releaseLock(const QString& classPath, const ClassLock::Holder& shown);

// The pieces, for the operations above and for tests that check the bytes.
QByteArray settingsBytes(const VOXA1& c);
// Reads settings bytes into c; returns false when they are short or malformed (c is then partly
// filled: callers read into a copy).
bool readSettingsBytes(const QByteArray& data, VOXA1& c);
QByteArray indexBytes(const VOXA1& c);
QByteArray recordBytes(const PupilRec& p);
// Reads the record starting at the offset; false when the data is too short or the record is
// malformed.
bool readRecord(const QByteArray& data, qsizetype offset, PupilRec& p);

// The record number held in a RecNo text, as the old program's Val() reads it: leading blanks
// skipped, digits up to the first other character; 0 when there are none.
int recordNumber(const QString& recNo);
// The largest record number a RecNo entry can hold (two characters).
constexpr int kMaxRecordNumber = 99;
// The one check of the roster's record numbers, for loading, saving and the roster: every position
// 1..ClassSize holds a number 1..99 of at most two characters, and no two positions share one.
// Returns what is wrong, for the teacher, or an empty text.
QString recordNumberProblem(const VOXA1& c);

} // namespace ClassFiles

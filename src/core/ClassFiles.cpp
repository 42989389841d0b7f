#include "core/ClassFiles.h"

#include "core/ClassBackup.h"
#include "core/VOXA1.h"
#include "platform/ClassLock.h"
#include "platform/Clock.h"
#include "platform/Cp932.h"
#include "platform/DosPath.h"
#include "platform/FileSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cmath>
#include <functional>
#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

namespace ClassFiles {

namespace {

const QString kCrLf = u"\r\n"_s;

QString notFound(const QString& dosPath, const QString& after) {
    return u"ファイルが見つかりません。"_s + kCrLf + dosPath + kCrLf + after;
}
QString damaged(const QString& dosPath, const QString& after) {
    return u"ファイルが壊れているか、途中で切れています。"_s + kCrLf + dosPath + kCrLf + after;
}
QString writeFailed(const QString& dosPath) {
    return u"ファイルに書き込めませんでした。"_s + kCrLf + dosPath + kCrLf +
           u"ディスクの空きや書き込み禁止を確かめてください。ファイルは前のままです。"_s;
}
const QString kNotLoaded = u"学級のデータは読み込んでいません。"_s;

enum class ReadStatus { Ok, Missing, Failed, Foreign };

// The largest file of each kind: the settings are a few kilobytes of fixed fields (64 KiB leaves
// room for anything an older copy wrote), the index 50 records of 4 bytes, the pupil file 99
// records. A longer file is damaged, and is never read whole into memory.
qint64 sizeLimit(const QString& dosPath) {
    if (dosPath.endsWith(u".eix"_s, Qt::CaseInsensitive))
        return kIndexRecords * 4;
    if (dosPath.endsWith(u".dat"_s, Qt::CaseInsensitive))
        return qint64(kMaxRecordNumber) * kRecordSize;
    return 64 * 1024;
}

ReadStatus readWhole(const QString& dosPath, QByteArray* out) {
    const QString native = DosPath::toNative(dosPath);
    if (native.isEmpty())
        return ReadStatus::Missing;
    switch (FileSet::readFile(native, out, sizeLimit(dosPath))) {
    case FileSet::ReadResult::Ok:
        return ReadStatus::Ok;
    case FileSet::ReadResult::Missing:
        return ReadStatus::Missing;
    case FileSet::ReadResult::Link:
        return ReadStatus::Foreign;
    case FileSet::ReadResult::NotPlain:
    case FileSet::ReadResult::TooLarge:
    case FileSet::ReadResult::Failed:
        break;
    }
    // A folder of the file's name counts as no file, as it always did.
    return QFileInfo(native).isDir() ? ReadStatus::Missing : ReadStatus::Failed;
}

// Something that is not a plain file where a class file belongs (a link to elsewhere): never read
// through, never written over.
QString foreign(const QString& dosPath) {
    return u"学級のファイルの名前の場所に、ほかの場所へのリンクなど、このプログラムが作ったのではないものがあります。"_s +
           kCrLf + dosPath + kCrLf +
           u"それを取り除いてから、もう一度開いてください。学級のファイルには手を付けていません。"_s + kCrLf +
           kNotLoaded;
}

QString readError(ReadStatus s, const QString& dosPath) {
    if (s == ReadStatus::Foreign)
        return foreign(dosPath);
    return s == ReadStatus::Missing ? notFound(dosPath, kNotLoaded) : damaged(dosPath, kNotLoaded);
}

} // namespace

namespace {

// The class's files as one unit for FileSet: host folder, base name and the three file names,
// each as an existing file of another case would be found.
FileSet::Members membersOf(const QString& classPath) {
    FileSet::Members m;
    const QString native = DosPath::toNative(classPath + u".sdt"_s);
    // A drive that is not there (no stick in A:) names no folder at all, never the working folder.
    if (native.isEmpty())
        return m;
    const QFileInfo sdt(native);
    m.folder = sdt.absolutePath();
    m.base = QFileInfo(DosPath::toNative(classPath)).fileName();
    for (const QString& suffix : {u".sdt"_s, u".eix"_s, u".dat"_s})
        m.names.append(QFileInfo(DosPath::toNative(classPath + suffix)).fileName());
    return m;
}

QString dosName(const QString& classPath, const QString& name) {
    return DosPath::join(DosPath::fromNative(QFileInfo(DosPath::toNative(classPath)).absolutePath()), name);
}

// Puts back the files of a save that was interrupted (a crash, a power cut) before it could
// finish; says so once, since the rollback set is gone afterwards.
QString recoverInterrupted(const QString& classPath, QString* notice) {
    if (DosPath::toNative(classPath).isEmpty())
        return {};
    const FileSet::Members m = membersOf(classPath);
    QString problem;
    const FileSet::Recovery r = FileSet::recover(m, &problem);
    // A backup set a killed save left half made is removed (only the program's own files in it).
    if (r == FileSet::Recovery::Nothing || r == FileSet::Recovery::Restored)
        ClassBackup::removeUnfinished(m.folder, m.base);
    switch (r) {
    case FileSet::Recovery::Damaged:
        if (problem != FileSet::markerPathOf(m))
            return foreign(DosPath::fromNative(problem));
        return u"前回の保存の記録が途中で切れているか、このプログラムが書いたものではありません。"_s + kCrLf +
               DosPath::fromNative(problem) + kCrLf +
               u"学級のファイルには手を付けていません。成績処理で学級を開くと、保存の前の状態に戻すか今のファイルのまま開くかを選べます（どちらもバックアップに残ります）。"_s +
               kCrLf + kNotLoaded;
    case FileSet::Recovery::Nothing:
        return {};
    case FileSet::Recovery::Restored:
        if (notice)
            *notice = u"前回の保存が途中で終わっていました。"_s + kCrLf + dosName(classPath, m.base) + kCrLf +
                      u"学級のファイルを、その保存の前の状態に戻しました。"_s;
        return {};
    case FileSet::Recovery::Failed:
        break;
    }
    return u"前回の保存が途中で終わっていて、保存の前の状態に戻せませんでした。"_s + kCrLf +
           dosName(classPath, m.base) + kCrLf + u"フォルダに書き込めるか確かめてください。"_s + kCrLf +
           kNotLoaded;
}

// The class held for one read: its lock taken for the run, unless another program has it (a read
// goes on where no lock can be made: a folder that cannot be written, a read-only stick, where
// nobody saves), and an interrupted save put back. The refusal or the recovery's error, or empty.
QString holdForReading(const QString& classPath, QString* notice, std::unique_ptr<ClassLock>* lock,
                       const ClassLock* held = nullptr) {
    if (held) {
        // The class in memory holds its lock: it must still be its own.
        if (const QString lost = held->lostRefusal(classPath); !lost.isEmpty())
            return lost + kCrLf + kNotLoaded;
    } else if (!DosPath::toNative(classPath).isEmpty()) {
        *lock = lockClass(classPath);
        const ClassLock::Status s = (*lock)->status();
        if (s == ClassLock::Status::InUse || s == ClassLock::Status::Lost || s == ClassLock::Status::Foreign)
            return (*lock)->refusal(classPath) + kCrLf + kNotLoaded;
    }
    return recoverInterrupted(classPath, notice);
}

// The lock a class in memory holds on its own files, if it holds one.
const ClassLock* heldBy(const VOXA1& c) {
    return c.Lock && c.Lock->file() == lockPath(c.ClassPath) && c.Lock->ok() ? c.Lock.get() : nullptr;
}

// The pupil file with the roster's records replaced; the records of pupils who left stay as they
// are. False when the old file cannot be read.
bool pupilFileBytes(const VOXA1& c, QByteArray* dat) {
    int last = 0;
    for (int i = 1; i <= c.ClassSize; ++i)
        last = qMax(last, recordNumber(c.RecNo(i)));
    const ReadStatus read = readWhole(c.ClassPath + u".dat"_s, dat);
    if (read == ReadStatus::Failed || read == ReadStatus::Foreign)
        return false;
    if (dat->size() < qsizetype(last) * kRecordSize)
        dat->append(qsizetype(last) * kRecordSize - dat->size(), '\0');
    for (int i = 1; i <= c.ClassSize; ++i) {
        const qsizetype offset = qsizetype(recordNumber(c.RecNo(i)) - 1) * kRecordSize;
        const QByteArray rec = recordBytes(c.Pupil(i));
        std::copy(rec.begin(), rec.end(), dat->begin() + offset);
    }
    return true;
}

} // namespace

namespace {

// Percentages may stray from 0..100 by rounding only. A deviation value of a class of at most 42
// pupils lies within 50 +- 10 * sqrt(41), about -14..114.
constexpr double kRateSlack = 0.05;
constexpr double kDevLow = -20;
constexpr double kDevHigh = 120;

bool impossibleRate(double v) {
    return !std::isfinite(v) || v < -kRateSlack || v > 100 + kRateSlack;
}
bool impossibleDev(double v) {
    return !std::isfinite(v) || v < kDevLow || v > kDevHigh;
}

// Results no calculation can give are blanked in memory, so that no window or printout shows them
// as figures; totals below zero are kept and shown blank. Returns how many values were wrong.
int blankImpossibleResults(PupilRec& p, bool blank) {
    int wrong = 0;
    auto rate = [&](double& v) {
        if (impossibleRate(v)) {
            if (blank)
                v = std::numeric_limits<double>::quiet_NaN();
            ++wrong;
        }
    };
    auto dev = [&](double& v) {
        if (impossibleDev(v)) {
            if (blank)
                v = std::numeric_limits<double>::quiet_NaN();
            ++wrong;
        }
    };
    for (int t = 1; t <= 4; ++t)
        for (int k = 1; k <= 4; ++k) {
            rate(p.SubjRate(t, k));
            dev(p.SubjDev(t, k));
            wrong += p.SubjScore(t, k) < 0;
            for (int v = 1; v <= 4; ++v) {
                rate(p.ViewRate(t, k, v));
                dev(p.ViewDev(t, k, v));
                wrong += p.ViewScore(t, k, v) < 0;
            }
        }
    return wrong;
}

} // namespace

namespace {
// Reads the settings file into c, which the caller throws away when this fails.
QString readSettingsInto(VOXA1& c) {
    const QString path = c.ClassPath + u".sdt"_s;
    QByteArray data;
    const ReadStatus s = readWhole(path, &data);
    if (s != ReadStatus::Ok)
        return readError(s, path);
    if (!readSettingsBytes(data, c))
        return damaged(path, kNotLoaded);
    return {};
}
} // namespace

bool markerDamaged(const QString& classPath) {
    return !DosPath::toNative(classPath).isEmpty() && FileSet::markerDamaged(membersOf(classPath));
}

QString settleDamaged(const QString& classPath, Settle how) {
    const FileSet::Members m = membersOf(classPath);
    const ClassLock lock(m.folder, m.base);
    if (!lock.ok())
        return lock.refusal(classPath);
    if (!FileSet::markerDamaged(m))
        return {};
    const QDateTime now = Clock::now();
    const QString asFound = ClassBackup::freshSet(m.folder, m.base, now);
    if (!FileSet::keepCopies(m, asFound))
        return u"今の学級のファイルをバックアップに残せませんでした。何も変えていません。"_s + kCrLf +
               DosPath::fromNative(asFound);
    ClassBackup::recordMade(m.folder, m.base, QFileInfo(asFound).fileName(), ClassBackup::kAsFound);
    if (!FileSet::rollbackNames(m).isEmpty()) {
        const QString rollback = ClassBackup::freshSet(m.folder, m.base, now);
        if (!FileSet::keepRollbackCopies(m, rollback))
            return u"保存の前のファイルをバックアップに残せませんでした。何も変えていません。"_s + kCrLf +
                   DosPath::fromNative(rollback);
        ClassBackup::recordMade(m.folder, m.base, QFileInfo(rollback).fileName(), ClassBackup::kRollback);
    }
    if (!FileSet::settleDamaged(m, how == Settle::PutBack))
        return u"保存の記録を片付けられませんでした。"_s + kCrLf + dosName(classPath, m.base) + kCrLf +
               u"フォルダに書き込めるか確かめてください。どちらのファイルもバックアップに残っています。"_s;
    return {};
}

std::unique_ptr<ClassLock> lockClass(const QString& classPath, bool fresh) {
    const FileSet::Members m = membersOf(classPath);
    return std::make_unique<ClassLock>(m.folder, m.base, fresh);
}

QString lockPath(const QString& classPath) {
    const FileSet::Members m = membersOf(classPath);
    return ClassLock::path(m.folder, m.base);
}

bool releaseLock(const QString& classPath, const ClassLock::Holder& shown) {
    const FileSet::Members m = membersOf(classPath);
    return ClassLock::release(m.folder, m.base, shown);
}

QString loadSettings(VOXA1& c, QString* notice) {
    std::unique_ptr<ClassLock> lock;
    if (const QString error = holdForReading(c.ClassPath, notice, &lock, heldBy(c)); !error.isEmpty())
        return error;
    VOXA1 next = c;
    const QString error = readSettingsInto(next);
    if (error.isEmpty())
        c = std::move(next);
    return error;
}

QString loadClass(VOXA1& c, QString* notice, Values values) {
    std::unique_ptr<ClassLock> lock;
    if (const QString error = holdForReading(c.ClassPath, notice, &lock, heldBy(c)); !error.isEmpty())
        return error;
    ClassBytes files;
    for (const auto& [suffix, slot] : {std::pair{u".sdt"_s, &files.sdt}, std::pair{u".eix"_s, &files.eix},
                                       std::pair{u".dat"_s, &files.dat}}) {
        QByteArray data;
        const ReadStatus s = readWhole(c.ClassPath + suffix, &data);
        if (s == ReadStatus::Failed || s == ReadStatus::Foreign)
            return readError(s, c.ClassPath + suffix);
        if (s == ReadStatus::Ok)
            *slot = std::move(data);
    }
    return readClassBytes(files, c, notice, values);
}

QString readLastSave(VOXA1& c, QString* notice) {
    const FileSet::Members m = membersOf(c.ClassPath);
    if (m.folder.isEmpty())
        return notFound(c.ClassPath + u".sdt"_s, kNotLoaded);
    QList<std::optional<QByteArray>> read;
    const FileSet::SnapshotResult r = FileSet::readSnapshot(m, &read, FileSet::kMaxClassFileBytes);
    if (r == FileSet::SnapshotResult::Busy)
        return c.ClassPath +
               u" は、ほかのプログラムが保存を続けているため読めませんでした。しばらくしてからもう一度読んでください。"_s;
    if (r == FileSet::SnapshotResult::Damaged)
        return c.ClassPath +
               u" は、保存が途中で止まったままで、その前の状態も読めません。成績処理でこの学級を開くと直せます。"_s;
    ClassBytes files{read.value(0), read.value(1), read.value(2)};
    QString readNotice;
    const QString error = readClassBytes(files, c, &readNotice);
    if (error.isEmpty() && notice) {
        *notice = readNotice;
        if (r == FileSet::SnapshotResult::BeforeSave)
            notice->prepend(
                c.ClassPath +
                u" は保存の途中（または途中で止まった保存のあと）でした。その前に保存された内容を読みました。"_s +
                (readNotice.isEmpty() ? QString() : kCrLf));
    }
    return error;
}

QString readClassBytes(const ClassBytes& files, VOXA1& c, QString* notice, Values values) {
    VOXA1 next = c;
    const QString sdtPath = c.ClassPath + u".sdt"_s;
    if (!files.sdt)
        return notFound(sdtPath, kNotLoaded);
    if (!readSettingsBytes(*files.sdt, next))
        return damaged(sdtPath, kNotLoaded);
    if (next.ClassSize > 0) {
        const QString eixPath = c.ClassPath + u".eix"_s;
        if (!files.eix)
            return notFound(eixPath, kNotLoaded);
        const QByteArray& eix = *files.eix;
        if (eix.size() < next.ClassSize * 4)
            return damaged(eixPath, kNotLoaded);
        for (int i = 1; i <= next.ClassSize; ++i) {
            const qsizetype at = (i - 1) * 4;
            const quint16 len = quint16(uchar(eix[at]) | (uchar(eix[at + 1]) << 8));
            if (len > 2)
                return damaged(eixPath, kNotLoaded);
            next.RecNo(i) = Cp932::decode(eix.mid(at + 2, len));
        }
        // Two pupils on one record would be merged by the next save.
        const QString problem = recordNumberProblem(next);
        if (!problem.isEmpty())
            return problem + kCrLf + eixPath + kCrLf + kNotLoaded;

        const QString datPath = c.ClassPath + u".dat"_s;
        if (!files.dat)
            return notFound(datPath, kNotLoaded);
        for (int i = 1; i <= next.ClassSize; ++i) {
            const qsizetype offset = qsizetype(recordNumber(next.RecNo(i)) - 1) * kRecordSize;
            if (!readRecord(*files.dat, offset, next.Pupil(i)))
                return damaged(datPath, kNotLoaded);
        }
    }
    // Positions beyond the roster hold nothing of this or another class.
    for (int i = next.ClassSize + 1; i <= 42; ++i)
        next.Pupil(i) = PupilRec();
    for (int i = next.ClassSize + 1; i <= kIndexRecords; ++i)
        next.RecNo(i) = QString();

    // Values no part of the program writes: the class loads, and the teacher hears which file.
    QStringList problems;
    if (next.CurTerm < 1 || next.CurTerm > 3)
        problems << u"現在の学期の設定が正しくありません（%1）。設定で学期を選び直してください。"_s.arg(
                        next.CurTerm) +
                        kCrLf + c.ClassPath + u".sdt"_s;
    int wrong = 0;
    for (int i = 1; i <= next.ClassSize; ++i)
        wrong += blankImpossibleResults(next.Pupil(i), values == Values::BlankImpossible);
    if (wrong > 0)
        problems
            << (values == Values::BlankImpossible
                    ? u"ありえない成績の値が %1 個ありました。その値は空欄で表示します。学期末処理で計算し直してください。"_s
                    : u"ありえない成績の値が %1 個あります。"_s)
                       .arg(wrong) +
                   kCrLf + c.ClassPath + u".dat"_s;
    if (notice && !problems.isEmpty())
        *notice = (notice->isEmpty() ? QString() : *notice + kCrLf + kCrLf) + problems.join(kCrLf + kCrLf);
    c = std::move(next);
    return {};
}

namespace {

enum class Backup { WhenDue, Always };

// The one way the class's files are replaced: under the class's lock, after an interrupted save was
// put back, as one unit, the files as they were kept in a backup set (when one is due, or always).
// `make` gives the new files once the class is held; false from it stops with nothing written.
QString replaceUnder(const QString& classPath, const QString& firstExt, QString* notice, Backup backup,
                     const ClassLock* held, const std::function<bool(QList<FileSet::NewFile>*)>& make,
                     const QString& kind = {}) {
    const FileSet::Members m = membersOf(classPath);
    std::optional<ClassLock> lock;
    if (held) {
        // The class in memory was opened under this lock: a save writes only while the lock on disk
        // is still that one, never over what another computer did after clearing it, never onto
        // another disk put in the drive.
        if (const QString lost = held->lostRefusal(classPath); !lost.isEmpty())
            return lost + kCrLf + u"保存できませんでした。入力した内容は、この画面に残っています。"_s;
    } else {
        lock.emplace(m.folder, m.base);
        // A folder where not even the lock can be made cannot take the class's files either.
        if (lock->status() == ClassLock::Status::Failed)
            return writeFailed(classPath + firstExt);
        if (!lock->ok())
            return lock->refusal(classPath) + kCrLf + u"保存できませんでした。"_s;
    }
    QString recoveryNotice;
    const QString recoveryError = recoverInterrupted(classPath, &recoveryNotice);
    if (!recoveryError.isEmpty())
        return recoveryError;
    QList<FileSet::NewFile> files;
    if (!make(&files))
        return writeFailed(classPath + firstExt);

    const QString keepIn = backup == Backup::Always ? ClassBackup::freshSet(m.folder, m.base, Clock::now())
                                                    : ClassBackup::dueSet(m.folder, m.base, Clock::now());
    if (backup == Backup::Always) {
        // A copy or a restore over the class replaces it only once what it replaces is kept.
        if (!FileSet::keepCopies(m, keepIn))
            return u"学級のファイルを置き換える前に、今のファイルをバックアップに残せませんでした。"_s +
                   kCrLf + DosPath::fromNative(keepIn) + kCrLf +
                   u"何も置き換えていません。バックアップのフォルダ（voxabak）に書き込めるか、ディスクの空きを確かめてください。"_s;
        const QString made = QFileInfo(keepIn).fileName();
        if (FileSet::isPlainFolder(keepIn) && ClassBackup::recordMade(m.folder, m.base, made, kind))
            ClassBackup::prune(m.folder, m.base, made);
    }
    const FileSet::Result r = FileSet::replace(m, files, backup == Backup::Always ? QString() : keepIn);
    const QString failed = DosPath::fromNative(r.failedPath);
    switch (r.outcome) {
    case FileSet::Outcome::Saved:
        break;
    case FileSet::Outcome::Unchanged:
    case FileSet::Outcome::Restored:
        return writeFailed(failed);
    case FileSet::Outcome::Interrupted: {
        QStringList changed;
        for (const QString& n : r.changed)
            changed.append(n);
        return u"保存の途中で書き込めなくなり、元に戻すこともできませんでした。"_s + kCrLf + failed + kCrLf +
               (changed.isEmpty() ? u"学級のファイルはまだ前のままです。"_s
                                  : u"新しくなったファイル："_s + changed.join(u"、"_s)) +
               kCrLf + u"次に学級を開くとき、保存の前の状態に戻します。"_s;
    }
    }
    if (!keepIn.isEmpty() && backup == Backup::WhenDue) {
        // Sets are pruned only once the one just made is recorded as the newest.
        const QString made = QFileInfo(keepIn).fileName();
        if (r.previousKept) {
            if (FileSet::isPlainFolder(keepIn) && ClassBackup::recordMade(m.folder, m.base, made))
                ClassBackup::prune(m.folder, m.base, made);
        } else if (notice) {
            *notice = u"保存しましたが、保存の前のファイルを控えのフォルダに残せませんでした。"_s + kCrLf +
                      DosPath::fromNative(keepIn);
        }
    }
    if (notice && !recoveryNotice.isEmpty())
        *notice = recoveryNotice + (notice->isEmpty() ? QString() : kCrLf + *notice);
    return {};
}

// The unit's files of a class in the order a copy names them.
const QStringList kCopyOrder = {u".dat"_s, u".sdt"_s, u".eix"_s};

} // namespace

namespace {
// The unit's three files of the class at classPath (drive-letter form), in copy order.
QString readThree(const QString& classPath, QList<FileCopy>* out) {
    QList<FileCopy> files;
    for (const QString& ext : kCopyOrder) {
        FileCopy f;
        const ReadStatus s = readWhole(classPath + ext, &f.bytes);
        if (s != ReadStatus::Ok)
            return readError(s, classPath + ext);
        f.modified = QFileInfo(DosPath::toNative(classPath + ext)).lastModified();
        files.append(f);
    }
    *out = files;
    return {};
}
} // namespace

QString readUnit(const QString& classPath, QList<FileCopy>* out, QString* notice) {
    // An interrupted save is put back first, so that the copy is one save, never a mix; where it
    // cannot be (a read-only stick) the copy is refused.
    std::unique_ptr<ClassLock> lock;
    if (const QString error = holdForReading(classPath, notice, &lock); !error.isEmpty())
        return error;
    return readThree(classPath, out);
}

QString readBackupSet(const QString& setFolder, const QString& base, QList<FileCopy>* out) {
    return readThree(DosPath::fromNative(QDir(setFolder).filePath(base)), out);
}

QString replaceUnit(const QString& classPath, const QList<FileCopy>& files, QString* notice,
                    const QString& kind) {
    if (DosPath::toNative(classPath).isEmpty() || files.size() != kCopyOrder.size())
        return writeFailed(classPath + u".dat"_s);
    const FileSet::Members m = membersOf(classPath);
    return replaceUnder(
        classPath, kCopyOrder[0], notice, Backup::Always, nullptr,
        [&](QList<FileSet::NewFile>* out) {
            for (qsizetype i = 0; i < files.size(); ++i) {
                const QString name = QFileInfo(DosPath::toNative(classPath + kCopyOrder[i])).fileName();
                out->append({name, files[i].bytes, files[i].modified});
            }
            return true;
        },
        kind);
}

QString saveFiles(VOXA1& c, int parts, QString* notice) {
    const QString native = DosPath::toNative(c.ClassPath);
    if (native.isEmpty() || parts == 0)
        return writeFailed(c.ClassPath + u".sdt"_s);
    if (parts & PupilFile) {
        const QString problem = recordNumberProblem(c);
        if (!problem.isEmpty())
            return problem + kCrLf + u"保存できません。"_s + kCrLf + c.ClassPath + u".dat"_s;
    }
    // A new class starts without test sheets and marks; the password is never replaced here: a new
    // class gets "no password" when it is created, and one set before the first save stays.
    if (c.NewClassFlag == 10) {
        if (parts & SettingsFile)
            for (int k = 1; k <= 4; ++k)
                for (int t = 1; t <= 3; ++t)
                    c.SheetSetup(k, t).clear();
        if (parts & PupilFile)
            for (int i = 1; i <= c.ClassSize; ++i)
                for (int t = 1; t <= 3; ++t)
                    for (int k = 1; k <= 4; ++k)
                        c.Pupil(i).SheetMarks(k, t).clear();
    }
    const FileSet::Members m = membersOf(c.ClassPath);
    const QString firstExt = (parts & PupilFile) ? u".dat"_s : (parts & IndexFile) ? u".eix"_s : u".sdt"_s;
    return replaceUnder(c.ClassPath, firstExt, notice, Backup::WhenDue, heldBy(c),
                        [&](QList<FileSet::NewFile>* files) {
                            if (parts & PupilFile) {
                                QByteArray dat;
                                if (!pupilFileBytes(c, &dat))
                                    return false;
                                files->append({m.names[2], dat});
                            }
                            if (parts & IndexFile)
                                files->append({m.names[1], indexBytes(c)});
                            if (parts & SettingsFile)
                                files->append({m.names[0], settingsBytes(c)});
                            return true;
                        });
}

QString saveSettings(VOXA1& c, QString* notice) {
    return saveFiles(c, SettingsFile, notice);
}

QString saveIndex(VOXA1& c, QString* notice) {
    return saveFiles(c, IndexFile, notice);
}

QString savePupils(VOXA1& c, QString* notice) {
    return saveFiles(c, PupilFile | IndexFile, notice);
}

QString saveClass(VOXA1& c, QString* notice) {
    return saveFiles(c, PupilFile | IndexFile | SettingsFile, notice);
}

} // namespace ClassFiles

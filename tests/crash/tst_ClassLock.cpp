// The class lock between real programs, on a local folder and (as tst_ClassLock_share) on a real SMB
// share: a program of this computer that died, wherever it died, leaves the class free at once; a
// program that reads the lock never makes its holder leave it behind; a lock this program lost is
// never written under, and never removed.

#include "TestSupport.h"
#include "core/ClassFiles.h"
#include "core/VOXA1.h"
#include "platform/ClassLock.h"
#include "platform/DosPath.h"
#include "platform/FileSet.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {
const QByteArray kOthersLock = "voxa-lock 2\ntoken 0123456789abcdef0123456789abcdef\nhost staff-room-pc\n"
                               "machine 0badc0de0badc0de\nboot -\npid 4242\nstart -\nprogram VOXA2003\n"
                               "since 1796000000000\nend\n";

QString bin(const QString& name) {
    return qEnvironmentVariable("VOXA_BIN_DIR") + u'/' + name;
}
} // namespace

class tst_ClassLock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { tmp.reset(); }
    void programHereDied_classTakenAtOnce_nothingLeft_data();
    void programHereDied_classTakenAtOnce_nothingLeft();
    void writeBesideDumps_noLockLeftBehind_noMix();
    void lockLost_saveRefused_otherLockKept_data();
    void lockLost_saveRefused_otherLockKept();
    void pipeAtTheLockName_refusedWithoutWaiting();
    void noDiskInTheDrive_noLockAnywhere();

private:
    QString folder() const { return tmp->filePath(u"voxadata"_s); }
    QString classPath() const { return folder() + u"/5-1"_s; }
    QString lockFile() const { return folder() + u"/5-1.lock"_s; }
    QStringList lockNames() const {
        return QDir(folder()).entryList({u"5-1.lock*"_s}, QDir::Files | QDir::Hidden | QDir::System);
    }
    // The sample class `sample` as the class 5-1 of the folder.
    void putSample(const QString& where, const QString& sample = u"5-1"_s) const {
        QVERIFY(QDir().mkpath(where));
        for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
            QVERIFY(QFile::copy(TestSupport::dataDir() + u'/' + sample + ext, where + u"/5-1"_s + ext));
    }
    // What `voxaclass dump` prints of the class; `write` given: after writing that JSON alone.
    QByteArray dumped(const QByteArray& write = {}) const {
        if (!write.isEmpty()) {
            QProcess w;
            w.start(bin(u"voxaclass"_s), {u"write"_s, classPath()});
            w.write(write);
            w.closeWriteChannel();
            if (!w.waitForFinished() || w.exitCode() != 0)
                return {};
        }
        QProcess d;
        d.start(bin(u"voxaclass"_s), {u"dump"_s, classPath()});
        return d.waitForFinished() && d.exitCode() == 0 ? d.readAllStandardOutput() : QByteArray();
    }
    QList<QByteArray> files(const QString& where) const {
        QList<QByteArray> out;
        for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
            out.append(TestSupport::readFile(where + u"/5-1"_s + ext));
        return out;
    }
    std::unique_ptr<QTemporaryDir> tmp;
};

void tst_ClassLock::init() {
    TestSupport::useTestDoubles();
    tmp = std::make_unique<QTemporaryDir>(TestSupport::scratchTemplate(u"lock"_s));
    putSample(folder());
}

void tst_ClassLock::programHereDied_classTakenAtOnce_nothingLeft_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("killed while it held the class") << u"hold"_s;
    QTest::newRow("killed after making its intent, before writing it") << u"0"_s;
    QTest::newRow("killed after writing its intent") << u"1"_s;
    QTest::newRow("killed after making the lock, before writing it") << u"2"_s;
    QTest::newRow("killed after writing the lock, before removing its intent") << u"3"_s;
}

void tst_ClassLock::programHereDied_classTakenAtOnce_nothingLeft() {
    QFETCH(QString, how);
    QProcess p;
    p.start(bin(u"voxa_lockhold"_s), {folder(), how});
    QVERIFY(p.waitForStarted());
    if (how == u"hold"_s) {
        QVERIFY(p.waitForReadyRead(5000));
        // Held by a live program of this computer: refused, without a question.
        VOXA1 c;
        c.ClassPath = classPath();
        QVERIFY(ClassFiles::loadClass(c).startsWith(u"この学級は"_s));
        p.kill();
    }
    QVERIFY(p.waitForFinished());
    QVERIFY(!lockNames().isEmpty());

    // The next load and the next opening of the class go on at once and silently.
    VOXA1 c;
    c.ClassPath = classPath();
    QCOMPARE(ClassFiles::loadClass(c), QString());
    {
        const std::shared_ptr<ClassLock> held = c.LockFor(c.ClassPath);
        QVERIFY(held);
        QCOMPARE(held->status(), ClassLock::Status::Taken);
        QVERIFY(MsgBox::shown().isEmpty());
        c.Lock = held;
        QCOMPARE(ClassFiles::saveClass(c), QString());
        c.Lock.reset();
    }
    // Opening the class tidied what the dead program left.
    QCOMPARE(lockNames(), QStringList());
}

// One program writing the class while others read it, as support staff's tools and a second grade
// book do: whatever moment the readers look at the lock, the writer gives it up, and every read is
// one whole save or refused as in use. VOXA_LOCK_ROUNDS sets the rounds (20 unless given).
void tst_ClassLock::writeBesideDumps_noLockLeftBehind_noMix() {
    const int rounds =
        qEnvironmentVariableIsSet("VOXA_LOCK_ROUNDS") ? qEnvironmentVariableIntValue("VOXA_LOCK_ROUNDS") : 20;
    const QByteArray original = dumped();
    QByteArray edited = original;
    edited.replace("\"SchoolName\": \"", "\"SchoolName\": \"書換");
    const QByteArray changed = dumped(edited);
    QVERIFY(!original.isEmpty() && !changed.isEmpty() && changed != original);
    QCOMPARE(dumped(original), original);

    int left = 0, refusedWrites = 0, refusedReads = 0, reads = 0, lockedOut = 0;
    for (int r = 0; r < rounds; ++r) {
        const QByteArray next = r % 2 ? original : edited;
        QProcess writer;
        writer.start(bin(u"voxaclass"_s), {u"write"_s, classPath()});
        QList<QProcess*> readers;
        for (int i = 0; i < 3; ++i) {
            readers.append(new QProcess(this));
            readers.last()->start(bin(u"voxaclass"_s), {u"dump"_s, classPath()});
        }
        QVERIFY(writer.waitForStarted());
        writer.write(next);
        writer.closeWriteChannel();
        QVERIFY(writer.waitForFinished(20000));
        const QString writeError = QString::fromUtf8(writer.readAllStandardError());
        if (writer.exitCode() != 0) {
            QVERIFY2(writeError.contains(u"使用中"_s), qPrintable(writeError));
            ++refusedWrites;
        }
        for (QProcess* reader : readers) {
            QVERIFY(reader->waitForFinished(20000));
            if (reader->exitCode() == 0) {
                const QByteArray got = reader->readAllStandardOutput();
                QVERIFY2(got == original || got == changed, qPrintable(u"round %1: a mix"_s.arg(r)));
                ++reads;
            } else {
                const QString e = QString::fromUtf8(reader->readAllStandardError());
                QVERIFY2(e.contains(u"使用中"_s), qPrintable(e));
                ++refusedReads;
            }
            delete reader;
        }
        if (QFileInfo::exists(lockFile()))
            ++left;
        // Whatever happened, the class can be had now.
        VOXA1 c;
        c.ClassPath = classPath();
        if (!ClassFiles::loadClass(c).isEmpty())
            ++lockedOut;
    }
    qInfo("%d rounds: %d with a lock left behind, %d with the class locked out; %d reads whole, %d reads and "
          "%d "
          "writes refused as in use",
          rounds, left, lockedOut, reads, refusedReads, refusedWrites);
    QCOMPARE(left, 0);
    QCOMPARE(lockedOut, 0);
}

void tst_ClassLock::lockLost_saveRefused_otherLockKept_data() {
    QTest::addColumn<bool>("diskSwapped");
    QTest::newRow("cleared at another computer, which works on the class") << false;
    QTest::newRow("another disk put in the drive") << true;
}

// The class in memory was opened under its lock; meanwhile the lock is no longer its own. Its save
// writes nothing, says why, and keeps the class in memory; closing it leaves the other lock alone.
void tst_ClassLock::lockLost_saveRefused_otherLockKept() {
    QFETCH(bool, diskSwapped);
    VOXA1 c;
    c.ClassPath = classPath();
    c.Lock = c.LockFor(c.ClassPath);
    QVERIFY(c.Lock && c.Lock->status() == ClassLock::Status::Taken);
    QCOMPARE(ClassFiles::loadClass(c), QString());
    if (diskSwapped) {
        // The first stick goes; the second holds its own 5-1, changed by someone else.
        QVERIFY(QDir().rename(folder(), tmp->filePath(u"stick1"_s)));
        putSample(folder(), u"2-3"_s);
    } else {
        // The other computer's teacher cleared the mark and opened the class there.
        QVERIFY(QFile::remove(lockFile()));
        TestSupport::writeFile(lockFile(), kOthersLock);
    }
    const QList<QByteArray> before = files(folder());
    const QStringList namesBefore = lockNames();
    c.SchoolName = u"上書き小学校"_s;
    const QString error = ClassFiles::saveClass(c);
    QVERIFY2(error.startsWith(u"この学級の使用中の印が、このプログラムのものではなくなっています。"_s),
             qPrintable(error));
    if (!diskSwapped)
        QVERIFY2(error.contains(u"staff-room-pc"_s), qPrintable(error));
    QCOMPARE(c.SchoolName.str().trimmed(), u"上書き小学校"_s);
    QCOMPARE(files(folder()), before);
    QCOMPARE(ClassFiles::loadClass(c).isEmpty(), false);
    c.Lock.reset();
    QCOMPARE(lockNames(), namesBefore);
    if (!diskSwapped)
        QCOMPARE(TestSupport::readFile(lockFile()), kOthersLock);
}

// A pipe where the lock belongs (a colleague's prank, or a tool gone wrong) would make every open of
// the class wait for a writer that never comes.
void tst_ClassLock::pipeAtTheLockName_refusedWithoutWaiting() {
    if (::mkfifo(QFile::encodeName(lockFile()).constData(), 0600) != 0)
        QSKIP("this folder cannot hold a named pipe");
    VOXA1 c;
    c.ClassPath = classPath();
    const QString error = ClassFiles::loadClass(c);
    QVERIFY2(error.startsWith(u"学級の使用中の印の名前の場所に、このプログラムが作ったのではないもの"_s),
             qPrintable(error));
    QVERIFY(ClassFiles::saveClass(c).contains(u"学級の使用中の印の名前の場所に"_s));
    struct stat st {};
    QVERIFY(::lstat(QFile::encodeName(lockFile()).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
}

// A class on A:\ with no stick in: nothing is made in the program's working folder.
void tst_ClassLock::noDiskInTheDrive_noLockAnywhere() {
    if (!DosPath::toNative(u"A:\\3-1"_s).isEmpty())
        QSKIP("this machine has a removable disk in the drive A: stands for");
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder()));
    const std::unique_ptr<ClassLock> lock = ClassFiles::lockClass(u"A:\\3-1"_s);
    QCOMPARE(lock->status(), ClassLock::Status::Failed);
    VOXA1 c;
    c.ClassPath = u"A:\\3-1"_s;
    QVERIFY(!ClassFiles::saveClass(c).isEmpty());
    QCOMPARE(QDir(folder()).entryList({u"3-1*"_s}, QDir::Files | QDir::Hidden), QStringList());
    QDir::setCurrent(before);
}

QTEST_GUILESS_MAIN(tst_ClassLock)
#include "tst_ClassLock.moc"

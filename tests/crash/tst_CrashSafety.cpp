// A real saving process killed at random moments, many times: after every kill the class must
// load, equal one of the saves, and have no torn file beside it. VOXA_CRASH_TRIALS sets the
// number of kills (200 unless given).

#include "SaveStates.h"
#include "TestSupport.h"
#include "platform/ClassLock.h"
#include "platform/FileSet.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

namespace {
using ClassBytes = QList<QByteArray>;
} // namespace

class tst_CrashSafety : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savingProcessKilled_classLoadsAsOneOfTheSaves();
    void twoPrograms_eachLoadIsOneSave_andEverySuccessLoadsNext();

private:
    ClassBytes onDisk(const QString& folder) const {
        ClassBytes out;
        for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
            out.append(TestSupport::readFile(folder + u"/5-1"_s + ext));
        return out;
    }
    void putSample(const QString& folder) const {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
            QFile::copy(TestSupport::dataDir() + u"/5-1"_s + ext, folder + u"/5-1"_s + ext);
    }
};

void tst_CrashSafety::savingProcessKilled_classLoadsAsOneOfTheSaves() {
    QTemporaryDir tmp(TestSupport::scratchTemplate());
    const QString folder = tmp.filePath(u"voxadata"_s);
    const int trials = qEnvironmentVariableIsSet("VOXA_CRASH_TRIALS")
                           ? qEnvironmentVariableIntValue("VOXA_CRASH_TRIALS")
                           : 200;
    const QString child = qEnvironmentVariable("VOXA_BIN_DIR") + u"/voxa_saveloop"_s;
    QVERIFY2(QFileInfo(child).isExecutable(), qPrintable(child));

    // The bytes of every state the child saves, each saved once here from the sample.
    putSample(folder);
    VOXA1 loaded;
    loaded.ClassPath = folder + u"/5-1"_s;
    QCOMPARE(ClassFiles::loadClass(loaded), QString());
    QList<ClassBytes> valid{onDisk(folder)};
    for (SaveStates::State& s : SaveStates::make(loaded)) {
        putSample(folder);
        QCOMPARE(ClassFiles::saveFiles(s.c, s.parts), QString());
        valid.append(onDisk(folder));
    }

    QList<int> outcomes(valid.size(), 0);
    int restored = 0;
    for (int t = 0; t < trials; ++t) {
        putSample(folder);
        QProcess p;
        p.start(child, {folder});
        QVERIFY(p.waitForStarted());
        QVERIFY2(p.waitForReadyRead(5000), "the saving process did not start saving");
        // Somewhere in the next few saves (a save on the share takes some 75 ms, not 3).
        QThread::usleep(QRandomGenerator::global()->bounded(TestSupport::onShare() ? 300000 : 30000));
        QVERIFY2(p.state() == QProcess::Running,
                 qPrintable(u"saving stopped: "_s + QString::fromLocal8Bit(p.readAllStandardError())));
        p.kill();
        QVERIFY(p.waitForFinished());

        VOXA1 c;
        c.ClassPath = folder + u"/5-1"_s;
        QString notice;
        // A lock the killed program left (even one it was killed while writing) is taken over at once.
        const QString error = ClassFiles::loadClass(c, &notice);
        QVERIFY2(error.isEmpty(), qPrintable(u"trial %1: "_s.arg(t) + error));
        if (!notice.isEmpty())
            ++restored;
        const qsizetype which = valid.indexOf(onDisk(folder));
        QVERIFY2(which >= 0, qPrintable(u"trial %1: the class is a mix of saves"_s.arg(t)));
        ++outcomes[which];
        // Nor a lock of the killed program; an intent it was killed after is gone once the class is
        // opened.
        ClassLock(folder, u"5-1"_s).tidy();
        const QStringList left = QDir(folder).entryList({u"*.voxanew"_s, u"*.voxaold"_s, u"5-1.lock*"_s},
                                                        QDir::Files | QDir::Hidden);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(u' ')));
    }
    qInfo("%d kills: as loaded %d, transfer out %d, rewritten %d; %d interrupted saves put back", trials,
          outcomes[0] + outcomes[1], outcomes[2], outcomes[3], restored);
}

namespace {
// What a load gives, as bytes: the settings, the index and every pupil's record.
QByteArray signature(const VOXA1& c) {
    QByteArray out = ClassFiles::settingsBytes(c) + ClassFiles::indexBytes(c);
    for (int i = 1; i <= c.ClassSize; ++i)
        out += ClassFiles::recordBytes(c.Pupil(i));
    return out;
}
} // namespace

// A second program saving the class while this one loads it, round after round: every load is one
// whole save or is refused as in use, and the save a program reported as done is what loads next.
void tst_CrashSafety::twoPrograms_eachLoadIsOneSave_andEverySuccessLoadsNext() {
    QTemporaryDir tmp(TestSupport::scratchTemplate());
    const QString folder = tmp.filePath(u"voxadata"_s);
    const QString child = qEnvironmentVariable("VOXA_BIN_DIR") + u"/voxa_saveloop"_s;
    const int rounds = qEnvironmentVariableIsSet("VOXA_SHARED_ROUNDS")
                           ? qEnvironmentVariableIntValue("VOXA_SHARED_ROUNDS")
                           : 200;
    putSample(folder);
    VOXA1 sample;
    sample.ClassPath = folder + u"/5-1"_s;
    QCOMPARE(ClassFiles::loadClass(sample), QString());
    QList<QByteArray> states; // what each of the child's states loads as
    for (SaveStates::State& s : SaveStates::make(sample)) {
        putSample(folder);
        QCOMPARE(ClassFiles::saveFiles(s.c, s.parts), QString());
        VOXA1 c;
        c.ClassPath = sample.ClassPath;
        QCOMPARE(ClassFiles::loadClass(c), QString());
        states.append(signature(c));
    }
    const QByteArray original = signature(sample);

    int loads = 0, refusedLoads = 0, saves = 0, refusedSaves = 0;
    for (int r = 0; r < rounds; ++r) {
        putSample(folder);
        QProcess p;
        p.start(child, {folder, u"3"_s});
        QVERIFY(p.waitForStarted());
        while (p.state() == QProcess::Running) {
            VOXA1 c;
            c.ClassPath = sample.ClassPath;
            const QString error = ClassFiles::loadClass(c);
            if (!error.isEmpty()) {
                QVERIFY2(error.contains(u"使用中"_s), qPrintable(u"round %1: "_s.arg(r) + error));
                ++refusedLoads;
            } else {
                ++loads;
                const QByteArray got = signature(c);
                QVERIFY2(got == original || states.contains(got), qPrintable(u"round %1: a mix"_s.arg(r)));
            }
            p.waitForFinished(1);
        }
        QCOMPARE(p.exitCode(), 0);
        QByteArray expected = original;
        for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
            if (line.isEmpty())
                continue;
            if (line == "refused") {
                ++refusedSaves;
                continue;
            }
            bool number = false;
            const int which = line.toInt(&number);
            QVERIFY2(number, line.constData());
            expected = states[which];
            ++saves;
        }
        VOXA1 after;
        after.ClassPath = sample.ClassPath;
        QCOMPARE(ClassFiles::loadClass(after), QString());
        QVERIFY2(signature(after) == expected,
                 qPrintable(u"round %1: the last save reported done is not on disk"_s.arg(r)));
    }
    qInfo("%d rounds: %d loads whole, %d refused as in use; %d saves done, %d refused as in use", rounds,
          loads, refusedLoads, saves, refusedSaves);
}

QTEST_GUILESS_MAIN(tst_CrashSafety)
#include "tst_CrashSafety.moc"

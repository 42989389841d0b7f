// A real saving process killed at random moments, many times: after every kill the class must
// load, equal one of the saves, and have no torn file beside it. VOXA_CRASH_TRIALS sets the
// number of kills (200 unless given).

#include "SaveStates.h"
#include "TestSupport.h"
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
    QTemporaryDir tmp;
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
        // Somewhere in the next few saves.
        QThread::usleep(QRandomGenerator::global()->bounded(30000));
        QVERIFY2(p.state() == QProcess::Running,
                 qPrintable(u"saving stopped: "_s + QString::fromLocal8Bit(p.readAllStandardError())));
        p.kill();
        QVERIFY(p.waitForFinished());

        VOXA1 c;
        c.ClassPath = folder + u"/5-1"_s;
        QString notice;
        const QString error = ClassFiles::loadClass(c, &notice);
        QVERIFY2(error.isEmpty(), qPrintable(u"trial %1: "_s.arg(t) + error));
        if (!notice.isEmpty())
            ++restored;
        const qsizetype which = valid.indexOf(onDisk(folder));
        QVERIFY2(which >= 0, qPrintable(u"trial %1: the class is a mix of saves"_s.arg(t)));
        ++outcomes[which];
        const QStringList left =
            QDir(folder).entryList({u"*.voxanew"_s, u"*.voxaold"_s}, QDir::Files | QDir::Hidden);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(u' ')));
    }
    qInfo("%d kills: as loaded %d, transfer out %d, rewritten %d; %d interrupted saves put back", trials,
          outcomes[0] + outcomes[1], outcomes[2], outcomes[3], restored);
}

QTEST_GUILESS_MAIN(tst_CrashSafety)
#include "tst_CrashSafety.moc"

// A data folder on a shared drive or a stick can hold what the program did not put there: links to
// elsewhere where class files, rollback files, markers and backup sets belong, folders with dated
// names, a pupil file of terabytes. None of it may make a load or a save change anything outside
// the data folder, delete what the program did not make, or crash.

#include "TestSupport.h"
#include "core/ClassBackup.h"
#include "core/ClassFiles.h"
#include "core/VOXA1.h"
#include "platform/Clock.h"
#include "platform/FileSet.h"

#include <QDir>
#include <QDirIterator>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
enum class Plant {
    PupilFileLink,
    IndexFileLink,
    RollbackLink,
    SetLink,
    ForeignDatedFolder,
    StagingLink,
    BackupFolderLink,
    HugePupilFile,
    RecordLinkToClass,
    RecordPipe,
    PipeInASet
};

// Every name under the folder, links not followed, with what it holds and its mode.
QMap<QString, QByteArray> tree(const QString& root) {
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        struct stat st {};
        ::lstat(QFile::encodeName(p).constData(), &st);
        QByteArray what = QByteArray::number(st.st_mode, 8);
        if (S_ISREG(st.st_mode))
            what += ' ' + TestSupport::readFile(p);
        out.insert(p.mid(root.size()), what);
    }
    return out;
}
} // namespace

class tst_HostileFolder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { home.reset(); }
    void plantedThings_nothingOutsideChanges_data();
    void plantedThings_nothingOutsideChanges();
    void prune_setSwappedForALinkMidway_deletesNothingThere();

private:
    QString data(const QString& name = {}) const { return home->file(u"voxadata/"_s + name); }
    QString outside(const QString& name = {}) const { return home->file(u"outside/"_s + name); }
    void link(const QString& target, const QString& name) {
        QFile::remove(name);
        QVERIFY(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(name).constData()) == 0);
    }
    // Twenty sets of the program's making, an hour apart, recorded in order.
    void twentySets() {
        for (int i = 0; i < ClassBackup::kSetsKept; ++i) {
            const QString set = data(u"voxabak/5-1/20261201-%1"_s.arg(i, 2, 10, QChar(u'0')) + u"0000"_s);
            QVERIFY(QDir().mkpath(set));
            for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
                QVERIFY(QFile::copy(data(u"5-1"_s + ext), set + u"/5-1"_s + ext));
        }
    }
    std::unique_ptr<TestSupport::TempHome> home;
};

void tst_HostileFolder::init() {
    TestSupport::useTestDoubles();
    home = std::make_unique<TestSupport::TempHome>();
    QVERIFY(QDir().mkpath(data()) && QDir().mkpath(outside(u"sub"_s)));
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        QVERIFY(QFile::copy(TestSupport::dataDir() + u"/5-1"_s + ext, data(u"5-1"_s + ext)));
    TestSupport::writeFile(outside(u"a.txt"_s), "a");
    TestSupport::writeFile(outside(u"sub/b.txt"_s), "b");
    TestSupport::writeFile(outside(u"run.sh"_s), "#!/bin/sh\n");
    QVERIFY(::chmod(QFile::encodeName(outside(u"run.sh"_s)).constData(), 0755) == 0);
    Clock::setNowForTest(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
}

void tst_HostileFolder::plantedThings_nothingOutsideChanges_data() {
    QTest::addColumn<Plant>("plant");
    QTest::addColumn<QString>("loadError"); // the start of the load's message; empty: it loads
    QTest::addColumn<bool>("saves");
    const QString link = u"学級のファイルの名前の場所に、ほかの場所へのリンクなど"_s;
    QTest::newRow("pupil file a link") << Plant::PupilFileLink << link << false;
    QTest::newRow("index file a link to a script") << Plant::IndexFileLink << link << false;
    QTest::newRow("rollback file a link, with its marker") << Plant::RollbackLink << link << false;
    QTest::newRow("a dated set a link, 20 sets") << Plant::SetLink << QString() << true;
    QTest::newRow("a dated folder of other files, 20 sets") << Plant::ForeignDatedFolder << QString() << true;
    QTest::newRow("the staging folder a link") << Plant::StagingLink << QString() << true;
    QTest::newRow("the class's backup folder a link") << Plant::BackupFolderLink << QString() << true;
    QTest::newRow("a pupil file of 3 GB") << Plant::HugePupilFile << u"ファイルが壊れているか"_s << false;
    QTest::newRow("the backup record a link to the pupil file")
        << Plant::RecordLinkToClass << QString() << true;
    QTest::newRow("the backup record a named pipe") << Plant::RecordPipe << QString() << true;
    QTest::newRow("a named pipe in a set, 20 sets") << Plant::PipeInASet << QString() << true;
}

void tst_HostileFolder::plantedThings_nothingOutsideChanges() {
    QFETCH(Plant, plant);
    QFETCH(QString, loadError);
    QFETCH(bool, saves);
    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    QCOMPARE(ClassFiles::loadClass(c), QString());
    QString planted; // what must still be there afterwards
    const bool pipe = plant == Plant::RecordPipe || plant == Plant::PipeInASet;
    if (pipe) {
        const QString probe = data(u"probe.pipe"_s);
        if (::mkfifo(QFile::encodeName(probe).constData(), 0600) != 0)
            QSKIP("this folder cannot hold a named pipe");
        QFile::remove(probe);
    } else if (plant != Plant::ForeignDatedFolder && plant != Plant::HugePupilFile) {
        // A share that refuses links cannot be given one by anybody.
        const QString probe = data(u"probe.link"_s);
        if (::symlink("a", QFile::encodeName(probe).constData()) != 0)
            QSKIP("this folder refuses symbolic links, so none can be planted in it");
        QFile::remove(probe);
    }
    switch (plant) {
    case Plant::PupilFileLink:
        link(outside(u"a.txt"_s), planted = data(u"5-1.dat"_s));
        break;
    case Plant::IndexFileLink:
        link(outside(u"run.sh"_s), planted = data(u"5-1.eix"_s));
        break;
    case Plant::RollbackLink:
        link(outside(u"a.txt"_s), planted = data(u"5-1.sdt.voxaold"_s));
        TestSupport::writeFile(data(u"5-1.voxaold"_s), "5-1.sdt\nend\n");
        break;
    case Plant::SetLink:
        twentySets();
        QVERIFY(QDir().mkpath(data(u"voxabak/5-1"_s)));
        link(outside(), planted = data(u"voxabak/5-1/20000101-000000"_s));
        break;
    case Plant::ForeignDatedFolder:
        twentySets();
        QVERIFY(QDir().mkpath(data(u"voxabak/5-1/20000101-000000"_s)));
        TestSupport::writeFile(planted = data(u"voxabak/5-1/20000101-000000/a.txt"_s), "mine");
        break;
    case Plant::StagingLink:
        QVERIFY(QDir().mkpath(data(u"voxabak/5-1"_s)));
        link(outside(), planted = data(u"voxabak/5-1/.20261208-100000.part"_s));
        break;
    case Plant::BackupFolderLink:
        QVERIFY(QDir().mkpath(data(u"voxabak"_s)));
        link(outside(), planted = data(u"voxabak/5-1"_s));
        break;
    case Plant::HugePupilFile:
        QVERIFY(::truncate(QFile::encodeName(data(u"5-1.dat"_s)).constData(), 3LL << 30) == 0);
        break;
    case Plant::RecordLinkToClass:
        QVERIFY(QDir().mkpath(data(u"voxabak/5-1"_s)));
        link(data(u"5-1.dat"_s), data(u"voxabak/5-1/made.txt"_s));
        break;
    case Plant::RecordPipe:
        QVERIFY(QDir().mkpath(data(u"voxabak/5-1"_s)));
        QVERIFY(::mkfifo(QFile::encodeName(planted = data(u"voxabak/5-1/made.txt"_s)).constData(), 0600) ==
                0);
        break;
    case Plant::PipeInASet:
        twentySets();
        QVERIFY(QFile::remove(data(u"voxabak/5-1/20261201-000000/5-1.dat"_s)));
        QVERIFY(
            ::mkfifo(QFile::encodeName(planted = data(u"voxabak/5-1/20261201-000000/5-1.dat"_s)).constData(),
                     0600) == 0);
        break;
    }
    const QByteArray datBefore =
        plant == Plant::RecordLinkToClass ? TestSupport::readFile(data(u"5-1.dat"_s)) : QByteArray();
    const auto outsideBefore = tree(outside());
    const QByteArray sdtBefore = TestSupport::readFile(data(u"5-1.sdt"_s));

    VOXA1 again;
    again.ClassPath = c.ClassPath;
    const QString error = ClassFiles::loadClass(again);
    QVERIFY2(loadError.isEmpty() ? error.isEmpty() : error.startsWith(loadError), qPrintable(error));
    const QString saveError = ClassFiles::saveClass(c);
    QVERIFY2(saveError.isEmpty() == saves, qPrintable(saveError));

    QCOMPARE(tree(outside()), outsideBefore);
    if (!planted.isEmpty())
        QVERIFY2(QFileInfo(planted).isSymLink() || QFileInfo::exists(planted), qPrintable(planted));
    if (!saves)
        QCOMPARE(TestSupport::readFile(data(u"5-1.sdt"_s)), sdtBefore);
    if (plant == Plant::RecordLinkToClass) {
        // The record was not written through the link: the pupil file is the class's, whole.
        QCOMPARE(TestSupport::readFile(data(u"5-1.dat"_s)), datBefore);
        QVERIFY(QFileInfo(data(u"voxabak/5-1/made.txt"_s)).isSymLink());
    }
    if (plant == Plant::PipeInASet) {
        // Nothing waits on the pipe: the set reads as damaged, and is neither shown nor removed.
        QList<ClassFiles::FileCopy> got;
        QVERIFY(!ClassFiles::readBackupSet(data(u"voxabak/5-1/20261201-000000"_s), u"5-1"_s, &got).isEmpty());
    }
    if (plant == Plant::SetLink || plant == Plant::ForeignDatedFolder) {
        const QStringList sets = ClassBackup::sets(data(), u"5-1"_s);
        QCOMPARE(sets.size(), ClassBackup::kSetsKept);
        QCOMPARE(sets.last(), u"20261208-100000"_s);
    }
}

// A colleague's program swaps the oldest set for a link to a folder of the teacher's own while the
// prune removes that set's files: nothing in the teacher's folder is deleted.
void tst_HostileFolder::prune_setSwappedForALinkMidway_deletesNothingThere() {
    if (::symlink("a", QFile::encodeName(data(u"probe.link"_s)).constData()) != 0)
        QSKIP("this folder refuses symbolic links, so none can be planted in it");
    QFile::remove(data(u"probe.link"_s));
    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    QCOMPARE(ClassFiles::loadClass(c), QString());
    twentySets();
    // The teacher's own copy of the class elsewhere.
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        QVERIFY(QFile::copy(data(u"5-1"_s + ext), outside(u"5-1"_s + ext)));
    const auto outsideBefore = tree(outside());
    const QString oldest = data(u"voxabak/5-1/20261201-000000"_s);
    bool swapped = false;
    FileSet::beforeStepForTest([&](int) {
        if (swapped || QDir(oldest).entryList(QDir::Files).size() != 2)
            return;
        // One of its files is gone: the prune is in it.
        swapped =
            QDir().rename(oldest, oldest + u"-moved"_s) &&
            ::symlink(QFile::encodeName(outside()).constData(), QFile::encodeName(oldest).constData()) == 0;
    });
    const QString error = ClassFiles::saveClass(c);
    FileSet::beforeStepForTest({});
    QVERIFY2(swapped, "the prune never reached the oldest set");
    QCOMPARE(error, QString());
    QCOMPARE(tree(outside()), outsideBefore);
    QVERIFY(QFileInfo(oldest).isSymLink());
}

QTEST_GUILESS_MAIN(tst_HostileFolder)
#include "tst_HostileFolder.moc"

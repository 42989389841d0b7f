// A year of results must survive a crash, a power cut or a kill at any moment of a save, a save
// that fails half-way, and a teacher who wants this morning's class back.

#include "TestSupport.h"
#include "core/ClassBackup.h"
#include "core/ClassFiles.h"
#include "core/IniFile.h"
#include "core/VOXA1.h"
#include "platform/Clock.h"
#include "platform/DosPath.h"
#include "platform/FileSet.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// The three files of a class as they are on the disk; an absent file is a null array.
struct ClassBytes {
    QByteArray sdt, eix, dat;
    bool operator==(const ClassBytes&) const = default;
};

enum class Change { WholeClass, SettingsOnly, PupilsOnly, TransferOut, FirstSaveOfNewClass };

mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

} // namespace

class tst_SafetyNet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void save_killedAtEveryStep_classLoadsAsBeforeOrAfter_data();
    void save_killedAtEveryStep_classLoadsAsBeforeOrAfter();
    void save_anyStepFails_saysSoAndTheFilesStayAsTheyWere_data();
    void save_anyStepFails_saysSoAndTheFilesStayAsTheyWere();
    void save_markerRemovedByAnother_isNeverASuccess();
    void load_rollbackSetLeftBehind_restoresItAndSaysSoOnce();
    void load_markerWithoutItsFiles_refusesRatherThanMix_data();
    void load_markerWithoutItsFiles_refusesRatherThanMix();
    void load_damagedRecord_teacherSettlesIt_bothStatesKept_data();
    void load_damagedRecord_teacherSettlesIt_bothStatesKept();
    void load_recordOfTheEarlierLayout_isPutBack();
    void backups_savesAnHourApart_keepOneSetEach();
    void backups_twentyFirstSet_dropsTheOldest();
    void backups_clockSetBack_stillMakesSets();
    void backups_clockPutRight_keepsTheSetsMadeLast_data();
    void backups_clockPutRight_keepsTheSetsMadeLast();
    void copy_ontoAClass_canBeUndoneFromItsBackup();
    void copy_whatItReplacesCannotBeKept_replacesNothing();
    void backupSet_ofASettingsSave_notChangedByAnInPlaceWrite();
    void copy_fromAnInterruptedSave_copiesOneSaveOrNothing_data();
    void copy_fromAnInterruptedSave_copiesOneSaveOrNothing();
    void modes_underUmask022_classFilesAndBackupsAreOwnerOnly_data();
    void modes_underUmask022_classFilesAndBackupsAreOwnerOnly();
    void modes_newDataFolder_isOwnerOnly_iniStaysReadable();

private:
    QString folder() const { return home->file(u"voxadata"_s); }
    QString file(const QString& name) const { return QDir(folder()).filePath(name); }
    ClassBytes onDisk() const;
    // Empties the data folder and writes the class's files (absent ones are left out).
    void put(const ClassBytes& b);
    // Files an interrupted or failed save may leave beside the class.
    QStringList leftovers() const;
    // Loads 5-1 from the disk, changes it and saves the change; the save's message.
    QString changeAndSave(Change how);
    // The class before the change, and the change carried out in full from it: the files after
    // it and how many changes to the disk it makes. The data folder holds "before" again after.
    struct FullSave {
        ClassBytes before, after;
        int steps = 0;
    };
    FullSave fullSave(Change how);

    std::unique_ptr<TestSupport::TempHome> home;
    ClassBytes sample;
};

void tst_SafetyNet::init() {
    TestSupport::useTestDoubles();
    home = std::make_unique<TestSupport::TempHome>();
    QVERIFY(QDir().mkpath(folder()));
    const QString data = TestSupport::dataDir();
    sample = {TestSupport::readFile(data + u"/5-1.sdt"_s), TestSupport::readFile(data + u"/5-1.eix"_s),
              TestSupport::readFile(data + u"/5-1.dat"_s)};
    put(sample);
}

void tst_SafetyNet::cleanup() {
    FileSet::stopAfterStepsForTest(-1);
    QCOMPARE(MsgBox::unanswered(), 0);
}

ClassBytes tst_SafetyNet::onDisk() const {
    auto read = [&](const QString& name) {
        return QFileInfo::exists(file(name)) ? TestSupport::readFile(file(name)) : QByteArray();
    };
    return {read(u"5-1.sdt"_s), read(u"5-1.eix"_s), read(u"5-1.dat"_s)};
}

void tst_SafetyNet::put(const ClassBytes& b) {
    QDir(folder()).removeRecursively();
    QDir().mkpath(folder());
    if (!b.sdt.isNull())
        TestSupport::writeFile(file(u"5-1.sdt"_s), b.sdt);
    if (!b.eix.isNull())
        TestSupport::writeFile(file(u"5-1.eix"_s), b.eix);
    if (!b.dat.isNull())
        TestSupport::writeFile(file(u"5-1.dat"_s), b.dat);
}

QStringList tst_SafetyNet::leftovers() const {
    // A half-made backup set is a hidden staging folder among the sets.
    return QDir(folder()).entryList({u"*.voxanew"_s, u"*.voxaold"_s, u".*.part"_s},
                                    QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot) +
           QDir(ClassBackup::folderOf(folder(), u"5-1"_s))
               .entryList({u".*.part"_s}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
}

QString tst_SafetyNet::changeAndSave(Change how) {
    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    if (how == Change::FirstSaveOfNewClass) {
        c.ClassName = u"5-1"_s;
        c.CurTerm = 1;
        c.ClassSize = 2;
        c.PassWord = u"0000000000"_s;
        for (int i = 1; i <= 2; ++i) {
            c.RecNo(i) = QString::number(i);
            c.Pupil(i).PName = u"新入%1"_s.arg(i);
        }
        c.MakeCurrent(VOXA1::Became::Created);
        return ClassFiles::saveClass(c);
    }
    const QString loadError = ClassFiles::loadClass(c);
    if (!loadError.isEmpty())
        return loadError;
    switch (how) {
    case Change::WholeClass:
        // Every file changes, and the pupil file shrinks: a mix of old and new cannot be read.
        c.Pupil(1).PName = u"書き換え　一郎"_s;
        c.Pupil(2).SubjScore(1, 1) = 77;
        c.SchoolName = u"書き換え小学校"_s;
        c.ClassSize = static_cast<qint16>(c.ClassSize - 1);
        return ClassFiles::saveClass(c);
    case Change::SettingsOnly:
        c.SchoolName = u"書き換え小学校"_s;
        return ClassFiles::saveSettings(c);
    case Change::PupilsOnly:
        c.Pupil(3).PName = u"書き換え　三郎"_s;
        return ClassFiles::savePupils(c);
    case Change::TransferOut:
        for (int i = 1; i < c.ClassSize; ++i)
            c.RecNo(i) = c.RecNo(i + 1);
        c.RecNo(c.ClassSize) = u" 0"_s;
        c.ClassSize = static_cast<qint16>(c.ClassSize - 1);
        return ClassFiles::saveFiles(c, ClassFiles::IndexFile | ClassFiles::SettingsFile);
    case Change::FirstSaveOfNewClass:
        break;
    }
    return u"?"_s;
}

tst_SafetyNet::FullSave tst_SafetyNet::fullSave(Change how) {
    FullSave f;
    f.before = how == Change::FirstSaveOfNewClass ? ClassBytes{} : sample;
    put(f.before);
    FileSet::stopAfterStepsForTest(1 << 20);
    const QString error = changeAndSave(how);
    f.steps = FileSet::stepsTakenForTest();
    f.after = onDisk();
    FileSet::stopAfterStepsForTest(-1);
    put(f.before);
    if (!error.isEmpty())
        f.steps = -1;
    return f;
}

void tst_SafetyNet::save_killedAtEveryStep_classLoadsAsBeforeOrAfter_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("whole class") << int(Change::WholeClass);
    QTest::newRow("settings only") << int(Change::SettingsOnly);
    QTest::newRow("pupils and index") << int(Change::PupilsOnly);
    QTest::newRow("index and settings of a transfer out") << int(Change::TransferOut);
    QTest::newRow("first save of a new class") << int(Change::FirstSaveOfNewClass);
}

void tst_SafetyNet::save_killedAtEveryStep_classLoadsAsBeforeOrAfter() {
    QFETCH(int, how);
    const Change change = static_cast<Change>(how);
    const auto [before, after, steps] = fullSave(change);
    QVERIFY(after != before);
    QVERIFY(steps >= 5);

    int asBefore = 0, asAfter = 0;
    for (int k = 0; k <= steps; ++k) {
        put(before);
        FileSet::stopAfterStepsForTest(k);
        changeAndSave(change);
        FileSet::stopAfterStepsForTest(-1);

        // What the next start of the program finds.
        VOXA1 c;
        c.ClassPath = u"C:\\voxadata\\5-1"_s;
        QString notice;
        const QString error = ClassFiles::loadClass(c, &notice);
        const ClassBytes now = onDisk();
        QVERIFY2(now == before || now == after,
                 qPrintable(u"killed after %1 of %2 steps"_s.arg(k).arg(steps)));
        if (now == before && change == Change::FirstSaveOfNewClass)
            QVERIFY(!error.isEmpty()); // no class yet
        else
            QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(leftovers().isEmpty(), qPrintable(leftovers().join(u' ')));
        (now == before ? asBefore : asAfter)++;
    }
    QCOMPARE(asBefore + asAfter, steps + 1);
    QVERIFY(asBefore > 0 && asAfter > 0);
    // A kill after the last change leaves the saved class.
    QVERIFY(onDisk() == after);
}

void tst_SafetyNet::save_anyStepFails_saysSoAndTheFilesStayAsTheyWere_data() {
    save_killedAtEveryStep_classLoadsAsBeforeOrAfter_data();
}

void tst_SafetyNet::save_anyStepFails_saysSoAndTheFilesStayAsTheyWere() {
    QFETCH(int, how);
    const Change change = static_cast<Change>(how);
    const auto [before, after, steps] = fullSave(change);
    QVERIFY(steps > 0);

    int refused = 0;
    for (int k = 0; k < steps; ++k) {
        put(before);
        FileSet::failStepForTest(k);
        const QString error = changeAndSave(change);
        FileSet::stopAfterStepsForTest(-1);
        const QString where = u"step %1 of %2 failed: "_s.arg(k).arg(steps) + error;
        if (error.isEmpty()) {
            // Only a step after the new files counted (keeping the previous ones, tidying up).
            QVERIFY2(onDisk() == after, qPrintable(where));
        } else {
            ++refused;
            QVERIFY2(onDisk() == before, qPrintable(where));
            QVERIFY2(error.contains(u"ファイルは前のままです"_s), qPrintable(where));
        }
        VOXA1 c;
        c.ClassPath = u"C:\\voxadata\\5-1"_s;
        ClassFiles::loadClass(c);
        QVERIFY2(leftovers().isEmpty(), qPrintable(where + leftovers().join(u' ')));
    }
    QVERIFY(refused > 0);
}

// Another program that removes the marker while a save runs (as a load without the lock did) leaves
// that save not knowing what the files hold: at whatever moment, the save does not say it saved.
void tst_SafetyNet::save_markerRemovedByAnother_isNeverASuccess() {
    const int steps = fullSave(Change::WholeClass).steps;
    int removals = 0;
    for (int k = 0; k < steps; ++k) {
        put(sample);
        bool removed = false;
        FileSet::beforeStepForTest([&](int n) {
            if (n == k && QFile::exists(file(u"5-1.voxaold"_s)))
                removed = QFile::remove(file(u"5-1.voxaold"_s));
        });
        FileSet::stopAfterStepsForTest(1 << 20); // counts the steps from 0
        const QString error = changeAndSave(Change::WholeClass);
        FileSet::stopAfterStepsForTest(-1);
        FileSet::beforeStepForTest({});
        if (!removed)
            continue;
        ++removals;
        QVERIFY2(!error.isEmpty(), qPrintable(u"marker removed before step %1 of %2"_s.arg(k).arg(steps)));
    }
    QVERIFY(removals > 0);
}

void tst_SafetyNet::load_rollbackSetLeftBehind_restoresItAndSaysSoOnce() {
    // A save killed half-way: the settings are new, the other two files still the old ones, and
    // the rollback set with its marker beside them.
    TestSupport::writeFile(file(u"5-1.sdt.voxaold"_s), sample.sdt);
    TestSupport::writeFile(file(u"5-1.eix.voxaold"_s), sample.eix);
    TestSupport::writeFile(file(u"5-1.dat.voxaold"_s), sample.dat);
    TestSupport::writeFile(file(u"5-1.voxaold"_s), "5-1.sdt\n5-1.eix\n5-1.dat\nend\n");
    QByteArray newSdt = sample.sdt;
    newSdt[10] = 'X';
    TestSupport::writeFile(file(u"5-1.sdt"_s), newSdt);
    TestSupport::writeFile(file(u"5-1.dat.voxanew"_s), "torn");

    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    MsgBox::queueAnswer(MsgBox::Ok);
    QVERIFY(c.LoadClass());
    QCOMPARE(MsgBox::shown().size(), 1);
    QVERIFY(MsgBox::shown()[0].text.startsWith(u"前回の保存が途中で終わっていました。"_s));
    QVERIFY(MsgBox::shown()[0].text.contains(u"C:\\voxadata\\5-1"_s));
    QVERIFY(onDisk() == sample);
    QVERIFY(leftovers().isEmpty());
    QCOMPARE(c.ClassSize, qint16(35));

    QVERIFY(c.LoadClass());
    QCOMPARE(MsgBox::shown().size(), 1);
}

void tst_SafetyNet::load_markerWithoutItsFiles_refusesRatherThanMix_data() {
    QTest::addColumn<QByteArray>("marker");
    QTest::newRow("names a file outside") << QByteArray("5-1.sdt\n../../etc\nend\n");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut short: one name, no end line") << QByteArray("5-1.sdt\n");
    QTest::newRow("a name twice") << QByteArray("5-1.sdt\n5-1.sdt\nend\n");
}

void tst_SafetyNet::load_markerWithoutItsFiles_refusesRatherThanMix() {
    // A marker that is not complete or names a file that is not one of the class's cannot be
    // trusted: nothing is loaded, nothing is removed, and the teacher is told what to do.
    QFETCH(QByteArray, marker);
    TestSupport::writeFile(file(u"5-1.voxaold"_s), marker);
    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    const QString error = ClassFiles::loadClass(c);
    QVERIFY2(error.startsWith(
                 u"前回の保存の記録が途中で切れているか、このプログラムが書いたものではありません。"_s),
             qPrintable(error));
    QVERIFY(error.contains(u"保存の前の状態に戻すか今のファイルのまま開くかを選べます"_s));
    QCOMPARE(c.ClassSize, qint16(0));
    QVERIFY(onDisk() == sample);
    QVERIFY(ClassFiles::saveSettings(c).startsWith(u"前回の保存の記録が"_s));
    QVERIFY(onDisk() == sample);
    QCOMPARE(TestSupport::readFile(file(u"5-1.voxaold"_s)), marker);
}

void tst_SafetyNet::load_damagedRecord_teacherSettlesIt_bothStatesKept_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("保存の前の状態に戻して開く") << int(MsgBox::Yes);
    QTest::newRow("今のファイルのまま開く") << int(MsgBox::No);
    QTest::newRow("キャンセル") << int(MsgBox::Cancel);
}

// A save record that cannot be trusted, beside a rollback file and a settings file that differ: the
// teacher chooses how the class opens; whichever state was not chosen is in a backup set, and so is
// the state found; cancelled, nothing changes.
void tst_SafetyNet::load_damagedRecord_teacherSettlesIt_bothStatesKept() {
    QFETCH(int, answer);
    QByteArray changedSdt = sample.sdt;
    changedSdt.replace(changedSdt.indexOf('"') + 1, 4, "ABCD");
    TestSupport::writeFile(file(u"5-1.sdt"_s), changedSdt);
    TestSupport::writeFile(file(u"5-1.sdt.voxaold"_s), sample.sdt);
    const QByteArray marker = "5-1.sdt\n../../etc\nend\n";
    TestSupport::writeFile(file(u"5-1.voxaold"_s), marker);
    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    MsgBox::queueAnswer(MsgBox::Answer(answer));
    const bool loaded = c.LoadClass();
    if (answer == MsgBox::Cancel) {
        QVERIFY(!loaded);
        QCOMPARE(TestSupport::readFile(file(u"5-1.voxaold"_s)), marker);
        QCOMPARE(TestSupport::readFile(file(u"5-1.sdt"_s)), changedSdt);
        QCOMPARE(TestSupport::readFile(file(u"5-1.sdt.voxaold"_s)), sample.sdt);
        return;
    }
    QVERIFY(loaded);
    QCOMPARE(TestSupport::readFile(file(u"5-1.sdt"_s)), answer == MsgBox::Yes ? sample.sdt : changedSdt);
    QCOMPARE(leftovers(), QStringList());
    QVERIFY(!QFileInfo::exists(file(u"5-1.voxaold"_s)));
    const QStringList sets = ClassBackup::sets(folder(), u"5-1"_s);
    QCOMPARE(sets.size(), 2);
    const QString bak = ClassBackup::folderOf(folder(), u"5-1"_s);
    QCOMPARE(ClassBackup::madeBy(folder(), u"5-1"_s, sets[0]), ClassBackup::kAsFound);
    QCOMPARE(ClassBackup::madeBy(folder(), u"5-1"_s, sets[1]), ClassBackup::kRollback);
    QCOMPARE(TestSupport::readFile(bak + u'/' + sets[0] + u"/5-1.sdt"_s), changedSdt);
    QCOMPARE(TestSupport::readFile(bak + u'/' + sets[0] + u"/5-1.dat"_s), sample.dat);
    QCOMPARE(TestSupport::readFile(bak + u'/' + sets[1] + u"/5-1.sdt"_s), sample.sdt);
}

// A save of the earlier version interrupted: its record names the files without an end line. With
// its rollback files beside it, it is put back as before the upgrade.
void tst_SafetyNet::load_recordOfTheEarlierLayout_isPutBack() {
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        QVERIFY(QFile::copy(file(u"5-1"_s + ext), file(u"5-1"_s + ext + u".voxaold"_s)));
    TestSupport::writeFile(file(u"5-1.sdt"_s), "damaged halfway");
    TestSupport::writeFile(file(u"5-1.voxaold"_s), "5-1.sdt\n5-1.eix\n5-1.dat\n");
    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    QString notice;
    QCOMPARE(ClassFiles::loadClass(c, &notice), QString());
    QVERIFY(notice.startsWith(u"前回の保存が途中で終わっていました。"_s));
    QVERIFY(onDisk() == sample);
    QCOMPARE(leftovers(), QStringList());
}

void tst_SafetyNet::backups_savesAnHourApart_keepOneSetEach() {
    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    QCOMPARE(ClassFiles::loadClass(c), QString());
    QList<ClassBytes> saved{sample};
    const QDateTime morning(QDate(2026, 6, 1), QTime(8, 0));
    for (int h = 0; h < 3; ++h) {
        Clock::setNowForTest(morning.addSecs(h * 3600));
        c.Pupil(1).PName = u"第%1版"_s.arg(h);
        QCOMPARE(ClassFiles::saveClass(c), QString());
        saved.append(onDisk());
        // A second save within ten minutes makes no new set.
        Clock::setNowForTest(morning.addSecs(h * 3600 + 9 * 60));
        QCOMPARE(ClassFiles::saveSettings(c), QString());
    }
    const QStringList sets = ClassBackup::sets(folder(), u"5-1"_s);
    QCOMPARE(sets, (QStringList{u"20260601-080000"_s, u"20260601-090000"_s, u"20260601-100000"_s}));
    // Each set holds the class as it was before that save.
    for (int h = 0; h < 3; ++h) {
        const QString set = QDir(ClassBackup::folderOf(folder(), u"5-1"_s)).filePath(sets[h]);
        const ClassBytes kept{TestSupport::readFile(set + u"/5-1.sdt"_s),
                              TestSupport::readFile(set + u"/5-1.eix"_s),
                              TestSupport::readFile(set + u"/5-1.dat"_s)};
        QVERIFY2(kept == saved[h], qPrintable(sets[h]));
    }
}

void tst_SafetyNet::backups_twentyFirstSet_dropsTheOldest() {
    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    QCOMPARE(ClassFiles::loadClass(c), QString());
    const QDateTime start(QDate(2026, 6, 1), QTime(8, 0));
    for (int i = 0; i < ClassBackup::kSetsKept + 1; ++i) {
        Clock::setNowForTest(start.addSecs(i * 3600));
        QCOMPARE(ClassFiles::saveSettings(c), QString());
    }
    const QStringList sets = ClassBackup::sets(folder(), u"5-1"_s);
    QCOMPARE(sets.size(), ClassBackup::kSetsKept);
    QCOMPARE(sets.first(), u"20260601-090000"_s);
    QCOMPARE(sets.last(), u"20260602-040000"_s);
}

void tst_SafetyNet::backups_clockSetBack_stillMakesSets() {
    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    QCOMPARE(ClassFiles::loadClass(c), QString());
    Clock::setNowForTest(QDateTime(QDate(2027, 3, 1), QTime(8, 0)));
    QCOMPARE(ClassFiles::saveSettings(c), QString());
    // The computer's clock is corrected back by a year: the set "in the future" does not stop the
    // backups of today.
    Clock::setNowForTest(QDateTime(QDate(2026, 3, 1), QTime(8, 0)));
    QCOMPARE(ClassFiles::saveSettings(c), QString());
    QCOMPARE(ClassBackup::sets(folder(), u"5-1"_s).size(), 2);
}

void tst_SafetyNet::backups_clockPutRight_keepsTheSetsMadeLast_data() {
    QTest::addColumn<QDateTime>("then"); // the time the clock is put right to
    QTest::newRow("a year ahead, put back") << QDateTime(QDate(2026, 12, 8), QTime(10, 0));
    QTest::newRow("reset to 2000") << QDateTime(QDate(2000, 1, 1), QTime(0, 0));
}

// Twenty saves with the clock a year ahead, then saves at the right time 11 minutes apart: the sets
// made last are the ones kept, and each save keeps the set it made.
void tst_SafetyNet::backups_clockPutRight_keepsTheSetsMadeLast() {
    QFETCH(QDateTime, then);
    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    QCOMPARE(ClassFiles::loadClass(c), QString());
    const QDateTime ahead(QDate(2027, 12, 8), QTime(8, 0));
    for (int i = 0; i < ClassBackup::kSetsKept; ++i) {
        Clock::setNowForTest(ahead.addSecs(i * 3600));
        QCOMPARE(ClassFiles::saveSettings(c), QString());
    }
    QStringList made;
    for (int i = 0; i < 3; ++i) {
        const QDateTime now = then.addSecs(i * 11 * 60);
        Clock::setNowForTest(now);
        c.TeacherName = u"第%1版"_s.arg(i);
        QCOMPARE(ClassFiles::saveSettings(c), QString());
        made.append(now.toString(u"yyyyMMdd-HHmmss"_s));
        const QStringList sets = ClassBackup::sets(folder(), u"5-1"_s);
        QCOMPARE(sets.size(), ClassBackup::kSetsKept);
        QCOMPARE(sets.mid(sets.size() - made.size()), made);
        QCOMPARE(sets.first(), ahead.addSecs((i + 1) * 3600).toString(u"yyyyMMdd-HHmmss"_s));
    }
}

namespace {
ClassBytes fromCopy(const QList<ClassFiles::FileCopy>& f) {
    return f.size() == 3 ? ClassBytes{f[1].bytes, f[2].bytes, f[0].bytes} : ClassBytes{};
}
} // namespace

// A copy over a class (a backup brought back) keeps what the class held in a new set, even minutes
// after the last one, so that copying that set back undoes it byte for byte.
void tst_SafetyNet::copy_ontoAClass_canBeUndoneFromItsBackup() {
    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    QCOMPARE(ClassFiles::loadClass(c), QString());
    const QDateTime morning(QDate(2026, 12, 8), QTime(8, 0));
    Clock::setNowForTest(morning);
    c.TeacherName = u"今朝"_s;
    QCOMPARE(ClassFiles::saveSettings(c), QString());
    const ClassBytes beforeCopy = onDisk();

    ClassBytes other = sample;
    other.sdt[10] = 'X';
    other.dat[100] = char(other.dat[100] ^ 1);
    QVERIFY(QDir().mkpath(home->file(u"copy"_s)));
    for (const auto& [ext, bytes] :
         {std::pair{u".sdt"_s, other.sdt}, std::pair{u".eix"_s, other.eix}, std::pair{u".dat"_s, other.dat}})
        TestSupport::writeFile(home->file(u"copy/5-1"_s + ext), bytes);
    Clock::setNowForTest(morning.addSecs(5 * 60));
    QList<ClassFiles::FileCopy> files;
    QCOMPARE(ClassFiles::readUnit(u"C:\\copy\\5-1"_s, &files), QString());
    QCOMPARE(ClassFiles::replaceUnit(c.ClassPath, files), QString());
    QVERIFY(onDisk() == other);

    const QStringList sets = ClassBackup::sets(folder(), u"5-1"_s);
    QCOMPARE(sets.last(), u"20261208-080500"_s);
    const QString set = QDir(ClassBackup::folderOf(folder(), u"5-1"_s)).filePath(sets.last());
    QCOMPARE(ClassFiles::readUnit(DosPath::fromNative(set + u"/5-1"_s), &files), QString());
    QVERIFY(fromCopy(files) == beforeCopy);
    QCOMPARE(ClassFiles::replaceUnit(c.ClassPath, files), QString());
    QVERIFY(onDisk() == beforeCopy);
}

// The class's backup folder is not a folder (a file of its name), so what a copy replaces cannot be
// kept: the copy replaces nothing and says why, where it used to replace the class and drop it.
void tst_SafetyNet::copy_whatItReplacesCannotBeKept_replacesNothing() {
    QVERIFY(QDir().mkpath(file(u"voxabak"_s)));
    TestSupport::writeFile(file(u"voxabak/5-1"_s), "not a folder");
    QList<ClassFiles::FileCopy> other;
    for (const QString& ext : {u".dat"_s, u".sdt"_s, u".eix"_s})
        other.append({TestSupport::readFile(TestSupport::dataDir() + u"/2-3"_s + ext), {}});
    const QString error = ClassFiles::replaceUnit(DosPath::fromNative(file(u"5-1"_s)), other);
    QVERIFY2(
        error.startsWith(u"学級のファイルを置き換える前に、今のファイルをバックアップに残せませんでした。"_s),
        qPrintable(error));
    QVERIFY(onDisk() == sample);
    QCOMPARE(leftovers(), QStringList());
}

// A settings save keeps the whole class in its set; the files it did not replace are still the live
// ones, which another program may write in place: the set holds copies of them, not the files.
void tst_SafetyNet::backupSet_ofASettingsSave_notChangedByAnInPlaceWrite() {
    VOXA1 c;
    c.ClassPath = DosPath::fromNative(file(u"5-1"_s));
    QCOMPARE(ClassFiles::loadClass(c), QString());
    c.SchoolName = u"設定だけ"_s;
    QCOMPARE(ClassFiles::saveSettings(c), QString());
    const QStringList sets = ClassBackup::sets(folder(), u"5-1"_s);
    QCOMPARE(sets.size(), 1);
    const QString setDat = QDir(ClassBackup::folderOf(folder(), u"5-1"_s)).filePath(sets[0] + u"/5-1.dat"_s);
    QCOMPARE(TestSupport::readFile(setDat), sample.dat);
    QFile live(file(u"5-1.dat"_s));
    QVERIFY(live.open(QIODevice::ReadWrite));
    QVERIFY(live.write("XXXX") == 4);
    live.close();
    QCOMPARE(TestSupport::readFile(setDat), sample.dat);
}

void tst_SafetyNet::copy_fromAnInterruptedSave_copiesOneSaveOrNothing_data() {
    QTest::addColumn<bool>("writable");
    QTest::newRow("the save is put back first") << true;
    QTest::newRow("a source that cannot be written: refused") << false;
}

void tst_SafetyNet::copy_fromAnInterruptedSave_copiesOneSaveOrNothing() {
    QFETCH(bool, writable);
    // A save killed after its new pupil file took its name.
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        QVERIFY(QFile::copy(file(u"5-1"_s + ext), file(u"5-1"_s + ext + u".voxaold"_s)));
    TestSupport::writeFile(file(u"5-1.voxaold"_s), "5-1.sdt\n5-1.eix\n5-1.dat\nend\n");
    QByteArray newDat = sample.dat;
    newDat[200] = 'N';
    TestSupport::writeFile(file(u"5-1.dat"_s), newDat);

    if (!writable)
        FileSet::failStepForTest(0);
    QList<ClassFiles::FileCopy> files;
    QString notice;
    const QString error = ClassFiles::readUnit(u"C:\\voxadata\\5-1"_s, &files, &notice);
    FileSet::failStepForTest(-1);
    if (writable) {
        QCOMPARE(error, QString());
        QVERIFY(notice.startsWith(u"前回の保存が途中で終わっていました。"_s));
        QVERIFY(fromCopy(files) == sample);
        QVERIFY(onDisk() == sample);
    } else {
        QVERIFY2(error.startsWith(u"前回の保存が途中で終わっていて、保存の前の状態に戻せませんでした。"_s),
                 qPrintable(error));
        QVERIFY(files.isEmpty());
    }
}

void tst_SafetyNet::modes_underUmask022_classFilesAndBackupsAreOwnerOnly_data() {
    QTest::addColumn<int>("existing"); // mode of the class files before the save; 0: none
    QTest::addColumn<int>("expected");
    QTest::newRow("new class") << 0 << 0600;
    QTest::newRow("made readable by all before") << 0644 << 0600;
    QTest::newRow("group-readable") << 0640 << 0600;
    QTest::newRow("owner only") << 0600 << 0600;
    QTest::newRow("read-only stays stricter") << 0400 << 0400;
}

void tst_SafetyNet::modes_underUmask022_classFilesAndBackupsAreOwnerOnly() {
    QFETCH(int, existing);
    QFETCH(int, expected);
    const mode_t oldMask = ::umask(022);
    VOXA1 c;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    QCOMPARE(ClassFiles::loadClass(c), QString());
    if (existing == 0)
        put({});
    for (const QString& n : {u"5-1.sdt"_s, u"5-1.eix"_s, u"5-1.dat"_s})
        if (existing != 0)
            QVERIFY(::chmod(QFile::encodeName(file(n)).constData(), mode_t(existing)) == 0);
    const QString error = ClassFiles::saveClass(c);
    ::umask(oldMask);
    // A share that keeps no modes never stops a save.
    QCOMPARE(error, QString());
    if (TestSupport::onShare())
        QSKIP("the share decides the files' modes itself (Samba shows 0744 whatever is asked)");
    for (const QString& n : {u"5-1.sdt"_s, u"5-1.eix"_s, u"5-1.dat"_s})
        QCOMPARE(int(modeOf(file(n))), expected);
    if (existing != 0) {
        // The files as they were, kept in the backups, are not more open than the class.
        const QString bak = ClassBackup::folderOf(folder(), u"5-1"_s);
        const QString set = QDir(bak).filePath(ClassBackup::sets(folder(), u"5-1"_s).value(0));
        QCOMPARE(int(modeOf(file(u"voxabak"_s))), 0700);
        QCOMPARE(int(modeOf(bak)), 0700);
        QCOMPARE(int(modeOf(set)), 0700);
        for (const QString& n : {u"5-1.sdt"_s, u"5-1.eix"_s, u"5-1.dat"_s})
            QCOMPARE(int(modeOf(QDir(set).filePath(n))), qMin(existing & 0600, 0600));
    }
}

void tst_SafetyNet::modes_newDataFolder_isOwnerOnly_iniStaysReadable() {
    const mode_t homeBefore = modeOf(home->path());
    const mode_t oldMask = ::umask(022);
    const QString nested = home->file(u"学校/voxa2"_s);
    const bool made = FileSet::makePrivateFolder(nested);
    const bool ini = IniFile::write({u"C:\\学校\\voxa2\\"_s, 0});
    ::umask(oldMask);
    QVERIFY(made && ini);
    if (TestSupport::onShare())
        QSKIP("the share decides the folders' modes itself");
    QCOMPARE(int(modeOf(nested)), 0700);
    QCOMPARE(int(modeOf(home->file(u"学校"_s))), 0700);
    // The home folder that was there keeps its mode.
    QCOMPARE(modeOf(home->path()), homeBefore);
    QCOMPARE(int(modeOf(home->file(u"voxa.ini"_s))), 0644);
}

QTEST_GUILESS_MAIN(tst_SafetyNet)
#include "tst_SafetyNet.moc"

// The data folder, the copy folder and copying a class's files.

#include "WindowDriver.h"
#include "classfiles/ClassCopy.h"
#include "controls/FileList.h"
#include "controls/FolderList.h"
#include "core/ClassBackup.h"
#include "platform/Clock.h"
#include "platform/MsgBox.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_FoldersAndCopy : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void dataFolder_storedWithFinalBackslash_data();
    void dataFolder_storedWithFinalBackslash();
    void dataFolder_cancel_mainWindowReadsTheFileAgain();
    void dataFolder_mainWindowActivatedMeanwhile_savesTheFolderShown();
    void dataFolder_iniCannotBeWritten_saysSoAndStays();
    void copyFolder_choiceNotYetSaved_staysOutOfOtherSaves();
    void copyFolder_floppy_storesAAndWritesSettings();
    void copyFolder_otherFolder_isStored();
    void copy_toFolderWithoutTheClass_copiesWithoutAsking();
    void copy_overExistingCopy_asks_data();
    void copy_overExistingCopy_asks();
    void copy_withoutSource_orOntoItself_copiesNothing();
    void copy_backupOntoTheLoadedClass_readsItAfresh();
    void backupSet_restoredThroughTheCopyWindow_loadsAsSaved();
    void overwriteQuestion_formatsBothTimes();
    void restore_olderSetThenTheSetItMade_classBackByteForByte();
    void restore_oldestOfTwentySets_isBroughtBack();

private:
    // A loaded class 3-1 and the main window.
    void startWithClass();
    void openCopy();
    // Copies 3-1 from the folder over the class loaded from C:\voxadata, answering the overwrite
    // question with Yes, and checks that the class was read again.
    void copyOntoTheLoadedClass(const QString& fromFolder);
    std::unique_ptr<WindowDriver> d;
};

void tst_FoldersAndCopy::init() {
    d = std::make_unique<WindowDriver>();
}

void tst_FoldersAndCopy::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    d.reset();
}

void tst_FoldersAndCopy::startWithClass() {
    d->startWithClass(u"3-1"_s, u"3年1組"_s, 3);
}

void tst_FoldersAndCopy::dataFolder_storedWithFinalBackslash_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QByteArray>("ini");
    QTest::newRow("drive root") << u"C:\\"_s << QByteArray("\"C:\\\"\r\n0\r\n");
    QTest::newRow("folder") << u"C:\\voxadata"_s << QByteArray("\"C:\\voxadata\\\"\r\n0\r\n");
}

void tst_FoldersAndCopy::dataFolder_storedWithFinalBackslash() {
    QFETCH(QString, folder);
    QFETCH(QByteArray, ini);
    d->start();
    d->trigger(u"vxMain"_s, u"mnufolder"_s);
    auto* dir = d->find<FolderList>(u"vxDrive"_s, u"Dir1"_s);
    dir->setPath(u"Z:\\"_s); // somewhere else first, so that choosing the folder is a change
    dir->setPath(folder);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxDrive"_s, u"Command3D1"_s);
    QCOMPARE(MsgBox::shown().last().text, u"ﾌｫﾙﾀﾞ設定を保存しました"_s);
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxa.ini"_s)), ini);
    QVERIFY(!d->forms().isLoaded(u"vxDrive"_s));
}

void tst_FoldersAndCopy::dataFolder_cancel_mainWindowReadsTheFileAgain() {
    TestSupport::writeFile(d->home().file(u"voxa.ini"_s), "\"C:\\voxadata\\\"\r\n0\r\n");
    startWithClass();
    d->trigger(u"vxMain"_s, u"Folder"_s);
    d->find<FolderList>(u"vxDrive"_s, u"Dir1"_s)->setPath(u"C:\\"_s);
    // The choice stays in the window until it is saved.
    QCOMPARE(d->c().DataFolder, u"C:\\voxadata\\"_s);
    QCOMPARE(d->find<QLabel>(u"vxDrive"_s, u"Label1"_s)->text(), u"C:\\"_s);
    d->click(u"vxDrive"_s, u"Command3D2"_s);
    QCOMPARE(d->c().ReturnForm, u"vxDrive"_s);
    d->forms().show(u"vxMain"_s);
    QCOMPARE(d->c().DataFolder, u"C:\\voxadata\\"_s);
    QVERIFY(!d->forms().isLoaded(u"vxDrive"_s));
}

void tst_FoldersAndCopy::dataFolder_mainWindowActivatedMeanwhile_savesTheFolderShown() {
    TestSupport::writeFile(d->home().file(u"voxa.ini"_s), "\"C:\\voxadata\\\"\r\n0\r\n");
    startWithClass();
    d->trigger(u"vxMain"_s, u"Folder"_s);
    d->find<FolderList>(u"vxDrive"_s, u"Dir1"_s)->setPath(u"C:\\"_s);
    // The teacher clicks the main window (it reads voxa.ini again), then comes back and saves.
    d->forms().show(u"vxMain"_s);
    d->forms().show(u"vxDrive"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxDrive"_s, u"Command3D1"_s);
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxa.ini"_s)), QByteArray("\"C:\\\"\r\n0\r\n"));
    QCOMPARE(d->c().DataFolder, u"C:\\"_s);
}

void tst_FoldersAndCopy::dataFolder_iniCannotBeWritten_saysSoAndStays() {
    TestSupport::writeFile(d->home().file(u"voxa.ini"_s), "\"C:\\voxadata\\\"\r\n0\r\n");
    startWithClass();
    d->trigger(u"vxMain"_s, u"Folder"_s);
    d->find<FolderList>(u"vxDrive"_s, u"Dir1"_s)->setPath(u"C:\\"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    {
        TestSupport::DiskFull full;
        d->click(u"vxDrive"_s, u"Command3D1"_s);
    }
    QVERIFY(MsgBox::shown().last().text.startsWith(u"設定ファイルに書き込めませんでした。"_s));
    for (const auto& box : MsgBox::shown())
        QVERIFY(box.text != u"ﾌｫﾙﾀﾞ設定を保存しました"_s);
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxa.ini"_s)), QByteArray("\"C:\\voxadata\\\"\r\n0\r\n"));
    QVERIFY(d->forms().isLoaded(u"vxDrive"_s));
}

void tst_FoldersAndCopy::copyFolder_choiceNotYetSaved_staysOutOfOtherSaves() {
    startWithClass();
    d->c().CopyFolder = u"C:\\backup"_s;
    d->trigger(u"vxMain"_s, u"cop"_s);
    d->find<QRadioButton>(u"vxCPDrv"_s, u"Option1(1)"_s)->click();
    d->find<FolderList>(u"vxCPDrv"_s, u"Dir1"_s)->setPath(u"C:\\voxadata"_s);
    // A save of the class meanwhile keeps the copy folder the class has.
    QVERIFY(d->c().SaveClass());
    QCOMPARE(d->c().CopyFolder.str().trimmed(), u"C:\\backup"_s);
    QVERIFY(TestSupport::readFile(d->home().file(u"voxadata/3-1.sdt"_s)).contains("\"C:\\backup   "));
    d->click(u"vxCPDrv"_s, u"Command3D2"_s);
    QCOMPARE(d->c().CopyFolder.str().trimmed(), u"C:\\backup"_s);
}

void tst_FoldersAndCopy::copyFolder_floppy_storesAAndWritesSettings() {
    startWithClass();
    d->c().CopyFolder = u"C:\\backup"_s;
    QFile::remove(d->home().file(u"voxadata/3-1.sdt"_s));
    d->trigger(u"vxMain"_s, u"mnuCPDrv"_s);
    d->find<QRadioButton>(u"vxCPDrv"_s, u"Option1(0)"_s)->click();
    QVERIFY(!d->find<QWidget>(u"vxCPDrv"_s, u"Dir1"_s)->isEnabled());
    d->click(u"vxCPDrv"_s, u"Command3D1"_s);
    QCOMPARE(d->c().CopyFolder.str().trimmed(), u"A:\\"_s);
    const QByteArray sdt = TestSupport::readFile(d->home().file(u"voxadata/3-1.sdt"_s));
    QVERIFY(sdt.contains("\"A:\\                 \""));
    QVERIFY(!d->forms().isLoaded(u"vxCPDrv"_s));
}

void tst_FoldersAndCopy::copyFolder_otherFolder_isStored() {
    QDir(d->home().path()).mkdir(u"backup"_s);
    startWithClass();
    d->trigger(u"vxMain"_s, u"cop"_s);
    d->find<QRadioButton>(u"vxCPDrv"_s, u"Option1(1)"_s)->click();
    QVERIFY(d->find<QWidget>(u"vxCPDrv"_s, u"Dir1"_s)->isEnabled());
    d->find<FolderList>(u"vxCPDrv"_s, u"Dir1"_s)->setPath(u"C:\\backup"_s);
    QCOMPARE(d->find<QLabel>(u"vxCPDrv"_s, u"Label1"_s)->text(), u"C:\\backup\\"_s);
    d->click(u"vxCPDrv"_s, u"Command3D1"_s);
    QCOMPARE(d->c().CopyFolder.str().trimmed(), u"C:\\backup"_s);
}

void tst_FoldersAndCopy::openCopy() {
    QDir(d->home().path()).mkdir(u"backup"_s);
    startWithClass();
    d->c().CopyFolder = u"C:\\backup"_s;
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"copy"_s);
    QCOMPARE(MsgBox::shown().last().text,
             u"フロッピーなどコピー先の準備をしてからOKをクリックしてください"_s);
    QVERIFY(!d->forms().isLoaded(u"vxMain"_s));
    QCOMPARE(d->find<FolderList>(u"vxCopy"_s, u"Dir2"_s)->path(), u"C:\\backup"_s);
    QCOMPARE(d->find<FolderList>(u"vxCopy"_s, u"Dir1"_s)->path(), u"C:\\voxadata"_s);
}

void tst_FoldersAndCopy::copyOntoTheLoadedClass(const QString& fromFolder) {
    openCopy();
    d->find<FolderList>(u"vxCopy"_s, u"Dir1"_s)->setPath(fromFolder);
    d->find<FolderList>(u"vxCopy"_s, u"Dir2"_s)->setPath(u"C:\\voxadata"_s);
    QVERIFY(d->find<FileList>(u"vxCopy"_s, u"File1"_s)->chooseFile(u"3-1.dat"_s));
    MsgBox::queueAnswer(MsgBox::Yes);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxCopy"_s, u"Command3D1"_s);
    QCOMPARE(MsgBox::shown()[2].text, u"コピーができました"_s);
    QVERIFY(MsgBox::shown()[3].text.contains(u"読み込み直しました"_s));
}

void tst_FoldersAndCopy::copy_toFolderWithoutTheClass_copiesWithoutAsking() {
    openCopy();
    QVERIFY(d->find<FileList>(u"vxCopy"_s, u"File1"_s)->chooseFile(u"3-1.dat"_s));
    QCOMPARE(d->find<QLabel>(u"vxCopy"_s, u"Label1"_s)->text(), u"C:\\voxadata\\3-1"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxCopy"_s, u"Command3D1"_s);
    QCOMPARE(MsgBox::shown().size(), 2);
    QCOMPARE(MsgBox::shown().last().text, u"コピーができました"_s);
    for (const QString& ext : {u".dat"_s, u".sdt"_s, u".eix"_s})
        QCOMPARE(TestSupport::readFile(d->home().file(u"backup/3-1"_s + ext)),
                 TestSupport::readFile(d->home().file(u"voxadata/3-1"_s + ext)));
    QCOMPARE(d->find<FileList>(u"vxCopy"_s, u"File2"_s)->count(), 1);
}

void tst_FoldersAndCopy::copy_overExistingCopy_asks_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("copied");
    QTest::addColumn<QString>("told"); // empty: nothing more is shown
    QTest::newRow("yes") << int(MsgBox::Yes) << true << u"コピーができました"_s;
    QTest::newRow("no") << int(MsgBox::No) << false << QString();
    QTest::newRow("cancel") << int(MsgBox::Cancel) << false << u"コピーを中止します"_s;
}

void tst_FoldersAndCopy::copy_overExistingCopy_asks() {
    QFETCH(int, answer);
    QFETCH(bool, copied);
    QFETCH(QString, told);
    QDir(d->home().path()).mkdir(u"backup"_s);
    for (const QString& ext : {u".dat"_s, u".sdt"_s, u".eix"_s})
        TestSupport::writeFile(d->home().file(u"backup/3-1"_s + ext), "old");
    openCopy();
    QVERIFY(d->find<FileList>(u"vxCopy"_s, u"File1"_s)->chooseFile(u"3-1.dat"_s));
    MsgBox::queueAnswer(static_cast<MsgBox::Answer>(answer));
    if (!told.isEmpty())
        MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxCopy"_s, u"Command3D1"_s);
    const MsgBox::Shown& q = MsgBox::shown()[1];
    QCOMPARE(q.buttons, MsgBox::YesNoCancel);
    QCOMPARE(q.defaultAnswer, MsgBox::No);
    QCOMPARE(q.icon, MsgBox::Warning);
    QVERIFY2(q.text.endsWith(u"C:\\backup\\3-1.dat が、存在します。\r\n上書きしますか？"_s),
             qPrintable(q.text));
    QCOMPARE(MsgBox::shown().size(), told.isEmpty() ? 2 : 3);
    if (!told.isEmpty())
        QCOMPARE(MsgBox::shown().last().text, told);
    const QByteArray sdt = TestSupport::readFile(d->home().file(u"backup/3-1.sdt"_s));
    QCOMPARE(sdt == "old", !copied);
}

void tst_FoldersAndCopy::copy_withoutSource_orOntoItself_copiesNothing() {
    openCopy();
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxCopy"_s, u"Command3D1"_s);
    QCOMPARE(MsgBox::shown().last().text, u"コピー元のファイルを選択してください"_s);
    d->find<FolderList>(u"vxCopy"_s, u"Dir2"_s)->setPath(u"C:\\voxadata"_s);
    QVERIFY(d->find<FileList>(u"vxCopy"_s, u"File1"_s)->chooseFile(u"3-1.dat"_s));
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxCopy"_s, u"Command3D1"_s);
    QVERIFY(MsgBox::shown().last().text.startsWith(u"コピー元とコピー先が同じファイルです。"_s));
    QCOMPARE(QDir(d->home().file(u"backup"_s)).entryList(QDir::Files), QStringList());
    d->click(u"vxCopy"_s, u"Command3D2"_s);
    QVERIFY(d->forms().isLoaded(u"vxMain"_s));
    QVERIFY(!d->forms().isLoaded(u"vxCopy"_s));
}

void tst_FoldersAndCopy::copy_backupOntoTheLoadedClass_readsItAfresh() {
    // A backup of 3-1 with five pupils, brought back over the class in memory (three pupils).
    QDir(d->home().path()).mkdir(u"backup"_s);
    VOXA1 backup;
    backup.ClassPath = u"C:\\backup\\3-1"_s;
    backup.CurTerm = 2;
    backup.ClassSize = 5;
    backup.PassWord = u"0000000000"_s;
    for (int i = 1; i <= 5; ++i) {
        backup.RecNo(i) = QString::number(i);
        backup.Pupil(i).PName = u"控え%1"_s.arg(i);
    }
    QVERIFY(backup.SaveClass());
    copyOntoTheLoadedClass(u"C:\\backup"_s);
    VOXA1& c = d->c();
    QCOMPARE(c.ClassSize, qint16(5));
    QCOMPARE(c.CurTerm, qint16(2));
    QCOMPARE(c.Pupil(5).PName.str().trimmed(), u"控え5"_s);
    // The next save writes what was copied, not the class that was in memory before.
    QVERIFY(c.SaveClass());
    for (const QString& ext : {u".dat"_s, u".sdt"_s, u".eix"_s})
        QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/3-1"_s + ext)),
                 TestSupport::readFile(d->home().file(u"backup/3-1"_s + ext)));
}

void tst_FoldersAndCopy::backupSet_restoredThroughTheCopyWindow_loadsAsSaved() {
    // The class as it was at eight, kept by the save at nine; the teacher brings it back.
    startWithClass();
    VOXA1& c = d->c();
    Clock::setNowForTest(QDateTime(QDate(2026, 6, 1), QTime(8, 0)));
    c.Pupil(2).PName = u"朝の名前"_s;
    QVERIFY(c.SaveClass());
    QList<QByteArray> morning;
    for (const QString& ext : {u".dat"_s, u".sdt"_s, u".eix"_s})
        morning.append(TestSupport::readFile(d->home().file(u"voxadata/3-1"_s + ext)));
    Clock::setNowForTest(QDateTime(QDate(2026, 6, 1), QTime(9, 0)));
    c.Pupil(2).PName = u"昼の名前"_s;
    c.CurTerm = 2;
    QVERIFY(c.SaveClass());

    copyOntoTheLoadedClass(u"C:\\voxadata\\voxabak\\3-1\\20260601-090000"_s);
    QCOMPARE(c.Pupil(2).PName.str().trimmed(), u"朝の名前"_s);
    QCOMPARE(c.CurTerm, qint16(1));
    int i = 0;
    for (const QString& ext : {u".dat"_s, u".sdt"_s, u".eix"_s})
        QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/3-1"_s + ext)), morning[i++]);
}

void tst_FoldersAndCopy::overwriteQuestion_formatsBothTimes() {
    const QDateTime a(QDate(2026, 7, 3), QTime(8, 5, 9));
    const QDateTime b(QDate(2026, 12, 24), QTime(17, 30, 0));
    QCOMPARE(
        ClassCopy::overwriteQuestion(a, b, u"A:\\3-1"_s),
        u"コピー元: 2026/07/03  08:05:09  \r\nコピー先: 2026/12/24  17:30:00  \r\n\r\nA:\\3-1.dat が、存在します。\r\n上書きしますか？"_s);
}

// バックアップから戻す: an older set brought back, then the set that restore made brought back:
// the class is as before, byte for byte; a damaged set is listed and cannot be chosen.
void tst_FoldersAndCopy::restore_olderSetThenTheSetItMade_classBackByteForByte() {
    startWithClass();
    VOXA1& c = d->c();
    auto onDisk = [&] {
        QByteArray all;
        for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
            all += TestSupport::readFile(d->home().file(u"voxadata/3-1"_s + ext));
        return all;
    };
    const QByteArray first = onDisk();
    const QDateTime morning(QDate(2026, 12, 8), QTime(9, 0));
    Clock::setNowForTest(morning);
    c.Pupil(1).PName = u"午前"_s;
    QVERIFY(c.SaveClass()); // set 09:00 holds the first state
    Clock::setNowForTest(morning.addSecs(3600));
    c.Pupil(1).PName = u"午後"_s;
    QVERIFY(c.SaveClass()); // set 10:00 holds the morning's
    const QByteArray latest = onDisk();
    // A set whose settings file was cut short.
    const QString damaged = d->home().file(u"voxadata/voxabak/3-1/20261207-150000"_s);
    QVERIFY(QDir().mkpath(damaged));
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        TestSupport::writeFile(damaged + u"/3-1"_s + ext, "x");

    Clock::setNowForTest(morning.addSecs(3600 + 5 * 60));
    d->trigger(u"vxMain"_s, u"mnuRestore"_s);
    auto* list = d->find<QListWidget>(u"vxRestore"_s, u"List1"_s);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(),
             u"2026/12/08 10:00:00　保存の前の状態　3人　担任：（なし）　計算済み：なし"_s);
    QCOMPARE(list->item(1)->text(),
             u"2026/12/08 09:00:00　保存の前の状態　3人　担任：（なし）　計算済み：なし"_s);
    QCOMPARE(list->item(2)->text(), u"2026/12/07 15:00:00　（壊れていて読めません）"_s);
    QVERIFY(!(list->item(2)->flags() & Qt::ItemIsSelectable));

    list->setCurrentRow(1);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxRestore"_s, u"Command1"_s);
    const QString named = u"2026年12月8日 9:00:00 の保存の前の状態（3人　担任：（なし）　計算済み：なし）"_s;
    QCOMPARE(MsgBox::shown().at(MsgBox::shown().size() - 2).text,
             named + u"に戻します。\r\n今の状態もバックアップに残ります。よろしいですか"_s);
    QCOMPARE(MsgBox::shown().at(MsgBox::shown().size() - 2).defaultAnswer, MsgBox::Cancel);
    QCOMPARE(MsgBox::shown().last().text, u"3年1組を"_s + named + u"に戻しました。"_s);
    QCOMPARE(onDisk(), first);
    QCOMPARE(c.Pupil(1).PName.str().trimmed(), u"生徒1"_s);

    // The newest set is the one the restore made: the class as it was before it.
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->item(0)->text(),
             u"2026/12/08 10:05:00　戻す前の状態　3人　担任：（なし）　計算済み：なし"_s);
    QCOMPARE(list->currentRow(), 0); // chosen at once: Enter goes on from the keyboard
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(onDisk(), latest);
    QCOMPARE(c.Pupil(1).PName.str().trimmed(), u"午後"_s);
    // Two restores in one minute: the rows still tell the sets apart, to the second.
    QCOMPARE(list->item(0)->text(),
             u"2026/12/08 10:05:01　戻す前の状態　3人　担任：（なし）　計算済み：なし"_s);
    // VOXA_SHOT_DIR keeps a picture of the list to be looked at.
    if (const QString shots = qEnvironmentVariable("VOXA_SHOT_DIR"); !shots.isEmpty())
        d->forms().find(u"vxRestore"_s)->grab().save(shots + u"/restore-list.png"_s);

    // Nothing chosen, or the damaged set: nothing happens but a word.
    list->setCurrentRow(list->count() - 1);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxRestore"_s, u"Command1"_s);
    QCOMPARE(MsgBox::shown().last().text, u"戻したい時点を選んでください。"_s);
    QCOMPARE(onDisk(), latest);
    d->click(u"vxRestore"_s, u"Command2"_s);
    QVERIFY(d->forms().find(u"vxMain"_s)->isVisible());
}

// The oldest of the twenty sets kept: the saves a restore makes would prune it first.
void tst_FoldersAndCopy::restore_oldestOfTwentySets_isBroughtBack() {
    startWithClass();
    VOXA1& c = d->c();
    const QDateTime start(QDate(2026, 12, 1), QTime(8, 0));
    QByteArray oldest;
    for (int i = 0; i <= ClassBackup::kSetsKept; ++i) {
        Clock::setNowForTest(start.addSecs(i * 3600));
        c.Pupil(1).PName = u"状態%1"_s.arg(i);
        QVERIFY(c.SaveClass());
        if (i == 0)
            oldest = TestSupport::readFile(d->home().file(u"voxadata/3-1.dat"_s));
    }
    QCOMPARE(ClassBackup::sets(d->home().file(u"voxadata"_s), u"3-1"_s).size(), ClassBackup::kSetsKept);
    Clock::setNowForTest(start.addSecs(30 * 3600));
    d->trigger(u"vxMain"_s, u"mnuRestore"_s);
    auto* list = d->find<QListWidget>(u"vxRestore"_s, u"List1"_s);
    list->setCurrentRow(list->count() - 1); // the oldest: made by the save at 09:00, holding 状態0
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxRestore"_s, u"Command1"_s);
    QVERIFY2(MsgBox::shown().last().text.endsWith(u"に戻しました。"_s),
             qPrintable(MsgBox::shown().last().text));
    QCOMPARE(c.Pupil(1).PName.str().trimmed(), u"状態0"_s);
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/3-1.dat"_s)), oldest);
}

QTEST_MAIN(tst_FoldersAndCopy)
#include "tst_FoldersAndCopy.moc"

// Flows between the class windows that must never lose or misplace a class: creating a class and
// then choosing another, correcting the grade after choosing the folder, a password set before the
// first settings save, settings the main window refuses, and files class selection must not read.

#include "WindowDriver.h"
#include "controls/FileList.h"
#include "controls/FolderList.h"
#include "core/ScoreCode.h"
#include "platform/MsgBox.h"

#include <QLabel>
#include <QLockFile>
#include <QSysInfo>
#include <QtTest>

using namespace Qt::StringLiterals;
using TestSupport::readFile;

class tst_ClassFlows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void newClassThenSelection_chosenClassIsNotNew_andSavesUnchanged();
    void newClass_gradeCorrectedAfterFolder_filesNamedFromTheBoxes();
    void newClass_classTextNotADigit_isRefused();
    void newClass_passwordBeforeFirstSettingsSave_survivesEverySave();
    void refusedSettings_keepTheMainWindowAndTheEdits_data();
    void refusedSettings_keepTheMainWindowAndTheEdits();
    void selection_fileNameNotAClass_isRefused_data();
    void selection_fileNameNotAClass_isRefused();
    void selection_classInUse_data();
    void selection_classInUse();

private:
    // 新規入力 → grade, class, folder → ﾃﾞｰﾀ作成 (all questions answered OK).
    void createClass(const QString& grade, const QString& klass);
    void selectClass(const QString& file);
    // A saved class 5-1 with scores, allocations and a password-free settings file.
    void writeClassWithScores();
    std::unique_ptr<WindowDriver> d;
};

void tst_ClassFlows::init() {
    d = std::make_unique<WindowDriver>();
    d->start();
}

void tst_ClassFlows::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    d.reset();
}

void tst_ClassFlows::createClass(const QString& grade, const QString& klass) {
    MsgBox::queueAnswer(MsgBox::Ok); // "学年組を入力してください": the folder list set at load
    d->trigger(u"vxMain"_s, u"mnuNew"_s);
    d->type(u"vxNew"_s, u"Text2"_s, grade);
    d->type(u"vxNew"_s, u"Text3"_s, klass);
    auto* dir = d->find<FolderList>(u"vxNew"_s, u"Dir1"_s);
    dir->setPath(u"C:\\"_s);
    dir->setPath(u"C:\\voxadata"_s);
    for (int i = 0; i < 3; ++i)
        MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxNew"_s, u"Command3D3"_s);
}

void tst_ClassFlows::selectClass(const QString& file) {
    d->trigger(u"vxMain"_s, u"mnuLoad"_s);
    QVERIFY(d->find<FileList>(u"vxLoad"_s, u"File1"_s)->chooseFile(file));
    d->click(u"vxLoad"_s, u"Command3D2"_s);
}

void tst_ClassFlows::writeClassWithScores() {
    d->writeClass(u"5-1"_s, 4);
    VOXA1 k;
    k.ClassPath = u"C:\\voxadata\\5-1"_s;
    QVERIFY(k.LoadClass());
    k.SheetSetup(1, 1).set(1, ScoreCode::encodeAllocation(50));
    k.SheetSetup(1, 1).set(21, ScoreCode::encodeAllocation(50));
    for (int p = 1; p <= 4; ++p) {
        k.Pupil(p).SheetMarks(1, 1).set(1, ScoreCode::encode(40 + p));
        k.Pupil(p).SheetMarks(1, 1).set(21, ScoreCode::encode(30 + p));
    }
    QVERIFY(k.SaveClass());
}

void tst_ClassFlows::newClassThenSelection_chosenClassIsNotNew_andSavesUnchanged() {
    writeClassWithScores();
    const QByteArray sdt = readFile(d->home().file(u"voxadata/5-1.sdt"_s));
    const QByteArray dat = readFile(d->home().file(u"voxadata/5-1.dat"_s));
    createClass(u"3"_s, u"1"_s);
    VOXA1& c = d->c();
    QCOMPARE(c.NewClassFlag, qint16(10));
    selectClass(u"5-1.dat"_s);
    QCOMPARE(c.ClassName, u"5年1組"_s);
    QCOMPARE(c.NewClassFlag, qint16(0));
    QCOMPARE(c.StartMode, qint16(0));
    QCOMPARE(c.JustCreated, qint16(0));
    // The standard settings (class size 30) belong to a class just created.
    QVERIFY(!d->find<QAction>(u"vxMain"_s, u"mnuSubj"_s)->isEnabled());
    QVERIFY(!d->find<QAction>(u"vxMain"_s, u"Subj"_s)->isEnabled());
    QVERIFY(!d->find<QLineEdit>(u"vxMain"_s, u"Text4"_s)->isEnabled());
    // DATA保存 writes the class as it was read: scores, allocations and password stay.
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuSave"_s);
    QCOMPARE(MsgBox::shown().last().text, u"ﾃﾞｰﾀの保存をしました"_s);
    QCOMPARE(readFile(d->home().file(u"voxadata/5-1.dat"_s)), dat);
    QCOMPARE(readFile(d->home().file(u"voxadata/5-1.sdt"_s)), sdt);
}

void tst_ClassFlows::newClass_gradeCorrectedAfterFolder_filesNamedFromTheBoxes() {
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuNew"_s);
    d->type(u"vxNew"_s, u"Text2"_s, u"0"_s);
    d->type(u"vxNew"_s, u"Text3"_s, u"1"_s);
    auto* dir = d->find<FolderList>(u"vxNew"_s, u"Dir1"_s);
    dir->setPath(u"C:\\"_s);
    dir->setPath(u"C:\\voxadata"_s);
    // The teacher sees the 0 and corrects it to 4.
    d->type(u"vxNew"_s, u"Text2"_s, u"4"_s);
    QCOMPARE(d->find<QLabel>(u"vxNew"_s, u"Label6"_s)->text(), u"4年1組"_s);
    for (int i = 0; i < 3; ++i)
        MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxNew"_s, u"Command3D3"_s);
    QCOMPARE(MsgBox::shown()[1].text, u"4年1組のデータを\r\nC:\\voxadata\\4-1に作っていいですか"_s);
    QCOMPARE(QDir(d->home().file(u"voxadata"_s)).entryList(QDir::Files),
             (QStringList{u"4-1.dat"_s, u"4-1.eix"_s, u"4-1.lock"_s}));
    QCOMPARE(d->c().ClassPath, u"C:\\voxadata\\4-1"_s);
    QCOMPARE(d->c().ClassName, u"4年1組"_s);
}

void tst_ClassFlows::newClass_classTextNotADigit_isRefused() {
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuNew"_s);
    d->type(u"vxNew"_s, u"Text2"_s, u"3"_s);
    MsgBox::queueAnswer(MsgBox::Ok); // the class box's own warning at "1a"
    d->type(u"vxNew"_s, u"Text3"_s, u"1a"_s);
    auto* dir = d->find<FolderList>(u"vxNew"_s, u"Dir1"_s);
    dir->setPath(u"C:\\"_s);
    dir->setPath(u"C:\\voxadata"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxNew"_s, u"Command3D3"_s);
    QCOMPARE(MsgBox::shown().last().text, u"組を正しく入力してください"_s);
    QVERIFY(!QFileInfo::exists(d->home().file(u"voxadata"_s)));
    QCOMPARE(d->c().ClassLoaded, qint16(0));
}

void tst_ClassFlows::newClass_passwordBeforeFirstSettingsSave_survivesEverySave() {
    createClass(u"3"_s, u"1"_s);
    // ﾊﾟｽﾜｰﾄﾞ straight after creating the class, before any setting was typed.
    d->trigger(u"vxMain"_s, u"mnuPass"_s);
    d->type(u"vxPass"_s, u"Text1"_s, u"kuma"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->pressEnter(u"vxPass"_s, u"Text1"_s);
    d->type(u"vxPass"_s, u"Text2"_s, u"kuma"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->pressEnter(u"vxPass"_s, u"Text2"_s);
    QCOMPARE(MsgBox::shown().last().text, u"パスワードの設定が完了しました。"_s);
    d->click(u"vxPass"_s, u"Command3D1"_s);
    auto passwordLine = [&] { return readFile(d->home().file(u"voxadata/3-1.sdt"_s)).split('\n').value(21); };
    QCOMPARE(passwordLine(), QByteArray("\"kuma000000\"\r"));
    // The first settings save of the new class.
    d->type(u"vxMain"_s, u"Text4"_s, u"25"_s);
    d->type(u"vxMain"_s, u"Text5"_s, u"1"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuVer"_s);
    QCOMPARE(MsgBox::shown().last().text, u"初期ﾃﾞｰﾀを保存しました"_s);
    QCOMPARE(d->c().NewClassFlag, qint16(0));
    QCOMPARE(passwordLine(), QByteArray("\"kuma000000\"\r"));
}

void tst_ClassFlows::refusedSettings_keepTheMainWindowAndTheEdits_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("command");
    QTest::newRow("term 4, roster") << u"Text5"_s << u"4"_s << u"mnuMeibo"_s;
    QTest::newRow("term 5, scores") << u"Text5"_s << u"5"_s << u"mnuTest"_s;
    QTest::newRow("term 0, password") << u"Text5"_s << u"0"_s << u"mnuPass"_s;
}

void tst_ClassFlows::refusedSettings_keepTheMainWindowAndTheEdits() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, command);
    d.reset();
    d = std::make_unique<WindowDriver>();
    d->startWithClass(u"3-1"_s, u"3年1組"_s, 3);
    const QByteArray sdt = readFile(d->home().file(u"voxadata/3-1.sdt"_s));
    d->type(u"vxMain"_s, u"Text2"_s, u"新しい学校名"_s);
    d->type(u"vxMain"_s, box, text);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, command);
    QVERIFY(MsgBox::shown().last().text.endsWith(u"初期データは保存していません。"_s));
    Form* main = d->forms().find(u"vxMain"_s);
    QVERIFY(main && main->isVisible());
    QCOMPARE(d->forms().loadedTags(), QStringList{u"vxMain"_s});
    QCOMPARE(d->find<QLineEdit>(u"vxMain"_s, box)->text(), text);
    QCOMPARE(d->find<QLineEdit>(u"vxMain"_s, u"Text2"_s)->text(), u"新しい学校名"_s);
    QCOMPARE(d->c().SettingsDirty, qint16(100));
    QCOMPARE(readFile(d->home().file(u"voxadata/3-1.sdt"_s)), sdt);
}

void tst_ClassFlows::selection_fileNameNotAClass_isRefused_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("class 12") << u"3-12.dat"_s;
    QTest::newRow("grade 7") << u"7-1.dat"_s;
    QTest::newRow("class 0") << u"3-0.dat"_s;
    QTest::newRow("other name") << u"3-1copy.dat"_s;
}

void tst_ClassFlows::selection_fileNameNotAClass_isRefused() {
    QFETCH(QString, file);
    d->writeClass(u"3-1"_s, 3);
    const QString base = file.left(file.size() - 4);
    for (const QString& ext : {u".dat"_s, u".sdt"_s, u".eix"_s})
        QVERIFY(QFile::copy(d->home().file(u"voxadata/3-1"_s + ext),
                            d->home().file(u"voxadata/"_s + base + ext)));
    MsgBox::queueAnswer(MsgBox::Ok);
    selectClass(file);
    QVERIFY(MsgBox::shown().last().text.startsWith(file + u" は学級のファイルではありません。"_s));
    QCOMPARE(d->c().ClassLoaded, qint16(0));
    QVERIFY(!d->c().classIsLoaded());
    QVERIFY(d->forms().isLoaded(u"vxLoad"_s));
}

namespace {
// Stands for no question at all: the class opens without one.
constexpr int kNobody = 1000;
} // namespace

void tst_ClassFlows::selection_classInUse_data() {
    QTest::addColumn<bool>("otherComputer");
    QTest::addColumn<int>("answer"); // to the question about clearing the other computer's mark
    QTest::newRow("another program here") << false << -1;
    QTest::newRow("another computer, キャンセル") << true << int(MsgBox::Cancel);
    QTest::newRow("another computer, 使用中の表示を解除して開く") << true << int(MsgBox::Yes);
    QTest::newRow("a lock cut short, another computer's intent, キャンセル") << true << int(MsgBox::No);
    QTest::newRow("a lock cut short, nobody's intent") << false << int(kNobody);
}

// A class another program holds is not opened; another computer's mark is cleared only when the
// teacher says so, and the class then stays held here until another class is chosen.
void tst_ClassFlows::selection_classInUse() {
    QFETCH(bool, otherComputer);
    QFETCH(int, answer);
    d->writeClass(u"5-1"_s, 4);
    d->writeClass(u"3-2"_s, 3);
    const QString lockPath = d->home().file(u"voxadata/5-1.lock"_s);
    // MsgBox::No stands for a lock another computer was killed while writing: the lock is empty and
    // that computer's intent beside it names it; answered with キャンセル. kNobody: an empty
    // lock with no intent beside it, which nobody can be writing.
    const bool cutShort = answer == MsgBox::No || answer == kNobody;
    // An earlier version's lock (QLockFile's layout) of another computer.
    const QByteArray othersLock = cutShort ? QByteArray() : QByteArray("4242\nVOXA2003\nstaff-room-pc\n");
    const QString intentPath = lockPath + u".00112233445566778899aabbccddeeff"_s;
    QLockFile here(lockPath);
    if (otherComputer) {
        TestSupport::writeFile(lockPath, othersLock);
        if (answer == MsgBox::No)
            TestSupport::writeFile(intentPath, "voxa-lock 2\ntoken 00112233445566778899aabbccddeeff\n"
                                               "host staff-room-pc\nmachine 0badc0de\nboot -\npid 77\n"
                                               "start -\nprogram VOXA2003\nsince 1796000000000\nend\n");
    } else if (answer == kNobody) {
        TestSupport::writeFile(lockPath, QByteArray());
    } else {
        QVERIFY(here.tryLock(0));
    }
    if (answer == kNobody) {
        selectClass(u"5-1.dat"_s);
        QCOMPARE(d->c().ClassName, u"5年1組"_s);
        QVERIFY(readFile(lockPath).contains("\npid " +
                                            QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
        return;
    }
    if (answer >= 0)
        MsgBox::queueAnswer(cutShort ? MsgBox::Cancel : MsgBox::Answer(answer));
    else
        MsgBox::queueAnswer(MsgBox::Ok);
    selectClass(u"5-1.dat"_s);

    const MsgBox::Shown& box = MsgBox::shown().last();
    const QString holder = otherComputer ? u"staff-room-pc"_s : QSysInfo::machineHostName();
    QVERIFY2(box.text.startsWith(u"この学級は%1で使用中です（"_s.arg(holder)), qPrintable(box.text));
    QCOMPARE(box.captions.isEmpty(), !otherComputer);
    if (answer != MsgBox::Yes) {
        QVERIFY(!d->c().classIsLoaded());
        if (otherComputer)
            QCOMPARE(readFile(lockPath), othersLock);
        if (answer == MsgBox::No)
            QVERIFY(QFileInfo::exists(intentPath));
        return;
    }
    QCOMPARE(box.defaultAnswer, MsgBox::Cancel);
    QCOMPARE(d->c().ClassName, u"5年1組"_s);
    QVERIFY(readFile(lockPath).contains("\npid " + QByteArray::number(QCoreApplication::applicationPid()) +
                                        '\n'));
    selectClass(u"3-2.dat"_s);
    QCOMPARE(d->c().ClassName, u"3年2組"_s);
    QVERIFY(!QFileInfo::exists(lockPath));
    QVERIFY(QFileInfo::exists(d->home().file(u"voxadata/3-2.lock"_s)));
}

QTEST_MAIN(tst_ClassFlows)
#include "tst_ClassFlows.moc"

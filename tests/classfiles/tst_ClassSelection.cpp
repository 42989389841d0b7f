// Choosing a class, with and without its password, and setting the password.

#include "WindowDriver.h"
#include "controls/FileList.h"
#include "core/IniFile.h"
#include "platform/MsgBox.h"
#include "platform/Program.h"

#include <QLabel>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_ClassSelection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void fileList_beforeChoosing_showsDatFilesInAnyCase();
    void select_withoutPassword_loadsOnFirstRun();
    void select_withoutChoosing_asksForAFile();
    void select_password_data();
    void select_password();
    void select_twoWrongThenRight_loads();
    void select_thirdWrong_endsWithoutSaving();
    void select_passHidden_switchesTheSettingOnly();
    void select_passHidden_iniCannotBeWritten_saysSo();
    void select_missingPupilFile_keepsTheLoadedClass();
    void password_setConfirmAndSave();
    void password_mismatch_clearsBoth();
    void password_emptyEntry_removesIt();
    void password_cancel_restoresThePrevious();
    void password_confirmationBeforeFirst_answersEveryKey();

private:
    void openSelection();
    void choose(const QString& file);
    // The class 3-1 loaded and shown, then the password window opened.
    void openPassword(const QString& stored);
    std::unique_ptr<WindowDriver> d;
};

void tst_ClassSelection::init() {
    d = std::make_unique<WindowDriver>();
}

void tst_ClassSelection::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    d.reset();
}

void tst_ClassSelection::openSelection() {
    d->start();
    d->trigger(u"vxMain"_s, u"mnuLoad"_s);
    QVERIFY(d->forms().isLoaded(u"vxLoad"_s));
}

void tst_ClassSelection::choose(const QString& file) {
    QVERIFY(d->find<FileList>(u"vxLoad"_s, u"File1"_s)->chooseFile(file));
}

void tst_ClassSelection::fileList_beforeChoosing_showsDatFilesInAnyCase() {
    d->writeClass(u"3-1"_s, 2);
    TestSupport::writeFile(d->home().file(u"voxadata/5-2.DAT"_s), "x");
    TestSupport::writeFile(d->home().file(u"voxadata/memo.txt"_s), "x");
    openSelection();
    auto* files = d->find<FileList>(u"vxLoad"_s, u"File1"_s);
    QStringList names;
    for (int i = 0; i < files->count(); ++i)
        names << files->item(i)->text();
    QCOMPARE(names, (QStringList{u"3-1.dat"_s, u"5-2.DAT"_s}));
    QCOMPARE(d->find<QLabel>(u"vxLoad"_s, u"Label3"_s)->text(), u"C:\\voxadata"_s);
    QCOMPARE(d->find<QLabel>(u"vxLoad"_s, u"Label4"_s)->text(), u"ドライブ(&D)"_s);
    QCOMPARE(d->find<QLabel>(u"vxLoad"_s, u"Label2"_s)->text(), u"フォルダ(&F)"_s);
}

void tst_ClassSelection::select_withoutPassword_loadsOnFirstRun() {
    d->writeClass(u"3-1"_s, 4);
    openSelection();
    choose(u"3-1.dat"_s);
    QCOMPARE(d->find<QLabel>(u"vxLoad"_s, u"Label5"_s)->text(), u"3年1組"_s);
    d->click(u"vxLoad"_s, u"Command3D2"_s);
    VOXA1& c = d->c();
    QCOMPARE(c.ClassName, u"3年1組"_s);
    QCOMPARE(c.ClassPath, u"C:\\voxadata\\3-1"_s);
    QCOMPARE(c.ClassSize, qint16(4));
    QCOMPARE(c.Pupil(4).PName.str().trimmed(), u"生徒4"_s);
    QCOMPARE(c.ClassLoaded, qint16(1));
    QCOMPARE(c.NoClassYet, qint16(0));
    QCOMPARE(c.Grade, qint16(3));
    QVERIFY(!d->forms().isLoaded(u"vxLoad"_s));
    QCOMPARE(d->find<QLabel>(u"vxMain"_s, u"Label7"_s)->text(), u"3年1組"_s);
    QVERIFY(d->find<QAction>(u"vxMain"_s, u"mnuMeibo"_s)->isEnabled());
    QCOMPARE(MsgBox::shown().size(), 0);
}

void tst_ClassSelection::select_withoutChoosing_asksForAFile() {
    openSelection();
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxLoad"_s, u"Command3D2"_s);
    QCOMPARE(MsgBox::shown().last().text, u"データファイルを選択してください。"_s);
}

void tst_ClassSelection::select_password_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("opens");
    QTest::newRow("as set") << u"Abc"_s << true;
    QTest::newRow("lower case") << u"abc"_s << true;
    QTest::newRow("with some zeros") << u"abc0000"_s << true;
    QTest::newRow("all ten") << u"ABC0000000"_s << true;
    QTest::newRow("shorter") << u"ab"_s << false;
    QTest::newRow("longer than ten") << u"abc00000000000"_s << false;
}

void tst_ClassSelection::select_password() {
    QFETCH(QString, typed);
    QFETCH(bool, opens);
    d->writeClass(u"3-1"_s, 2, u"Abc0000000"_s);
    openSelection();
    choose(u"3-1.dat"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxLoad"_s, u"Command3D2"_s);
    QCOMPARE(MsgBox::shown().last().text, u"パスワードを入力してください"_s);
    QCOMPARE(d->c().ClassLoaded, qint16(0));
    d->type(u"vxLoad"_s, u"Text1"_s, typed);
    if (!opens)
        MsgBox::queueAnswer(MsgBox::Ok);
    d->pressEnter(u"vxLoad"_s, u"Text1"_s);
    QCOMPARE(d->c().ClassLoaded, qint16(opens ? 1 : 0));
    if (opens)
        QCOMPARE(d->c().PassWord.str(), u"ABC0000000"_s);
    else
        QCOMPARE(MsgBox::shown().last().text, u"パスワードが間違っています。\r\n再入力して下さい"_s);
}

void tst_ClassSelection::select_twoWrongThenRight_loads() {
    d->writeClass(u"3-1"_s, 2, u"KEY0000000"_s);
    openSelection();
    choose(u"3-1.dat"_s);
    for (const QString& wrong : {u"x"_s, u"y"_s}) {
        d->type(u"vxLoad"_s, u"Text1"_s, wrong);
        MsgBox::queueAnswer(MsgBox::Ok);
        d->pressEnter(u"vxLoad"_s, u"Text1"_s);
        QCOMPARE(d->find<QLineEdit>(u"vxLoad"_s, u"Text1"_s)->text(), QString());
    }
    d->type(u"vxLoad"_s, u"Text1"_s, u"key"_s);
    d->pressEnter(u"vxLoad"_s, u"Text1"_s);
    QCOMPARE(d->c().ClassLoaded, qint16(1));
    QVERIFY(!Program::hasEnded());
}

void tst_ClassSelection::select_thirdWrong_endsWithoutSaving() {
    d->writeClass(u"3-1"_s, 2, u"KEY0000000"_s);
    const QByteArray sdt = TestSupport::readFile(d->home().file(u"voxadata/3-1.sdt"_s));
    openSelection();
    choose(u"3-1.dat"_s);
    for (int i = 0; i < 3; ++i) {
        d->type(u"vxLoad"_s, u"Text1"_s, u"nope"_s);
        MsgBox::queueAnswer(MsgBox::Ok);
        d->pressEnter(u"vxLoad"_s, u"Text1"_s);
    }
    QCOMPARE(MsgBox::shown().last().text, u"パスワードが間違っています。\r\n強制終了します"_s);
    QVERIFY(Program::hasEnded());
    QCOMPARE(d->c().ClassLoaded, qint16(0));
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/3-1.sdt"_s)), sdt);
}

void tst_ClassSelection::select_passHidden_switchesTheSettingOnly() {
    d->writeClass(u"3-1"_s, 2, u"KEY0000000"_s);
    TestSupport::writeFile(d->home().file(u"voxa.ini"_s), "\"C:\\voxadata\\\"\r\n1\r\n");
    openSelection();
    QVERIFY(!d->find<QWidget>(u"vxLoad"_s, u"Panel3D1"_s)->isVisibleTo(d->forms().find(u"vxLoad"_s)));
    choose(u"3-1.dat"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok); // back in the main window: still no class
    d->click(u"vxLoad"_s, u"Command3D2"_s);
    QCOMPARE(MsgBox::shown()[0].text, u"パスワードが入力されています\r\nパスワード使用の設定を変更します"_s);
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxa.ini"_s)), QByteArray("\"C:\\voxadata\\\"\r\n0\r\n"));
    QCOMPARE(d->c().ClassLoaded, qint16(0));
    QCOMPARE(d->c().PassHidden, qint16(0));
    // The next opening shows the password row.
    d->trigger(u"vxMain"_s, u"mnuLoad"_s);
    QVERIFY(d->find<QWidget>(u"vxLoad"_s, u"Panel3D1"_s)->isVisibleTo(d->forms().find(u"vxLoad"_s)));
}

void tst_ClassSelection::select_passHidden_iniCannotBeWritten_saysSo() {
    d->writeClass(u"3-1"_s, 2, u"KEY0000000"_s);
    const QByteArray ini = "\"C:\\voxadata\\\"\r\n1\r\n";
    TestSupport::writeFile(d->home().file(u"voxa.ini"_s), ini);
    openSelection();
    choose(u"3-1.dat"_s);
    for (int i = 0; i < 3; ++i)
        MsgBox::queueAnswer(MsgBox::Ok);
    {
        TestSupport::DiskFull full;
        d->click(u"vxLoad"_s, u"Command3D2"_s);
    }
    QVERIFY(MsgBox::shown()[1].text.startsWith(u"設定ファイルに書き込めませんでした。"_s));
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxa.ini"_s)), ini);
}

void tst_ClassSelection::select_missingPupilFile_keepsTheLoadedClass() {
    d->writeClass(u"3-1"_s, 2);
    d->writeClass(u"4-1"_s, 3);
    QFile::remove(d->home().file(u"voxadata/4-1.eix"_s));
    openSelection();
    choose(u"3-1.dat"_s);
    d->click(u"vxLoad"_s, u"Command3D2"_s);
    QCOMPARE(d->c().ClassName, u"3年1組"_s);
    d->trigger(u"vxMain"_s, u"mnuLoad"_s);
    choose(u"4-1.dat"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxLoad"_s, u"Command3D2"_s);
    QVERIFY(MsgBox::shown().last().text.contains(u"4-1.eix"_s));
    VOXA1& c = d->c();
    QCOMPARE(c.ClassName, u"3年1組"_s);
    QCOMPARE(c.ClassPath, u"C:\\voxadata\\3-1"_s);
    QCOMPARE(c.ClassSize, qint16(2));
    QCOMPARE(c.ClassLoaded, qint16(1));
    // Cancelling after choosing another class changes nothing either.
    choose(u"4-1.dat"_s);
    d->click(u"vxLoad"_s, u"Command3D1"_s);
    QCOMPARE(c.ClassPath, u"C:\\voxadata\\3-1"_s);
}

void tst_ClassSelection::openPassword(const QString& stored) {
    d->writeClass(u"3-1"_s, 2, stored);
    d->start();
    d->trigger(u"vxMain"_s, u"mnuLoad"_s);
    choose(u"3-1.dat"_s);
    if (stored != u"0000000000"_s) {
        MsgBox::queueAnswer(MsgBox::Ok);
        d->click(u"vxLoad"_s, u"Command3D2"_s);
        d->type(u"vxLoad"_s, u"Text1"_s, stored.left(3));
        d->pressEnter(u"vxLoad"_s, u"Text1"_s);
    } else {
        d->click(u"vxLoad"_s, u"Command3D2"_s);
    }
    QCOMPARE(d->c().ClassLoaded, qint16(1));
    d->trigger(u"vxMain"_s, u"mnuPass"_s);
    QVERIFY(d->forms().isLoaded(u"vxPass"_s));
    QVERIFY(!d->forms().isLoaded(u"vxMain"_s));
}

void tst_ClassSelection::password_setConfirmAndSave() {
    openPassword(u"0000000000"_s);
    d->type(u"vxPass"_s, u"Text1"_s, u"Abc"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->pressEnter(u"vxPass"_s, u"Text1"_s);
    QCOMPARE(MsgBox::shown()[0].text, u"パスワードの入力・変更をしてよろしいですか"_s);
    QCOMPARE(MsgBox::shown()[1].text, u"確かめのところにもう一度再入力してください"_s);
    d->type(u"vxPass"_s, u"Text2"_s, u"aBC"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->pressEnter(u"vxPass"_s, u"Text2"_s);
    QCOMPARE(MsgBox::shown().last().text, u"パスワードの設定が完了しました。"_s);
    QCOMPARE(d->c().PassWord.str(), u"Abc0000000"_s);
    d->click(u"vxPass"_s, u"Command3D1"_s);
    const QList<QByteArray> lines = TestSupport::readFile(d->home().file(u"voxadata/3-1.sdt"_s)).split('\n');
    QCOMPARE(lines[21], QByteArray("\"Abc0000000\"\r"));
    QVERIFY(d->forms().isLoaded(u"vxMain"_s));
    QVERIFY(!d->forms().isLoaded(u"vxPass"_s));
}

void tst_ClassSelection::password_mismatch_clearsBoth() {
    openPassword(u"0000000000"_s);
    d->type(u"vxPass"_s, u"Text1"_s, u"abc"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->pressEnter(u"vxPass"_s, u"Text1"_s);
    d->type(u"vxPass"_s, u"Text2"_s, u"abd"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->pressEnter(u"vxPass"_s, u"Text2"_s);
    QCOMPARE(MsgBox::shown().last().text, u"一回目と二回目が一致していません。\r\n再入力してください"_s);
    QCOMPARE(d->find<QLineEdit>(u"vxPass"_s, u"Text1"_s)->text(), QString());
    QCOMPARE(d->find<QLineEdit>(u"vxPass"_s, u"Text2"_s)->text(), QString());
    QCOMPARE(d->c().PassWord.str(), u"0000000000"_s);
    QCOMPARE(d->find<QLineEdit>(u"vxPass"_s, u"Text1"_s)->maxLength(), 10);
    QCOMPARE(d->find<QLineEdit>(u"vxPass"_s, u"Text2"_s)->maxLength(), 10);
}

void tst_ClassSelection::password_emptyEntry_removesIt() {
    openPassword(u"KEY0000000"_s);
    d->type(u"vxPass"_s, u"Text1"_s, QString());
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->pressEnter(u"vxPass"_s, u"Text1"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->pressEnter(u"vxPass"_s, u"Text2"_s);
    QCOMPARE(d->c().PassWord.str(), u"0000000000"_s);
    d->click(u"vxPass"_s, u"Command3D1"_s);
    QVERIFY(TestSupport::readFile(d->home().file(u"voxadata/3-1.sdt"_s)).contains("\r\n\"0000000000\"\r\n"));
}

void tst_ClassSelection::password_cancel_restoresThePrevious() {
    openPassword(u"KEY0000000"_s);
    const QByteArray sdt = TestSupport::readFile(d->home().file(u"voxadata/3-1.sdt"_s));
    d->type(u"vxPass"_s, u"Text1"_s, u"new"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->pressEnter(u"vxPass"_s, u"Text1"_s);
    d->type(u"vxPass"_s, u"Text2"_s, u"new"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->pressEnter(u"vxPass"_s, u"Text2"_s);
    QCOMPARE(d->c().PassWord.str(), u"new0000000"_s);
    d->click(u"vxPass"_s, u"Command3D2"_s);
    QCOMPARE(d->c().PassWord.str(), u"KEY0000000"_s);
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/3-1.sdt"_s)), sdt);
}

void tst_ClassSelection::password_confirmationBeforeFirst_answersEveryKey() {
    openPassword(u"0000000000"_s);
    auto* text2 = d->find<QLineEdit>(u"vxPass"_s, u"Text2"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    QTest::keyClicks(text2, u"ab"_s);
    QCOMPARE(MsgBox::shown().size(), 2);
    QCOMPARE(MsgBox::shown()[1].text, u"まず、一回目を入力して下さい"_s);
    QCOMPARE(text2->text(), QString());
    // Keys that type nothing move about without a word.
    for (Qt::Key k : {Qt::Key_Shift, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Tab})
        QTest::keyClick(text2, k);
    QCOMPARE(MsgBox::shown().size(), 2);
}

QTEST_MAIN(tst_ClassSelection)
#include "tst_ClassSelection.moc"

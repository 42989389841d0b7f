// The start of a run and its end through the exit window, driven through Forms with queued answers.

#include "TestSupport.h"
#include "app/Registry.h"
#include "controls/Forms.h"
#include "core/StartUp.h"
#include "core/VOXA1.h"
#include "platform/Clock.h"
#include "platform/MsgBox.h"
#include "platform/Program.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_StartAndExit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void start_secondCopy_onlyRefusesAndEnds();
    void start_lockCannotBeTaken_saysWhatFailed();
    void start_showsSplashForOneSecondThenMainWindow();
    void start_takesDataFolderFromTheSettingsFile();
    void exit_threeAnswers_data();
    void exit_threeAnswers();
    void exit_okWithoutClass_tellsAndWritesNothing();
    void exit_okWithClass_savesAndTells();
    void exit_unsavedSettings_sendsTeacherBackToMainWindow();
    void exit_back_returnsToAFreshMainWindow();
    void openingExit_savesPendingSettingsOfTheMainWindow();

private:
    void startRun();
    void loadSampleClass();
    void click(const QString& form, const QString& button);
    QStringList classFiles() const;

    std::unique_ptr<TestSupport::TempHome> home;
    std::unique_ptr<VOXA1> c;
    std::unique_ptr<Forms> forms;
};

void tst_StartAndExit::init() {
    TestSupport::useTestDoubles();
    home = std::make_unique<TestSupport::TempHome>();
    c = std::make_unique<VOXA1>();
    forms = std::make_unique<Forms>();
    registerWindows(*c, *forms);
}

void tst_StartAndExit::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    forms.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_StartAndExit::startRun() {
    Main(*c, *forms);
    QVERIFY(forms->isLoaded(u"vxMain"_s));
}

void tst_StartAndExit::loadSampleClass() {
    c->ClassName = u"3年1組"_s;
    c->ClassFile = u"3-1"_s;
    c->ClassPath = u"C:\\3-1"_s;
    c->ClassLoaded = 1;
    c->NoClassYet = 0;
    c->CurTerm = 1;
    c->ClassSize = 2;
    c->RecNo(1) = u"1"_s;
    c->RecNo(2) = u"2"_s;
    c->Pupil(1).PName = u"青木　一郎"_s;
    c->Pupil(2).PName = u"伊藤　花子"_s;
}

void tst_StartAndExit::click(const QString& form, const QString& button) {
    Form* f = forms->find(form);
    QVERIFY(f);
    auto* b = f->findChild<QPushButton*>(button);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList tst_StartAndExit::classFiles() const {
    return QDir(home->path()).entryList({u"3-1.*"_s}, QDir::Files);
}

void tst_StartAndExit::start_secondCopy_onlyRefusesAndEnds() {
    Program::setOtherCopyForTest(true);
    MsgBox::queueAnswer(MsgBox::Ok);
    Main(*c, *forms);
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown()[0].text, u"Voxa2003 For WinXpは複数起動できません。"_s);
    QCOMPARE(MsgBox::shown()[0].title, u"Voxa2003 For WindowsXp"_s);
    QVERIFY(Program::hasEnded());
    QVERIFY(!forms->isLoaded(u"vxMain"_s));
    QCOMPARE(Clock::waitedForTest(), 0.0);
}

void tst_StartAndExit::start_lockCannotBeTaken_saysWhatFailed() {
    Program::setLockFailureForTest(u"起動の確認に使うファイルを作れませんでした。"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    Main(*c, *forms);
    QCOMPARE(MsgBox::shown().size(), 1);
    QVERIFY(MsgBox::shown()[0].text.startsWith(u"起動の確認に使うファイルを作れませんでした。"_s));
    QVERIFY(!MsgBox::shown()[0].text.contains(u"複数起動"_s));
    QVERIFY(Program::hasEnded());
    QVERIFY(!forms->isLoaded(u"vxMain"_s));
}

void tst_StartAndExit::start_showsSplashForOneSecondThenMainWindow() {
    startRun();
    QCOMPARE(Clock::waitedForTest(), 1.0);
    QVERIFY(!forms->isLoaded(u"vxStrt"_s));
    QCOMPARE(forms->activeTag(), u"vxMain"_s);
    QVERIFY(forms->find(u"vxMain"_s)->isVisible());
    QCOMPARE(c->CrLf, u"\r\n"_s);
    QCOMPARE(c->NoClassYet, qint16(100));
    QCOMPARE(c->SettingsDirty, qint16(0));
    QCOMPARE(c->StartMode, qint16(0));
    QCOMPARE(c->ReturnForm, QString());
    QCOMPARE(c->DataFolder, u"C:\\voxadata"_s);
    QVERIFY(!Program::hasEnded());
    QCOMPARE(MsgBox::shown().size(), 0);
}

void tst_StartAndExit::start_takesDataFolderFromTheSettingsFile() {
    TestSupport::writeFile(home->file(u"voxa.ini"_s), "\"A:\\voxadata\"\r\n\"0\"\r\n");
    startRun();
    QCOMPARE(c->DataFolder, u"A:\\voxadata"_s);
    // Changed in memory by another window, it is read again when the main window comes back.
    c->DataFolder = u"C:\\other"_s;
    MsgBox::queueAnswer(MsgBox::Ok); // still no class: the teacher is asked to choose one
    forms->hide(u"vxMain"_s);
    forms->show(u"vxMain"_s);
    QCOMPARE(c->DataFolder, u"A:\\voxadata"_s);
}

void tst_StartAndExit::exit_threeAnswers_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("saved");
    QTest::newRow("保存して終了") << int(MsgBox::Yes) << true << true;
    QTest::newRow("保存しないで終了") << int(MsgBox::No) << true << false;
    // Esc and the title bar's close button answer 戻る as well.
    QTest::newRow("戻る") << int(MsgBox::Cancel) << false << false;
}

void tst_StartAndExit::exit_threeAnswers() {
    QFETCH(int, answer);
    QFETCH(bool, ends);
    QFETCH(bool, saved);
    startRun();
    loadSampleClass();
    c->Pupil(1).PName = u"変更した名前"_s;
    forms->find(u"vxMain"_s)->findChild<QAction*>(u"mnuEnd"_s)->trigger();
    QVERIFY(forms->isLoaded(u"vxEnd"_s));
    MsgBox::queueAnswer(MsgBox::Answer(answer));
    if (saved)
        MsgBox::queueAnswer(MsgBox::Ok);
    click(u"vxEnd"_s, u"cmdEnd"_s);
    const MsgBox::Shown& q = MsgBox::shown().at(0);
    QCOMPARE(q.text, u"ﾃﾞｰﾀを保存して終了しますか"_s);
    QCOMPARE(q.captions, (QStringList{u"保存して終了"_s, u"保存しないで終了"_s, u"戻る"_s}));
    QCOMPARE(q.defaultAnswer, MsgBox::Yes);
    QCOMPARE(Program::hasEnded(), ends);
    QCOMPARE(classFiles().size(), saved ? 3 : 0);
    if (!ends) {
        // Back in the main window with the class and its unsaved change still in memory.
        QCOMPARE(forms->activeTag(), u"vxMain"_s);
        QVERIFY(!forms->isLoaded(u"vxEnd"_s));
        QCOMPARE(c->Pupil(1).PName.str().trimmed(), u"変更した名前"_s);
        QVERIFY(c->ClassName.contains(u"年"_s));
    }
}

void tst_StartAndExit::exit_okWithoutClass_tellsAndWritesNothing() {
    startRun();
    forms->show(u"vxEnd"_s);
    MsgBox::queueAnswer(MsgBox::Yes);
    MsgBox::queueAnswer(MsgBox::Ok);
    click(u"vxEnd"_s, u"cmdEnd"_s);
    QCOMPARE(MsgBox::shown().size(), 2);
    QCOMPARE(MsgBox::shown()[1].text, u"ﾃﾞｰﾀを読み込んでいないので､\r\nﾃﾞｰﾀの保存をしませんでした"_s);
    QVERIFY(Program::hasEnded());
    QCOMPARE(QDir(home->path()).entryList(QDir::Files), QStringList());
}

void tst_StartAndExit::exit_okWithClass_savesAndTells() {
    startRun();
    loadSampleClass();
    forms->show(u"vxEnd"_s);
    MsgBox::queueAnswer(MsgBox::Yes);
    MsgBox::queueAnswer(MsgBox::Ok);
    click(u"vxEnd"_s, u"cmdEnd"_s);
    QCOMPARE(MsgBox::shown().size(), 2);
    QCOMPARE(MsgBox::shown()[1].text, u"ﾃﾞｰﾀの保存をしました"_s);
    QVERIFY(Program::hasEnded());
    QCOMPARE(classFiles(), (QStringList{u"3-1.dat"_s, u"3-1.eix"_s, u"3-1.sdt"_s}));

    VOXA1 back;
    back.ClassPath = c->ClassPath;
    QVERIFY(back.LoadClass());
    QCOMPARE(back.Pupil(2).PName.str().trimmed(), u"伊藤　花子"_s);
}

void tst_StartAndExit::exit_unsavedSettings_sendsTeacherBackToMainWindow() {
    startRun();
    loadSampleClass();
    forms->show(u"vxEnd"_s);
    c->SettingsDirty = 100;
    MsgBox::queueAnswer(MsgBox::Ok);
    click(u"vxEnd"_s, u"cmdEnd"_s);
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown()[0].text, u"初期データが保存されていません。\r\n登録してください"_s);
    QVERIFY(!Program::hasEnded());
    QCOMPARE(forms->activeTag(), u"vxMain"_s);
    // The main window's activation unloaded the exit window it was handed back from.
    QVERIFY(!forms->isLoaded(u"vxEnd"_s));
    QCOMPARE(c->ReturnForm, QString());
    QCOMPARE(classFiles(), QStringList());
}

void tst_StartAndExit::exit_back_returnsToAFreshMainWindow() {
    startRun();
    forms->show(u"vxEnd"_s);
    QVERIFY(!forms->isLoaded(u"vxMain"_s));
    // The main window is loaded afresh; without a class it asks for one, once.
    MsgBox::queueAnswer(MsgBox::Ok);
    click(u"vxEnd"_s, u"cmdBack"_s);
    QVERIFY(forms->isLoaded(u"vxMain"_s));
    QVERIFY(!forms->isLoaded(u"vxEnd"_s));
    QVERIFY(!Program::hasEnded());
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown()[0].text, u"学級を選択するか、新規入力をして下さい"_s);
}

void tst_StartAndExit::openingExit_savesPendingSettingsOfTheMainWindow() {
    startRun();
    loadSampleClass();
    // The main window shows the class when it comes to the front again.
    forms->hide(u"vxMain"_s);
    forms->show(u"vxMain"_s);
    forms->find(u"vxMain"_s)->findChild<QLineEdit*>(u"Text2"_s)->setText(u"新しい小学校"_s);
    QCOMPARE(c->SettingsDirty, qint16(100));
    MsgBox::queueAnswer(MsgBox::Ok);
    forms->show(u"vxEnd"_s);
    QCOMPARE(MsgBox::shown().last().text, u"初期ﾃﾞｰﾀを保存しました"_s);
    QCOMPARE(c->SettingsDirty, qint16(0));
    QCOMPARE(classFiles(), QStringList{u"3-1.sdt"_s});
    VOXA1 back;
    back.ClassPath = c->ClassPath;
    QVERIFY(back.LoadSettings());
    QCOMPARE(back.SchoolName.str().trimmed(), u"新しい小学校"_s);

    // Closed from its title bar instead, the main window saves nothing.
    QVERIFY(QFile::remove(home->file(u"3-1.sdt"_s)));
    click(u"vxEnd"_s, u"cmdBack"_s);
    c->SettingsDirty = 100;
    forms->find(u"vxMain"_s)->close();
    QVERIFY(!forms->isLoaded(u"vxMain"_s));
    QCOMPARE(classFiles(), QStringList());
}

QTEST_MAIN(tst_StartAndExit)
#include "tst_StartAndExit.moc"

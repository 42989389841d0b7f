// The main window as the teacher meets it: commands by class state, the settings pane and when it
// is saved, the standard settings, help and the save command.

#include "WindowDriver.h"
#include "core/ClassFiles.h"
#include "desktop/HelpWindow.h"
#include "mainwindow/vxMain.h"
#include "platform/HelpViewer.h"
#include "platform/MsgBox.h"
#include "platform/Program.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_MainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void startWithoutClass_disablesClassCommandsAndDoesNotNag();
    void backFromClassSelectionWithoutChoosing_asksForAClass();
    void newClassWithoutClass_mainActivatedBehindIt_remindsNothing();
    void subj_grade2_fillsLivingAndLeavesSocialAndScience();
    void subj_withoutClass_refuses();
    void titleBarClose_withUnsavedSettings_savesNothing();
    void versionWindow_withUnsavedSettings_savesThemAndKeepsPassword();
    void saveCommand_savesWhatThePaneShows_data();
    void saveCommand_savesWhatThePaneShows();
    void fSave_wrongNumbers_storeNothing_data();
    void fSave_wrongNumbers_storeNothing();
    void classSizeBox_change_isNotAnUnsavedChange();
    void saveCommand_okAndCancel();
    void helpCommands_openTheProgramFoldersHelpFile();
    void classOrganisation_opensItsWindow();
    void help_missingFile_tellsTheTeacher();
    void helpCommands_showTheRightPagesInTheHelpWindow();
    void settings_characterWithoutCode_isRefusedNamingIt();
    void mainClosedWhileAWindowBesideIsOpen_programEndsWithTheLastWindow_data();
    void mainClosedWhileAWindowBesideIsOpen_programEndsWithTheLastWindow();

private:
    // A loaded class 2年3組 or 5年1組, shown in the main window.
    void loadClass(const QString& name, const QString& base, const QString& password = u"0000000000"_s);
    QLineEdit* box(const QString& name) { return d->find<QLineEdit>(u"vxMain"_s, name); }
    std::unique_ptr<WindowDriver> d;
};

void tst_MainWindow::init() {
    d = std::make_unique<WindowDriver>();
}

void tst_MainWindow::cleanup() {
    // A help window left open by a failed test must not keep the next test's program alive.
    if (HelpWindow* help = HelpWindow::current())
        help->close();
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    d.reset();
}

void tst_MainWindow::loadClass(const QString& name, const QString& base, const QString& password) {
    d->startWithClass(base, name, 3, password);
}

void tst_MainWindow::startWithoutClass_disablesClassCommandsAndDoesNotNag() {
    d->start();
    QCOMPARE(MsgBox::shown().size(), 0);
    QCOMPARE(d->find<QLabel>(u"vxMain"_s, u"Label7"_s)->text(), u"未入力"_s);
    for (const QString& a : {u"mnuSave"_s, u"mnuMeibo"_s, u"mnuTest"_s, u"mnuPass"_s, u"mnuSubj"_s, u"Save"_s,
                             u"Namae"_s, u"Input"_s, u"Subj"_s, u"copy"_s, u"MnuPrsys"_s})
        QVERIFY2(!d->find<QAction>(u"vxMain"_s, a)->isEnabled(), qPrintable(a));
    for (const QString& a : {u"mnuNew"_s, u"mnuLoad"_s, u"mnuEnd"_s, u"mnufolder"_s, u"New"_s, u"Open"_s,
                             u"Quit"_s, u"Folder"_s, u"Help"_s})
        QVERIFY2(d->find<QAction>(u"vxMain"_s, a)->isEnabled(), qPrintable(a));
    // The settings pane is closed, and its boxes could not be edited anyway.
    QVERIFY(!box(u"Text1"_s)->isVisibleTo(d->forms().find(u"vxMain"_s)));
    QVERIFY(!box(u"Text1"_s)->isEnabled());
}

void tst_MainWindow::newClassWithoutClass_mainActivatedBehindIt_remindsNothing() {
    d->start();
    MsgBox::queueAnswer(MsgBox::Ok); // 学年組を入力してください
    d->trigger(u"vxMain"_s, u"mnuNew"_s);
    // That box closing makes the window system activate the main window behind the new one.
    Form* main = d->forms().find(u"vxMain"_s);
    d->forms().windowActivated(main);
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown()[0].text, u"学年組を入力してください"_s);
}

void tst_MainWindow::backFromClassSelectionWithoutChoosing_asksForAClass() {
    d->start();
    d->trigger(u"vxMain"_s, u"mnuLoad"_s);
    QVERIFY(d->forms().isLoaded(u"vxLoad"_s));
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxLoad"_s, u"Command3D1"_s);
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown()[0].text, u"学級を選択するか、新規入力をして下さい"_s);
    QCOMPARE(MsgBox::shown()[0].icon, MsgBox::Information);
    QVERIFY(!d->forms().isLoaded(u"vxLoad"_s));
}

void tst_MainWindow::subj_grade2_fillsLivingAndLeavesSocialAndScience() {
    d->writeClass(u"2-3"_s, 3);
    d->start();
    VOXA1& c = d->c();
    c.ClassPath = u"C:\\voxadata\\2-3"_s;
    QVERIFY(c.LoadClass());
    c.ClassName = u"2年3組"_s;
    c.ClassLoaded = 1;
    c.NoClassYet = 0;
    c.StartMode = 10; // as right after creating the class
    c.ViewName(2, 1) = u"社会一"_s;
    c.ViewName(4, 3) = u"理科三"_s;
    c.ViewName(1, 4) = u"国語四"_s;
    d->forms().hide(u"vxMain"_s);
    d->forms().show(u"vxMain"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuSubj"_s);
    QCOMPARE(MsgBox::shown().last().text, u"標準の教科名・人数・学期を設定してよろしいですか"_s);
    QCOMPARE(box(u"Text7(0)"_s)->text(), u"表現"_s);
    QCOMPARE(box(u"Text9(0)"_s)->text(), u"言語"_s);
    QCOMPARE(box(u"Text10(0)"_s)->text(), u"国語四"_s);
    QCOMPARE(box(u"Text7(1)"_s)->text(), u"社会一"_s);
    QCOMPARE(box(u"Text9(3)"_s)->text(), u"理科三"_s);
    QCOMPARE(box(u"Text7(2)"_s)->text(), u"思考"_s);
    QCOMPARE(box(u"Text8(4)"_s)->text(), u"気付"_s);
    QCOMPARE(box(u"Text9(4)"_s)->text(), u"活動"_s);
    QCOMPARE(box(u"Text4"_s)->text(), u"30"_s);
    QCOMPARE(box(u"Text5"_s)->text(), u"1"_s);
    QCOMPARE(c.SettingsDirty, qint16(100));
    // Not stored until the settings are saved.
    QCOMPARE(c.ViewName(5, 2).str().trimmed(), QString());

    // Today's viewpoints: three for every subject of the grade, the fourth left unused.
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuSubjNew"_s);
    for (int s : {0, 2, 4}) {
        QCOMPARE(box(u"Text7(%1)"_s.arg(s))->text(), u"知技"_s);
        QCOMPARE(box(u"Text8(%1)"_s.arg(s))->text(), u"思判表"_s);
        QCOMPARE(box(u"Text9(%1)"_s.arg(s))->text(), u"主体"_s);
        // Each fits the 8 bytes a viewpoint name is stored in, so it comes back whole.
        for (const QString& b : {u"Text7(%1)"_s, u"Text8(%1)"_s, u"Text9(%1)"_s})
            QVERIFY(TestSupport::sjis(box(b.arg(s))->text()).size() <= 8);
        QCOMPARE(box(u"Text10(%1)"_s.arg(s))->text(), QString());
    }
    QCOMPARE(box(u"Text7(1)"_s)->text(), u"社会一"_s); // a grade 2 has no 社会
    // The name fits the box.
    QLineEdit* wide = box(u"Text8(0)"_s);
    QVERIFY(wide->width() >= wide->fontMetrics().horizontalAdvance(wide->text()));
    // Filled while not being edited, and left after an edit: each box shows the start of its name.
    QCOMPARE(box(u"Text9(0)"_s)->cursorPosition(), 0);
    wide->end(false);
    QFocusEvent left(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(wide, &left);
    QTRY_COMPARE(wide->cursorPosition(), 0);
}

void tst_MainWindow::subj_withoutClass_refuses() {
    d->start();
    MsgBox::queueAnswer(MsgBox::Ok);
    d->forms().get<vxMain>(u"vxMain"_s)->Subj();
    QCOMPARE(MsgBox::shown().last().text, u"設定する学級のデータを作成するかロードして下さい"_s);
}

void tst_MainWindow::titleBarClose_withUnsavedSettings_savesNothing() {
    loadClass(u"5年1組"_s, u"5-1"_s);
    const QByteArray before = TestSupport::readFile(d->home().file(u"voxadata/5-1.sdt"_s));
    d->type(u"vxMain"_s, u"Text2"_s, u"べつの小学校"_s);
    QCOMPARE(d->c().SettingsDirty, qint16(100));
    d->forms().find(u"vxMain"_s)->close();
    QVERIFY(!d->forms().isLoaded(u"vxMain"_s));
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/5-1.sdt"_s)), before);
    QCOMPARE(MsgBox::shown().size(), 0);
}

void tst_MainWindow::versionWindow_withUnsavedSettings_savesThemAndKeepsPassword() {
    loadClass(u"5年1組"_s, u"5-1"_s, u"ABC0000000"_s);
    d->type(u"vxMain"_s, u"Text2"_s, u"べつの小学校"_s);
    d->type(u"vxMain"_s, u"Text8(2)"_s, u"計算"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuVer"_s);
    QCOMPARE(MsgBox::shown().last().text, u"初期ﾃﾞｰﾀを保存しました"_s);
    QVERIFY(!d->forms().isLoaded(u"vxMain"_s));

    VOXA1 back;
    back.ClassPath = u"C:\\voxadata\\5-1"_s;
    QVERIFY(back.LoadSettings());
    QCOMPARE(back.SchoolName.str().trimmed(), u"べつの小学校"_s);
    QCOMPARE(back.ViewName(3, 2).str(), u"計算      "_s);
    // The class keeps the password the teacher set.
    QCOMPARE(back.PassWord.str(), u"ABC0000000"_s);

    d->click(u"vxVer"_s, u"Command1"_s);
    QVERIFY(d->forms().isLoaded(u"vxMain"_s));
    QVERIFY(!d->forms().isLoaded(u"vxVer"_s));
}

void tst_MainWindow::fSave_wrongNumbers_storeNothing_data() {
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("told");
    QTest::newRow("term 4") << u"3"_s << u"4"_s << u"現在の学期"_s;
    QTest::newRow("term 0") << u"3"_s << u"0"_s << u"現在の学期"_s;
    QTest::newRow("term empty") << u"3"_s << QString() << u"現在の学期"_s;
    QTest::newRow("43 pupils") << u"43"_s << u"1"_s << u"学級の人数"_s;
    QTest::newRow("size empty") << QString() << u"1"_s << u"学級の人数"_s;
}

void tst_MainWindow::fSave_wrongNumbers_storeNothing() {
    QFETCH(QString, size);
    QFETCH(QString, term);
    QFETCH(QString, told);
    loadClass(u"5年1組"_s, u"5-1"_s);
    d->c().NewClassFlag = 10; // the class size box is open for a new class only
    d->forms().hide(u"vxMain"_s);
    d->forms().show(u"vxMain"_s);
    const QByteArray before = TestSupport::readFile(d->home().file(u"voxadata/5-1.sdt"_s));
    d->type(u"vxMain"_s, u"Text4"_s, size);
    d->type(u"vxMain"_s, u"Text5"_s, term);
    d->type(u"vxMain"_s, u"Text2"_s, u"べつの小学校"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->forms().unload(u"vxMain"_s);
    QVERIFY2(MsgBox::shown().last().text.contains(told), qPrintable(MsgBox::shown().last().text));
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/5-1.sdt"_s)), before);
    QCOMPARE(d->c().SchoolName.str().trimmed(), u"みなと小学校"_s);
    QCOMPARE(d->c().ClassSize, qint16(3));
}

void tst_MainWindow::classSizeBox_change_isNotAnUnsavedChange() {
    loadClass(u"5年1組"_s, u"5-1"_s);
    d->c().NewClassFlag = 10;
    d->forms().hide(u"vxMain"_s);
    d->forms().show(u"vxMain"_s);
    QVERIFY(box(u"Text4"_s)->isEnabled());
    d->type(u"vxMain"_s, u"Text4"_s, u"35"_s);
    QCOMPARE(d->c().SettingsDirty, qint16(0));
    // Letters never reach the class size and term boxes.
    d->type(u"vxMain"_s, u"Text5"_s, u"x"_s);
    QCOMPARE(box(u"Text5"_s)->text(), QString());
}

void tst_MainWindow::saveCommand_okAndCancel() {
    loadClass(u"5年1組"_s, u"5-1"_s);
    QFile::remove(d->home().file(u"voxadata/5-1.dat"_s));
    MsgBox::queueAnswer(MsgBox::Cancel);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuSave"_s);
    QCOMPARE(MsgBox::shown().last().text, u"ﾃﾞｰﾀの保存をしませんでした"_s);
    QVERIFY(!QFile::exists(d->home().file(u"voxadata/5-1.dat"_s)));
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"Save"_s);
    QCOMPARE(MsgBox::shown()[2].text, u"ﾃﾞｰﾀの保存をします。よろしいですか。"_s);
    QCOMPARE(MsgBox::shown().last().text, u"ﾃﾞｰﾀの保存をしました"_s);
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/5-1.dat"_s)).size(), 3 * 3106);
}

void tst_MainWindow::saveCommand_savesWhatThePaneShows_data() {
    QTest::addColumn<QString>("term");
    QTest::addColumn<bool>("saved");
    QTest::newRow("pane edits pass the checks") << u"2"_s << true;
    QTest::newRow("a wrong term stops the save") << u"7"_s << false;
}

void tst_MainWindow::saveCommand_savesWhatThePaneShows() {
    QFETCH(QString, term);
    QFETCH(bool, saved);
    loadClass(u"5年1組"_s, u"5-1"_s);
    const QByteArray before = TestSupport::readFile(d->home().file(u"voxadata/5-1.sdt"_s));
    d->type(u"vxMain"_s, u"Text2"_s, u"さくら小学校"_s);
    d->type(u"vxMain"_s, u"Text5"_s, term);
    MsgBox::queueAnswer(MsgBox::Ok); // ﾃﾞｰﾀの保存をします
    MsgBox::queueAnswer(MsgBox::Ok); // saved, or why not
    d->trigger(u"vxMain"_s, u"Save"_s);
    VOXA1 back;
    back.ClassPath = d->c().ClassPath;
    QVERIFY(back.LoadClass());
    if (saved) {
        QCOMPARE(MsgBox::shown().last().text, u"ﾃﾞｰﾀの保存をしました"_s);
        QCOMPARE(back.SchoolName.str().trimmed(), u"さくら小学校"_s);
        QCOMPARE(back.CurTerm, qint16(2));
        QCOMPARE(d->c().SettingsDirty, qint16(0));
    } else {
        QVERIFY(MsgBox::shown().last().text.contains(u"初期データは保存していません。"_s));
        QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/5-1.sdt"_s)), before);
    }
}

void tst_MainWindow::helpCommands_openTheProgramFoldersHelpFile() {
    d->start();
    d->trigger(u"vxMain"_s, u"mnuIndex"_s);
    d->trigger(u"vxMain"_s, u"mnuHkey"_s);
    d->trigger(u"vxMain"_s, u"mnuUse"_s);
    d->trigger(u"vxMain"_s, u"Help"_s);
    const QString file = d->home().path() + u"/voxa2003.hlp"_s;
    QCOMPARE(HelpViewer::requests(),
             (QStringList{u"contents|"_s + file + u'|', u"keyword|"_s + file + u'|',
                          u"helponhelp|"_s + file + u'|', u"contents|"_s + file + u'|'}));
}

void tst_MainWindow::classOrganisation_opensItsWindow() {
    loadClass(u"5年1組"_s, u"5-1"_s);
    d->trigger(u"vxMain"_s, u"mnuUClass"_s);
    QVERIFY(d->forms().find(u"vxclass"_s)->isVisible());
    QCOMPARE(MsgBox::shown().size(), 0);
    d->click(u"vxclass"_s, u"SSCommand3"_s);
    QVERIFY(d->forms().find(u"vxMain"_s)->isVisible());
}

void tst_MainWindow::help_missingFile_tellsTheTeacher() {
    d->start();
    HelpViewer::setTesting(false);
    HelpViewer::setManualFolderForTest(QString());
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuIndex"_s);
    HelpViewer::setTesting(true);
    QCOMPARE(MsgBox::shown().size(), 1);
    QVERIFY(MsgBox::shown()[0].text.startsWith(u"ヘルプファイルが見つかりません。"_s));
    QVERIFY(MsgBox::shown()[0].text.contains(u"voxa2003.hlp"_s));
}

void tst_MainWindow::helpCommands_showTheRightPagesInTheHelpWindow() {
    d->start();
    HelpViewer::setTesting(false);
    HelpViewer::setManualFolderForTest(qEnvironmentVariable("VOXA_HELP_DIR"));
    d->trigger(u"vxMain"_s, u"mnuIndex"_s);
    HelpWindow* help = HelpWindow::current();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->page(), u"index.html"_s);

    // キーワード: the index with its search box; typing narrows it, Enter opens the first.
    d->trigger(u"vxMain"_s, u"mnuUse"_s);
    QCOMPARE(help->page(), u"usinghelp.html"_s);
    d->trigger(u"vxMain"_s, u"mnuHkey"_s);
    QCOMPARE(HelpWindow::current(), help);
    auto* search = help->findChild<QLineEdit*>(u"HelpSearch"_s);
    QVERIFY(search && search->isVisible());
    QVERIFY(help->listedKeywords().size() > 50);
    // Listed by reading (じゅんい before ひょうか), not by the kanji's codes.
    const QStringList all = help->listedKeywords();
    QVERIFY(all.indexOf(u"順位"_s) >= 0 && all.indexOf(u"順位"_s) < all.indexOf(u"評価"_s));
    search->insert(u"偏差"_s); // as typed through the input method
    // The keyword first, then the pages whose text holds the word.
    QCOMPARE(help->listedKeywords().value(0), u"偏差値"_s);
    QVERIFY(help->listedKeywords().contains(u"本文: 個人票"_s));
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(help->page(), u"termend.html#calc"_s);
    search->clear();
    search->insert(u"控え"_s);
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(help->page(), u"trouble.html#backup"_s);
    // A word only in a page's text finds that page; a word nowhere says so.
    search->clear();
    search->insert(u"カーソル"_s);
    QVERIFY(!help->listedKeywords().isEmpty());
    QVERIFY(help->listedKeywords().value(0).startsWith(u"本文: "_s));
    search->clear();
    search->insert(u"宇宙船"_s);
    QVERIFY(help->listedKeywords().isEmpty());
    QCOMPARE(help->findChild<QLabel*>(u"HelpFound"_s)->text(), u"見つかりませんでした"_s);

    // The toolbar's ？ and a link of the page.
    d->trigger(u"vxMain"_s, u"Help"_s);
    QCOMPARE(help->page(), u"index.html"_s);
    auto* browser = help->findChild<QTextBrowser*>(u"HelpPage"_s);
    // A link on the page, followed as a click on it would.
    browser->setSource(browser->source().resolved(QUrl(u"scores.html"_s)));
    QCOMPARE(help->page(), u"scores.html"_s);
    QVERIFY(browser->toPlainText().contains(u"欠席"_s));
    HelpViewer::setTesting(true);
    help->close();
    QCOMPARE(MsgBox::shown().size(), 0);
}

void tst_MainWindow::settings_characterWithoutCode_isRefusedNamingIt() {
    loadClass(u"5年1組"_s, u"5-1"_s);
    d->type(u"vxMain"_s, u"Text3"_s, u"吉田"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->type(u"vxMain"_s, u"Text3"_s, u"𠮷田"_s);
    QCOMPARE(MsgBox::shown().size(), 1);
    QVERIFY(MsgBox::shown()[0].text.startsWith(u"「𠮷」は使えない文字なので、担任名に入れられません。"_s));
    // The box keeps what it held before the character came in.
    QVERIFY(!box(u"Text3"_s)->text().contains(u"𠮷"_s));
    QVERIFY(!box(u"Text3"_s)->text().contains(u'?'));
}

void tst_MainWindow::mainClosedWhileAWindowBesideIsOpen_programEndsWithTheLastWindow_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::newRow("data folder") << u"mnufolder"_s << u"vxDrive"_s;
    QTest::newRow("copy folder") << u"mnuCPDrv"_s << u"vxCPDrv"_s;
    QTest::newRow("about") << u"Image1"_s << u"vxIcon"_s;
}

void tst_MainWindow::mainClosedWhileAWindowBesideIsOpen_programEndsWithTheLastWindow() {
    QFETCH(QString, command);
    QFETCH(QString, window);
    loadClass(u"5年1組"_s, u"5-1"_s);
    QSignalSpy ended(&d->forms(), &Forms::allUnloaded);
    if (command == u"Image1"_s)
        d->click(u"vxMain"_s, command);
    else
        d->trigger(u"vxMain"_s, command);
    Form* beside = d->forms().find(window);
    QVERIFY(beside && beside->isVisible());
    d->forms().find(u"vxMain"_s)->close();
    QCoreApplication::processEvents();
    QCOMPARE(ended.count(), 0);
    // The window beside goes too (from its title bar): nothing of the program is left on screen.
    beside->close();
    QCoreApplication::processEvents();
    QCOMPARE(ended.count(), 1);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"

// The roster window driven with the keyboard, and the transfers out and in.

#include "WindowDriver.h"
#include "core/ClassFiles.h"
#include "core/ScoreCode.h"
#include "platform/MsgBox.h"
#include "roster/vxMeibo.h"

#include <QInputMethodEvent>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_RosterWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void enter_walksNameThenSex_andWrapsToRow1();
    void enter_sexOtherThan1Or2_keepsTheCell_data();
    void enter_sexOtherThan1Or2_keepsTheCell();
    void arrows_wrapAround_data();
    void arrows_wrapAround();
    void cancel_afterEdits_leavesPupilsUnchanged();
    void titleBarClose_isCancel_backToTheMainWindow();
    void saveAndEnd_storesNamesAndSexes();
    void saveAndEnd_missingSex_refusesAndSavesNothing();
    void transferOut_firstPupil_movesTheOthersUp();
    void transferOut_settingsCannotBeWritten_leavesEverythingAsItWas();
    void transferOut_lastPupil_onlyShortens();
    void transferOut_byGridClick_asksWithTheName();
    void transferOut_numberNotOnTheRoster_asksNothing_data();
    void transferOut_numberNotOnTheRoster_asksNothing();
    void transferOut_thenIn_newRecordAboveThePreviousLast();
    void transferIn_onEmptyRoster_takesRecord1();
    void transferIn_fullClass_isRefused();
    void inputMethod_commitsAndModes_data();
    void inputMethod_commitsAndModes();

private:
    // A saved class of n pupils, loaded, with the roster open.
    void openRoster(int pupils);
    vxMeibo* roster() { return d->forms().get<vxMeibo>(u"vxMeibo"_s); }
    QString cell(int row, int col) {
        auto* item = d->find<QTableWidget>(u"vxMeibo"_s, u"Grid1"_s)->item(row - 1, col);
        return item ? item->text() : QString();
    }
    void key(Qt::Key k) { QTest::keyClick(d->find<QLineEdit>(u"vxMeibo"_s, u"Text1"_s), k); }
    void typeAndEnter(const QString& text) {
        d->type(u"vxMeibo"_s, u"Text1"_s, text);
        key(Qt::Key_Return);
    }
    void transferOut(const QString& typed);
    // What an input method sends: a composition, or a commit that ends it.
    static void ime(QWidget* box, const QString& preedit, const QString& commit = {}) {
        QInputMethodEvent e(preedit, {});
        e.setCommitString(commit);
        QCoreApplication::sendEvent(box, &e);
    }
    static bool imeEnabled(QWidget* box) {
        QInputMethodQueryEvent q(Qt::ImEnabled);
        QCoreApplication::sendEvent(box, &q);
        return q.value(Qt::ImEnabled).toBool();
    }
    std::unique_ptr<WindowDriver> d;
};

void tst_RosterWindow::init() {
    d = std::make_unique<WindowDriver>();
}

void tst_RosterWindow::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    d.reset();
}

void tst_RosterWindow::openRoster(int pupils) {
    d->startWithClass(u"3-1"_s, u"3年1組"_s, pupils);
    // Results that must travel with each pupil: a score and an absence on sheet 4 of 国語.
    VOXA1& c = d->c();
    for (int i = 1; i <= pupils; ++i) {
        c.Pupil(i).SubjRate(1, 1) = 50 + i;
        c.Pupil(i).SheetMarks(1, 1).set(1, ScoreCode::encode(i));
    }
    if (pupils >= 3)
        c.Pupil(3).SheetMarks(1, 1).set(4, ScoreCode::kAbsent);
    QVERIFY(c.SaveClass());
    d->trigger(u"vxMain"_s, u"mnuMeibo"_s);
    QVERIFY(d->forms().isLoaded(u"vxMeibo"_s));
    QVERIFY(!d->forms().isLoaded(u"vxMain"_s));
}

void tst_RosterWindow::enter_walksNameThenSex_andWrapsToRow1() {
    openRoster(3);
    QCOMPARE(cell(2, 0), u" 2"_s);
    QCOMPARE(cell(1, 2), u"男"_s);
    QCOMPARE(cell(2, 2), u"女"_s);
    d->click(u"vxMeibo"_s, u"SSCommand1"_s);
    QCOMPARE(roster()->current(), (Roster::Cell{1, 1}));
    QCOMPARE(d->find<QLineEdit>(u"vxMeibo"_s, u"Text1"_s)->text(), u"生徒1"_s); // without its padding
    typeAndEnter(u"青木　一郎"_s);
    QCOMPARE(roster()->current(), (Roster::Cell{1, 2}));
    QCOMPARE(d->find<QLineEdit>(u"vxMeibo"_s, u"Text1"_s)->text(), u"1"_s);
    typeAndEnter(u"2"_s);
    QCOMPARE(cell(1, 2), u"女"_s);
    QCOMPARE(roster()->current(), (Roster::Cell{2, 1}));
    key(Qt::Key_Down);
    key(Qt::Key_Return); // name of row 3 unchanged, on to its sex
    QCOMPARE(roster()->current(), (Roster::Cell{3, 2}));
    typeAndEnter(u"1"_s);
    QCOMPARE(roster()->current(), (Roster::Cell{1, 1}));
    QCOMPARE(cell(1, 1), u"青木　一郎"_s);
}

void tst_RosterWindow::enter_sexOtherThan1Or2_keepsTheCell_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cellAfter");
    QTest::newRow("3") << u"3"_s << u"男"_s;
    QTest::newRow("letter") << u"m"_s << u"男"_s;
    QTest::newRow("2") << u"2"_s << u"女"_s;
    QTest::newRow("empty") << QString() << QString();
}

void tst_RosterWindow::enter_sexOtherThan1Or2_keepsTheCell() {
    QFETCH(QString, typed);
    QFETCH(QString, cellAfter);
    openRoster(3);
    d->click(u"vxMeibo"_s, u"SSCommand1"_s);
    key(Qt::Key_Right);
    QCOMPARE(roster()->current(), (Roster::Cell{1, 2}));
    typeAndEnter(typed);
    QCOMPARE(cell(1, 2), cellAfter);
}

void tst_RosterWindow::arrows_wrapAround_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<int>("toCol");
    QTest::newRow("up from row 1") << 1 << 1 << int(Qt::Key_Up) << 4 << 1;
    QTest::newRow("down from the last") << 4 << 2 << int(Qt::Key_Down) << 1 << 2;
    QTest::newRow("left from the name") << 2 << 1 << int(Qt::Key_Left) << 2 << 2;
    QTest::newRow("left from the sex") << 2 << 2 << int(Qt::Key_Left) << 2 << 1;
    QTest::newRow("right from the sex") << 3 << 2 << int(Qt::Key_Right) << 3 << 1;
}

void tst_RosterWindow::arrows_wrapAround() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, key);
    QFETCH(int, toRow);
    QFETCH(int, toCol);
    openRoster(4);
    d->click(u"vxMeibo"_s, u"SSCommand1"_s);
    roster()->Movesel(col, row);
    this->key(static_cast<Qt::Key>(key));
    QCOMPARE(roster()->current(), (Roster::Cell{toRow, toCol}));
}

void tst_RosterWindow::cancel_afterEdits_leavesPupilsUnchanged() {
    openRoster(3);
    const PupilRec before = d->c().Pupil(1);
    d->click(u"vxMeibo"_s, u"SSCommand1"_s);
    typeAndEnter(u"書きかえた名前"_s);
    typeAndEnter(u"2"_s);
    d->click(u"vxMeibo"_s, u"Command3D2"_s);
    QVERIFY(d->c().Pupil(1) == before);
    QCOMPARE(d->c().ReturnForm, QString()); // the main window came back and unloaded the roster
    QVERIFY(!d->forms().isLoaded(u"vxMeibo"_s));
    // Opened again, the roster shows the stored name.
    d->trigger(u"vxMain"_s, u"Namae"_s);
    QCOMPARE(cell(1, 1), before.PName.str());
}

void tst_RosterWindow::titleBarClose_isCancel_backToTheMainWindow() {
    openRoster(2);
    const PupilRec before = d->c().Pupil(1);
    d->click(u"vxMeibo"_s, u"SSCommand1"_s);
    typeAndEnter(u"閉じる前"_s);
    // The import window closed from its title bar gives the roster back.
    d->click(u"vxMeibo"_s, u"Command1"_s);
    d->forms().find(u"vxNameIn"_s)->close();
    QVERIFY(d->forms().find(u"vxMeibo"_s)->isVisible());
    QVERIFY(!d->forms().isLoaded(u"vxNameIn"_s));
    d->forms().find(u"vxMeibo"_s)->close();
    QVERIFY(!d->forms().isLoaded(u"vxMeibo"_s));
    QVERIFY(d->forms().find(u"vxMain"_s)->isVisible());
    QVERIFY(d->c().Pupil(1) == before);
}

void tst_RosterWindow::saveAndEnd_storesNamesAndSexes() {
    openRoster(2);
    d->click(u"vxMeibo"_s, u"SSCommand1"_s);
    typeAndEnter(u"髙橋　山﨑"_s);
    typeAndEnter(u"2"_s);
    d->click(u"vxMeibo"_s, u"Command3D1"_s);
    QVERIFY(!d->forms().isLoaded(u"vxMeibo"_s));
    VOXA1 back;
    back.ClassPath = u"C:\\voxadata\\3-1"_s;
    QVERIFY(back.LoadClass());
    QCOMPARE(back.Pupil(1).PName.str().trimmed(), u"髙橋　山﨑"_s);
    QCOMPARE(back.Pupil(1).Sex, u"2"_s);
    QCOMPARE(back.Pupil(1).SubjRate(1, 1), 51.0);
}

void tst_RosterWindow::saveAndEnd_missingSex_refusesAndSavesNothing() {
    openRoster(3);
    const QByteArray dat = TestSupport::readFile(d->home().file(u"voxadata/3-1.dat"_s));
    d->click(u"vxMeibo"_s, u"SSCommand1"_s);
    typeAndEnter(u"新しい名前"_s);
    typeAndEnter(QString());
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxMeibo"_s, u"Command3D1"_s);
    QCOMPARE(MsgBox::shown().last().text,
             u"性別が入力されていない箇所があります。性別を入力してから終了して下さい。"_s);
    QVERIFY(d->forms().find(u"vxMeibo"_s)->isVisible());
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/3-1.dat"_s)), dat);
}

void tst_RosterWindow::transferOut(const QString& typed) {
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxMeibo"_s, u"Command3D3"_s);
    QCOMPARE(MsgBox::shown().last().text, u"転出する児童を選んでください"_s);
    QCOMPARE(roster()->TransferMode(), 100);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->type(u"vxMeibo"_s, u"Text2"_s, typed);
    QCOMPARE(roster()->TransferMode(), 0);
}

void tst_RosterWindow::transferOut_firstPupil_movesTheOthersUp() {
    openRoster(5);
    transferOut(u"1"_s);
    QCOMPARE(MsgBox::shown()[1].text,
             u"1番の"_s + u"生徒1"_s.leftJustified(10) + u"さんの転出でよろしいですか"_s);
    // Asked as soon as the first digit is typed: Enter or a second key must not confirm it.
    QCOMPARE(MsgBox::shown()[1].defaultAnswer, MsgBox::Cancel);
    QCOMPARE(MsgBox::shown()[2].text,
             u"1番の"_s + u"生徒1"_s.leftJustified(10) + u"さんの転出処理をします"_s);
    VOXA1& c = d->c();
    QCOMPARE(c.ClassSize, qint16(4));
    for (int i = 1; i <= 4; ++i) {
        QCOMPARE(c.Pupil(i).PName.str().trimmed(), u"生徒%1"_s.arg(i + 1));
        QCOMPARE(c.Pupil(i).Sex, (i + 1) % 2 ? u"1"_s : u"2"_s);
        QCOMPARE(c.Pupil(i).SubjRate(1, 1), 50.0 + i + 1);
        QCOMPARE(c.RecNo(i), QString::number(i + 1));
        QCOMPARE(cell(i, 1).trimmed(), u"生徒%1"_s.arg(i + 1));
    }
    QCOMPARE(d->find<QTableWidget>(u"vxMeibo"_s, u"Grid1"_s)->rowCount(), 4);
    // Pupil 3, absent on sheet 4, is now number 2, and so is the absence mark.
    QCOMPARE(c.AbsentTable(2, 1, 1, 1, 4), qint8(10));
    QCOMPARE(c.AbsentTable(3, 1, 1, 1, 4), qint8(0));
    // The leaver's record stays in the file, no longer referenced.
    const QByteArray dat = TestSupport::readFile(d->home().file(u"voxadata/3-1.dat"_s));
    PupilRec leaver;
    QVERIFY(ClassFiles::readRecord(dat, 0, leaver));
    QCOMPARE(leaver.PName.str().trimmed(), u"生徒1"_s);
    const QByteArray eix = TestSupport::readFile(d->home().file(u"voxadata/3-1.eix"_s));
    QCOMPARE(eix.mid(4 * 4, 4), QByteArray("\x02\x00 0", 4));
    QVERIFY(TestSupport::readFile(d->home().file(u"voxadata/3-1.sdt"_s)).startsWith("0,"));
    VOXA1 back;
    back.ClassPath = c.ClassPath;
    QVERIFY(back.LoadClass());
    QCOMPARE(back.ClassSize, qint16(4));
}

void tst_RosterWindow::transferOut_settingsCannotBeWritten_leavesEverythingAsItWas() {
    openRoster(5);
    VOXA1& c = d->c();
    const QByteArray eix = TestSupport::readFile(d->home().file(u"voxadata/3-1.eix"_s));
    // The settings file cannot be replaced (a folder stands in its place): the index was already
    // written with the pupils moved up when that fails.
    QVERIFY(QFile::remove(d->home().file(u"voxadata/3-1.sdt"_s)));
    QVERIFY(QDir().mkdir(d->home().file(u"voxadata/3-1.sdt"_s)));
    MsgBox::queueAnswer(MsgBox::Ok); // the failed write
    transferOut(u"2"_s);
    QVERIFY(MsgBox::shown().last().text.contains(u"C:\\voxadata\\3-1.sdt"_s));
    QCOMPARE(c.ClassSize, qint16(5));
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(c.RecNo(i), QString::number(i));
        QCOMPARE(c.Pupil(i).PName.str().trimmed(), u"生徒%1"_s.arg(i));
    }
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/3-1.eix"_s)), eix);
    // Once the settings file can be written again, a save gives every pupil their own record.
    QVERIFY(QDir().rmdir(d->home().file(u"voxadata/3-1.sdt"_s)));
    QVERIFY(c.SaveClass());
    VOXA1 back;
    back.ClassPath = c.ClassPath;
    QVERIFY(back.LoadClass());
    QCOMPARE(back.ClassSize, qint16(5));
    for (int i = 1; i <= 5; ++i)
        QCOMPARE(back.Pupil(i).PName.str().trimmed(), u"生徒%1"_s.arg(i));
}

void tst_RosterWindow::transferOut_lastPupil_onlyShortens() {
    openRoster(4);
    transferOut(u"4"_s);
    VOXA1& c = d->c();
    QCOMPARE(c.ClassSize, qint16(3));
    for (int i = 1; i <= 3; ++i) {
        QCOMPARE(c.RecNo(i), QString::number(i));
        QCOMPARE(c.Pupil(i).PName.str().trimmed(), u"生徒%1"_s.arg(i));
    }
    QCOMPARE(d->find<QLabel>(u"vxMeibo"_s, u"Label2"_s)->text(), u"3"_s);
}

void tst_RosterWindow::transferOut_byGridClick_asksWithTheName() {
    openRoster(3);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxMeibo"_s, u"Command3D3"_s);
    MsgBox::queueAnswer(MsgBox::Cancel);
    MsgBox::queueAnswer(MsgBox::Ok);
    auto* grid = d->find<QTableWidget>(u"vxMeibo"_s, u"Grid1"_s);
    Q_EMIT grid->cellClicked(1, 1);
    QCOMPARE(MsgBox::shown()[1].text,
             u" 2番の"_s + u"生徒2"_s.leftJustified(10) + u"さんの転出でよろしいですか"_s);
    QCOMPARE(MsgBox::shown()[2].text,
             u" 2番の"_s + u"生徒2"_s.leftJustified(10) + u"さんの転出を中止します"_s);
    QCOMPARE(d->c().ClassSize, qint16(3));
    QCOMPARE(d->find<QLineEdit>(u"vxMeibo"_s, u"Text2"_s)->text(), QString());
}

void tst_RosterWindow::transferOut_numberNotOnTheRoster_asksNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("0") << u"0"_s;
    QTest::newRow("beyond the roster") << u"9"_s;
    QTest::newRow("not a number") << u"x"_s;
}

void tst_RosterWindow::transferOut_numberNotOnTheRoster_asksNothing() {
    QFETCH(QString, typed);
    openRoster(3);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxMeibo"_s, u"Command3D3"_s);
    d->type(u"vxMeibo"_s, u"Text2"_s, typed);
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(d->c().ClassSize, qint16(3));
}

void tst_RosterWindow::transferOut_thenIn_newRecordAboveThePreviousLast() {
    openRoster(5);
    transferOut(u"1"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxMeibo"_s, u"Command3D4"_s);
    QCOMPARE(MsgBox::shown()[3].text, u"児童の転入をしますか（出席番号は、最後尾）"_s);
    QCOMPARE(MsgBox::shown()[4].text, u"転入処理をします"_s);
    VOXA1& c = d->c();
    QCOMPARE(c.ClassSize, qint16(5));
    QCOMPARE(c.RecNo(5), u" 6"_s);
    QVERIFY(c.Pupil(5) == PupilRec());
    QCOMPARE(roster()->current(), (Roster::Cell{5, 1}));
    QCOMPARE(cell(5, 0), u" 5"_s);
    // The new pupil's record is in the file at once, so the class always loads.
    VOXA1 back;
    back.ClassPath = c.ClassPath;
    QVERIFY(back.LoadClass());
    QCOMPARE(back.ClassSize, qint16(5));
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/3-1.dat"_s)).size(), 6 * 3106);
    // Name and sex typed, then saved.
    typeAndEnter(u"転入　太郎"_s);
    typeAndEnter(u"1"_s);
    d->click(u"vxMeibo"_s, u"Command3D1"_s);
    QVERIFY(back.LoadClass());
    QCOMPARE(back.Pupil(5).PName.str().trimmed(), u"転入　太郎"_s);
}

void tst_RosterWindow::transferIn_onEmptyRoster_takesRecord1() {
    openRoster(0);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxMeibo"_s, u"Command3D4"_s);
    QCOMPARE(d->c().ClassSize, qint16(1));
    QCOMPARE(d->c().RecNo(1), u" 1"_s);
}

void tst_RosterWindow::transferIn_fullClass_isRefused() {
    openRoster(42);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxMeibo"_s, u"Command3D4"_s);
    QCOMPARE(MsgBox::shown().size(), 1);
    QVERIFY(MsgBox::shown()[0].text.contains(u"４２人"_s));
    QCOMPARE(d->c().ClassSize, qint16(42));
}

void tst_RosterWindow::inputMethod_commitsAndModes_data() {
    QTest::addColumn<QString>("flow");
    QTest::newRow("an emoji committed: one message, even when sent again") << u"emoji"_s;
    QTest::newRow("composing for pupil 1, then pupil 5 clicked") << u"other row"_s;
    QTest::newRow("the same, committed as the focus left and again later") << u"other row, late"_s;
    QTest::newRow("a commit past 20 characters") << u"too long"_s;
    QTest::newRow("a palette's commit in the next cell, after a name typed and committed") << u"palette"_s;
    QTest::newRow("an emoji composed over the selected name") << u"over selection"_s;
    QTest::newRow("sex column: off by keyboard, left on by a click, ２ counts") << u"sex"_s;
}

// The name box as an input method meets it (ibus and mozc send these events).
void tst_RosterWindow::inputMethod_commitsAndModes() {
    QFETCH(QString, flow);
    openRoster(5);
    d->click(u"vxMeibo"_s, u"SSCommand1"_s);
    auto* box = d->find<QLineEdit>(u"vxMeibo"_s, u"Text1"_s);
    auto* grid = d->find<QTableWidget>(u"vxMeibo"_s, u"Grid1"_s);
    auto clickCell = [&](int row, int col) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row - 1, col)).center());
    };
    QVERIFY(imeEnabled(box));
    if (flow == u"emoji"_s) {
        // The message's window activates the roster again, and the input method sends its commit
        // once more while the message is up.
        int resent = 0;
        MsgBox::setAnswerer([&](const MsgBox::Shown&) {
            if (resent++ < 3)
                ime(box, {}, u"🐱"_s);
            return MsgBox::Ok;
        });
        box->end(false);
        ime(box, u"ねこ"_s);
        ime(box, {}, u"🐱"_s);
        ime(box, {}, u"🐱"_s); // and again once the window is active
        MsgBox::setAnswerer(nullptr);
        QCOMPARE(MsgBox::shown().size(), 1);
        QVERIFY(MsgBox::shown()[0].text.startsWith(u"「🐱」は使えない文字なので、名前に入れられません。"_s));
        QCOMPARE(box->text(), u"生徒1"_s);
        ime(box, u"ねこ"_s);
        ime(box, {}, u"猫"_s);
        key(Qt::Key_Return);
        QCOMPARE(cell(1, 1), u"生徒1猫"_s);
    } else if (flow.startsWith(u"other row"_s)) {
        ime(box, u"さとう"_s);
        if (flow.endsWith(u"late"_s))
            ime(box, {}, u"さとう"_s); // Qt commits as the grid takes the focus; ibus sends it once more
        clickCell(5, 1);
        ime(box, {}, u"さとう"_s); // an input method that kept the composition commits it now
        key(Qt::Key_Return);
        QCOMPARE(cell(5, 1).trimmed(), u"生徒5"_s);
        QCOMPARE(cell(1, 1).trimmed(), u"生徒1"_s);
    } else if (flow == u"palette"_s) {
        // A name typed and committed by the teacher; later the next cell gets 髙 from a palette,
        // which sends a commit without composing.
        ime(box, u"さとう"_s);
        ime(box, {}, u"佐藤"_s);
        QTest::qWait(200); // a teacher's Enter comes a moment after the commit
        key(Qt::Key_Return);
        clickCell(2, 1);
        box->end(false);
        ime(box, {}, u"髙"_s);
        key(Qt::Key_Return);
        QCOMPARE(cell(1, 1).trimmed(), u"佐藤"_s);
        QCOMPARE(cell(2, 1).trimmed(), u"生徒2髙"_s);
    } else if (flow == u"over selection"_s) {
        MsgBox::queueAnswer(MsgBox::Ok);
        box->selectAll();
        ime(box, u"ねこ"_s);
        ime(box, {}, u"🐱"_s);
        QVERIFY(MsgBox::shown().last().text.startsWith(u"「🐱」は使えない文字なので"_s));
        QCOMPARE(box->text(), u"生徒1"_s);
    } else if (flow == u"too long"_s) {
        MsgBox::queueAnswer(MsgBox::Ok);
        box->end(false);
        // 3 + 8 characters, but 5 + 16 bytes: the name is stored in 20.
        ime(box, {}, QString(8, u'あ'));
        QCOMPARE(MsgBox::shown().last().text,
                 u"名前は全角10文字・半角20文字までです。\r\n短くしてから入力してください。"_s);
        QCOMPARE(box->text(), u"生徒1"_s);
        // 20 bytes exactly is taken.
        ime(box, {}, QString(7, u'あ') + u"ｱ"_s);
        QCOMPARE(box->text(), u"生徒1あああああああｱ"_s);
    } else {
        key(Qt::Key_Return);
        QCOMPARE(roster()->current(), (Roster::Cell{1, 2}));
        QVERIFY(!imeEnabled(box));
        clickCell(2, 2);
        QVERIFY(imeEnabled(box));
        ime(box, u"２"_s);
        ime(box, {}, u"２"_s);
        key(Qt::Key_Return);
        QCOMPARE(cell(2, 2), u"女"_s);
    }
}

QTEST_MAIN(tst_RosterWindow)
#include "tst_RosterWindow.moc"

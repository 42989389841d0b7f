// The test data window driven with the keyboard as the teacher uses it.

#include "WindowDriver.h"
#include "core/ScoreCode.h"
#include "platform/MsgBox.h"
#include "scores/vxData.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_DataWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void allocation_100Accepted_101RefusedAndZeroed();
    void startEntry_totals_data();
    void startEntry_totals();
    void entry_lastBoxOfLastPupil_continuesWithTheFirst();
    void entry_onlyViewpoint3_leftAndRightStayInBox3();
    void entry_scoreAboveAllocation_isRefused();
    void entry_negativeScore_isRefused();
    void entry_K_marksAbsentAndSaveStoresKe();
    void entry_numberForAbsentPupil_makesThemPresent();
    void entry_upAndDown_wrapAroundTheRoster();
    void cancel_afterTyping_leavesEveryScoreString();
    void saveAndContinue_backToAllocationWithMarks();
    void saveButtons_disabledOutsideEntry();
    void term2_withTerm1NotCalculated_asksAndCancelLeaves();
    void termOutsideRange_isRefused();
    void sheetList_backspaceClearsAndEscapeDeletes();
    void viewpointNamedDashes_cannotTakeAllocation();
    void subjectList_arrowKeys_chooseTheSubjectThatIsSaved();
    void scoreLists_scrollingAnyColumn_movesAllSeven_data();
    void scoreLists_scrollingAnyColumn_movesAllSeven();
    void saveFails_inEntryMode_windowStaysInEntryMode();
    void titleBarClose_inEntryMode_asksFirst();
    void sheetQuestions_defaultToCancel_data();
    void sheetQuestions_defaultToCancel();
    void fullWidthAndComposition_data();
    void fullWidthAndComposition();

private:
    // A grade 5 class with `pupils` pupils, loaded; the test data window open.
    void openWindow(int pupils, int term = 1);
    // Subject 1 (国語), sheet n, with the given allocations, then 入力開始 answered OK.
    void startEntry(QList<int> alloc, int sheet = 1);
    vxData* win() { return d->forms().get<vxData>(u"vxData"_s); }
    QLineEdit* box(int i) { return d->find<QLineEdit>(u"vxData"_s, u"Text1(%1)"_s.arg(i)); }
    QWidget* focused() { return win()->focusWidget(); }
    void typeInto(int i, const QString& text) {
        box(i)->setFocus();
        box(i)->selectAll();
        QTest::keyClicks(box(i), text);
    }
    void key(int i, Qt::Key k) { QTest::keyClick(box(i), k); }
    std::unique_ptr<WindowDriver> d;
};

void tst_DataWindow::init() {
    d = std::make_unique<WindowDriver>();
}

void tst_DataWindow::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    d.reset();
}

void tst_DataWindow::openWindow(int pupils, int term) {
    d->startWithClass(u"5-1"_s, u"5年1組"_s, pupils);
    VOXA1& c = d->c();
    c.CurTerm = static_cast<qint16>(term);
    for (int v = 1; v <= 4; ++v) {
        c.ViewName(1, v) = u"観点%1"_s.arg(v);
        c.ViewName(3, v) = u"算観%1"_s.arg(v);
    }
    d->forms().hide(u"vxMain"_s);
    d->forms().show(u"vxMain"_s);
    d->trigger(u"vxMain"_s, u"mnuTest"_s);
}

void tst_DataWindow::startEntry(QList<int> alloc, int sheet) {
    auto* subjects = d->find<QListWidget>(u"vxData"_s, u"List1"_s);
    subjects->setCurrentRow(0);
    win()->List1_Click();
    d->find<QComboBox>(u"vxData"_s, u"Combo1"_s)->setCurrentIndex(sheet - 1);
    for (int i = 0; i < 4; ++i)
        d->type(u"vxData"_s, u"Text2(%1)"_s.arg(i), QString::number(alloc.value(i)));
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxData"_s, u"Command3D1"_s);
    QVERIFY(win()->inEntry());
}

void tst_DataWindow::allocation_100Accepted_101RefusedAndZeroed() {
    openWindow(3);
    d->find<QListWidget>(u"vxData"_s, u"List1"_s)->setCurrentRow(0);
    win()->List1_Click();
    d->type(u"vxData"_s, u"Text2(0)"_s, u"100"_s);
    QCOMPARE(MsgBox::shown().size(), 0);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->type(u"vxData"_s, u"Text2(1)"_s, u"101"_s);
    QCOMPARE(MsgBox::shown().last().text, u"部分点は、100点以下に制限されています。"_s);
    QCOMPARE(d->find<QLineEdit>(u"vxData"_s, u"Text2(1)"_s)->text(), u"0"_s);
}

void tst_DataWindow::startEntry_totals_data() {
    QTest::addColumn<QList<int>>("alloc");
    QTest::addColumn<int>("answer"); // to the confirmation, when it is asked
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("entry");
    QTest::newRow("100") << QList<int>{50, 50, 0, 0} << int(MsgBox::Ok) << true << true;
    QTest::newRow("150") << QList<int>{50, 50, 50, 0} << int(MsgBox::Ok) << true << true;
    QTest::newRow("200") << QList<int>{50, 50, 50, 50} << int(MsgBox::Ok) << true << true;
    QTest::newRow("300") << QList<int>{100, 100, 100, 0} << int(MsgBox::Ok) << true << true;
    QTest::newRow("120 reminds at once") << QList<int>{60, 60, 0, 0} << 0 << false << false;
    QTest::newRow("cancel on 100 reminds")
        << QList<int>{100, 0, 0, 0} << int(MsgBox::Cancel) << true << false;
}

void tst_DataWindow::startEntry_totals() {
    QFETCH(QList<int>, alloc);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, entry);
    openWindow(3);
    d->find<QListWidget>(u"vxData"_s, u"List1"_s)->setCurrentRow(0);
    win()->List1_Click();
    for (int i = 0; i < 4; ++i)
        d->type(u"vxData"_s, u"Text2(%1)"_s.arg(i), QString::number(alloc[i]));
    if (asked)
        MsgBox::queueAnswer(static_cast<MsgBox::Answer>(answer));
    if (!entry)
        MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxData"_s, u"Command3D1"_s);
    QCOMPARE(win()->inEntry(), entry);
    if (asked)
        QVERIFY(MsgBox::shown()[0].text.startsWith(u"合計が"_s));
    if (!entry)
        QCOMPARE(MsgBox::shown().last().text,
                 u"テストの配点の合計を100､150､200､300点のいずれかにしてください。"_s);
}

void tst_DataWindow::entry_lastBoxOfLastPupil_continuesWithTheFirst() {
    openWindow(3);
    startEntry({25, 25, 25, 25});
    for (int p = 1; p <= 3; ++p)
        for (int v = 0; v < 4; ++v) {
            QCOMPARE(focused(), box(v));
            typeInto(v, QString::number(p * 5 + v));
            key(v, Qt::Key_Return);
        }
    QCOMPARE(win()->CurPupil(), 0);
    QCOMPARE(focused(), box(0));
    QCOMPARE(win()->EntryScore()(4, 3), 18);
    QCOMPARE(d->find<QListWidget>(u"vxData"_s, u"List2(6)"_s)->item(2)->text(), u"   66"_s);
}

void tst_DataWindow::entry_onlyViewpoint3_leftAndRightStayInBox3() {
    openWindow(3);
    startEntry({0, 0, 100, 0});
    QCOMPARE(focused(), box(2));
    QVERIFY(!box(0)->isEnabled());
    key(2, Qt::Key_Left);
    QCOMPARE(focused(), box(2));
    key(2, Qt::Key_Right);
    QCOMPARE(focused(), box(2));
    typeInto(2, u"70"_s);
    key(2, Qt::Key_Return);
    QCOMPARE(win()->CurPupil(), 1);
    QCOMPARE(focused(), box(2));
}

void tst_DataWindow::entry_scoreAboveAllocation_isRefused() {
    openWindow(2);
    startEntry({60, 40, 0, 0});
    typeInto(0, u"60"_s);
    key(0, Qt::Key_Return);
    QCOMPARE(win()->EntryScore()(1, 1), 60);
    QCOMPARE(focused(), box(1));
    typeInto(1, u"41"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    key(1, Qt::Key_Return);
    QCOMPARE(MsgBox::shown().last().text, u"この観点の配点を越えています"_s);
    QCOMPARE(MsgBox::shown().last().icon, MsgBox::Information);
    QCOMPARE(win()->EntryScore()(2, 1), 0);
    QCOMPARE(box(1)->text(), u"41"_s);
    QCOMPARE(win()->CurPupil(), 0);
}

void tst_DataWindow::entry_negativeScore_isRefused() {
    openWindow(2);
    startEntry({100, 0, 0, 0});
    typeInto(0, u"-5"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    key(0, Qt::Key_Return);
    QCOMPARE(win()->EntryScore()(1, 1), 0);
    QCOMPARE(win()->CurPupil(), 0);
}

void tst_DataWindow::entry_K_marksAbsentAndSaveStoresKe() {
    openWindow(3);
    startEntry({50, 50, 0, 0});
    typeInto(0, u"30"_s);
    key(0, Qt::Key_Return);
    typeInto(1, u"k"_s);
    QCOMPARE(box(0)->text(), u"欠"_s);
    QCOMPARE(box(3)->text(), u"欠"_s);
    key(1, Qt::Key_Return);
    for (int col = 2; col <= 6; ++col)
        QCOMPARE(d->find<QListWidget>(u"vxData"_s, u"List2(%1)"_s.arg(col))->item(0)->text(), u"   欠"_s);
    QCOMPARE(win()->CurPupil(), 1);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxData"_s, u"Command3D2"_s);
    QCOMPARE(MsgBox::shown().last().text, u"平均点を計算しました"_s);
    VOXA1 back;
    back.ClassPath = d->c().ClassPath;
    QVERIFY(back.LoadClass());
    for (int v = 1; v <= 4; ++v)
        QCOMPARE(int(back.Pupil(1).SheetMarks(1, 1).at(1 + (v - 1) * 20)), 0xB9);
    QCOMPARE(back.Pupil(2).SheetMarks(1, 1).at(1), uchar(' '));
    QCOMPARE(int(back.SheetSetup(1, 1).at(1)), 50 + 32);
    QVERIFY(d->forms().isLoaded(u"vxMain"_s));
}

void tst_DataWindow::entry_numberForAbsentPupil_makesThemPresent() {
    openWindow(2);
    VOXA1& c = d->c();
    for (int v = 1; v <= 4; ++v)
        c.Pupil(1).SheetMarks(1, 1).set(1 + (v - 1) * 20, ScoreCode::kAbsent);
    startEntry({50, 50, 0, 0});
    QVERIFY(c.AbsentTable(1, 1, 1, 1, 1) == 10);
    typeInto(1, u"20"_s);
    key(1, Qt::Key_Return);
    QCOMPARE(c.AbsentTable(1, 1, 1, 1, 1), qint8(0));
    QCOMPARE(win()->EntryScore()(2, 1), 20);
    QCOMPARE(win()->EntryScore()(1, 1), 0);
    QCOMPARE(d->find<QListWidget>(u"vxData"_s, u"List2(6)"_s)->item(0)->text(), u"   20"_s);
}

void tst_DataWindow::entry_upAndDown_wrapAroundTheRoster() {
    openWindow(4);
    startEntry({100, 0, 0, 0});
    key(0, Qt::Key_Up);
    QCOMPARE(win()->CurPupil(), 3);
    QCOMPARE(d->find<QLabel>(u"vxData"_s, u"Label11"_s)->text(), u" 4"_s);
    key(0, Qt::Key_Down);
    QCOMPARE(win()->CurPupil(), 0);
    // A number typed but not confirmed is lost when the pupil changes.
    typeInto(0, u"9"_s);
    key(0, Qt::Key_Down);
    QCOMPARE(win()->EntryScore()(1, 1), 0);
}

void tst_DataWindow::cancel_afterTyping_leavesEveryScoreString() {
    openWindow(3);
    VOXA1& c = d->c();
    QList<ScoreBytes<100>> before;
    for (int p = 1; p <= 3; ++p)
        before << c.Pupil(p).SheetMarks(1, 1);
    startEntry({100, 0, 0, 0});
    typeInto(0, u"77"_s);
    key(0, Qt::Key_Return);
    typeInto(0, u"k"_s);
    key(0, Qt::Key_Return);
    QCOMPARE(int(c.AbsentTable(2, 1, 1, 1, 1)), 10);
    d->click(u"vxData"_s, u"Command3D3"_s);
    for (int p = 1; p <= 3; ++p)
        QVERIFY(c.Pupil(p).SheetMarks(1, 1) == before[p - 1]);
    // The absence typed was not saved, so the table no longer holds it either.
    for (int v = 1; v <= 4; ++v)
        QCOMPARE(int(c.AbsentTable(2, v, 1, 1, 1)), 0);
    QVERIFY(!d->forms().isLoaded(u"vxData"_s));
}

void tst_DataWindow::subjectList_arrowKeys_chooseTheSubjectThatIsSaved() {
    openWindow(2);
    VOXA1& c = d->c();
    auto* subjects = d->find<QListWidget>(u"vxData"_s, u"List1"_s);
    subjects->setFocus();
    QTest::keyClick(subjects, Qt::Key_Down); // 社会
    QTest::keyClick(subjects, Qt::Key_Down); // 算数
    QCOMPARE(subjects->currentItem()->text().trimmed(), u"算　数"_s);
    QCOMPARE(win()->selectedSubject(), 3);
    QCOMPARE(d->find<QGroupBox>(u"vxData"_s, u"Frame3D2(0)"_s)->title(), u"算観1"_s);
    d->type(u"vxData"_s, u"Text2(0)"_s, u"100"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxData"_s, u"Command3D1"_s);
    typeInto(0, u"64"_s);
    key(0, Qt::Key_Return);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxData"_s, u"Command3D2"_s);
    QCOMPARE(c.Pupil(1).SheetMarks(3, 1).value(1), 64);
    QVERIFY(c.Pupil(1).SheetMarks(1, 1) == ScoreBytes<100>());
    QCOMPARE(ScoreCode::decode(c.SheetSetup(3, 1).at(1)), 100);
    QCOMPARE(ScoreCode::decode(c.SheetSetup(1, 1).at(1)), 0);
}

void tst_DataWindow::scoreLists_scrollingAnyColumn_movesAllSeven_data() {
    QTest::addColumn<int>("column");
    for (int i = 0; i < 7; ++i)
        QTest::newRow(qPrintable(u"List2(%1)"_s.arg(i))) << i;
}

void tst_DataWindow::scoreLists_scrollingAnyColumn_movesAllSeven() {
    QFETCH(int, column);
    openWindow(40);
    startEntry({100, 0, 0, 0});
    win()->show();
    QApplication::processEvents();
    auto* list = d->find<QListWidget>(u"vxData"_s, u"List2(%1)"_s.arg(column));
    // A turn of the mouse wheel over the column.
    const QPointF at(list->viewport()->width() / 2.0, list->viewport()->height() / 2.0);
    QWheelEvent wheel(at, list->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -360), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &wheel);
    const int moved = list->verticalScrollBar()->value();
    QVERIFY(moved > 0);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(d->find<QListWidget>(u"vxData"_s, u"List2(%1)"_s.arg(i))->verticalScrollBar()->value(),
                 moved);
}

void tst_DataWindow::saveFails_inEntryMode_windowStaysInEntryMode() {
    openWindow(2);
    startEntry({100, 0, 0, 0});
    typeInto(0, u"55"_s);
    key(0, Qt::Key_Return);
    MsgBox::queueAnswer(MsgBox::Ok); // 平均点を計算しました
    MsgBox::queueAnswer(MsgBox::Ok); // the file could not be written
    {
        TestSupport::DiskFull full;
        d->click(u"vxData"_s, u"Command3D2"_s);
    }
    QVERIFY(MsgBox::shown().last().text.startsWith(u"ファイルに書き込めませんでした。"_s));
    QVERIFY(d->forms().isLoaded(u"vxData"_s));
    QVERIFY(win()->inEntry());
    QVERIFY(!d->find<QPushButton>(u"vxData"_s, u"Command3D1"_s)->isEnabled());
    QVERIFY(!d->find<QLineEdit>(u"vxData"_s, u"Text2(0)"_s)->isEnabled());
    QVERIFY(d->find<QPushButton>(u"vxData"_s, u"Command3D2"_s)->isEnabled());
    // With room on the disk again, the same button saves.
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxData"_s, u"Command3D2"_s);
    QVERIFY(!d->forms().isLoaded(u"vxData"_s));
    VOXA1 back;
    back.ClassPath = u"C:\\voxadata\\5-1"_s;
    QVERIFY(back.LoadClass());
    QCOMPARE(back.Pupil(1).SheetMarks(1, 1).value(1), 55);
}

void tst_DataWindow::titleBarClose_inEntryMode_asksFirst() {
    openWindow(2);
    VOXA1& c = d->c();
    startEntry({100, 0, 0, 0});
    typeInto(0, u"55"_s);
    key(0, Qt::Key_Return);
    MsgBox::queueAnswer(MsgBox::Cancel);
    win()->close();
    const MsgBox::Shown& q = MsgBox::shown().last();
    QVERIFY(q.text.contains(u"保存しないで閉じてよろしいですか"_s));
    QCOMPARE(q.buttons, MsgBox::OkCancel);
    QCOMPARE(q.defaultAnswer, MsgBox::Cancel);
    QVERIFY(win()->inEntry());
    QCOMPARE(win()->EntryScore()(1, 1), 55);
    MsgBox::queueAnswer(MsgBox::Ok);
    win()->close();
    QVERIFY(!d->forms().isLoaded(u"vxData"_s));
    QVERIFY(c.Pupil(1).SheetMarks(1, 1) == ScoreBytes<100>());
}

void tst_DataWindow::sheetQuestions_defaultToCancel_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("clear (BS)") << int(Qt::Key_Backspace);
    QTest::newRow("delete (Esc)") << int(Qt::Key_Escape);
}

void tst_DataWindow::sheetQuestions_defaultToCancel() {
    QFETCH(int, key);
    openWindow(2);
    auto* subjects = d->find<QListWidget>(u"vxData"_s, u"List1"_s);
    subjects->setCurrentRow(0);
    win()->List1_Click();
    MsgBox::queueAnswer(MsgBox::Cancel);
    MsgBox::queueAnswer(MsgBox::Ok);
    QTest::keyClick(d->find<QComboBox>(u"vxData"_s, u"Combo1"_s), static_cast<Qt::Key>(key));
    const MsgBox::Shown& q = MsgBox::shown()[0];
    QCOMPARE(q.buttons, MsgBox::OkCancel);
    QCOMPARE(q.defaultAnswer, MsgBox::Cancel);
}

void tst_DataWindow::saveAndContinue_backToAllocationWithMarks() {
    openWindow(2);
    startEntry({50, 100, 0, 0}, 2);
    typeInto(0, u"40"_s);
    key(0, Qt::Key_Return);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxData"_s, u"Command3D4"_s);
    QVERIFY(!win()->inEntry());
    auto* sheets = d->find<QComboBox>(u"vxData"_s, u"Combo1"_s);
    QCOMPARE(sheets->currentIndex(), 0);
    QCOMPARE(sheets->itemText(1), u" 2  済"_s);
    QCOMPARE(sheets->itemText(0), u" 1  未"_s);
    QVERIFY(sheets->isEnabled());
    QVERIFY(d->find<QPushButton>(u"vxData"_s, u"Command3D1"_s)->isEnabled());
    VOXA1 back;
    back.ClassPath = d->c().ClassPath;
    QVERIFY(back.LoadClass());
    QCOMPARE(back.Pupil(1).SheetMarks(1, 1).value(2), 40);
}

void tst_DataWindow::saveButtons_disabledOutsideEntry() {
    openWindow(2);
    QVERIFY(!d->find<QPushButton>(u"vxData"_s, u"Command3D2"_s)->isEnabled());
    QVERIFY(!d->find<QPushButton>(u"vxData"_s, u"Command3D4"_s)->isEnabled());
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxData"_s, u"Command3D1"_s);
    QCOMPARE(MsgBox::shown().last().text, u"教科あるいは枚数の選択をしてください"_s);
}

void tst_DataWindow::term2_withTerm1NotCalculated_asksAndCancelLeaves() {
    MsgBox::queueAnswer(MsgBox::Cancel);
    MsgBox::queueAnswer(MsgBox::Ok);
    openWindow(2, 2);
    QCOMPARE(MsgBox::shown()[0].text, u"前の学期のテストデータが入力されていません。続けますか"_s);
    QCOMPARE(MsgBox::shown()[1].text, u"テストデータの入力を中止します"_s);
    QVERIFY(!d->forms().isLoaded(u"vxData"_s));
    QVERIFY(d->forms().isLoaded(u"vxMain"_s));
}

void tst_DataWindow::termOutsideRange_isRefused() {
    MsgBox::queueAnswer(MsgBox::Ok);
    openWindow(2, 4);
    QVERIFY(MsgBox::shown()[0].text.startsWith(u"現在の学期が"_s));
    QVERIFY(!d->forms().isLoaded(u"vxData"_s));
}

void tst_DataWindow::sheetList_backspaceClearsAndEscapeDeletes() {
    openWindow(2);
    VOXA1& c = d->c();
    for (int n = 1; n <= 2; ++n) {
        for (int v = 1; v <= 2; ++v)
            c.SheetSetup(1, 1).set(n + (v - 1) * 20, ScoreCode::encodeAllocation(50));
        c.Pupil(1).SheetMarks(1, 1).set(n, ScoreCode::encode(10 * n));
    }
    d->click(u"vxData"_s, u"Command3D3"_s);
    d->trigger(u"vxMain"_s, u"mnuTest"_s);
    d->find<QListWidget>(u"vxData"_s, u"List1"_s)->setCurrentRow(0);
    win()->List1_Click();
    auto* sheets = d->find<QComboBox>(u"vxData"_s, u"Combo1"_s);
    QCOMPARE(sheets->itemText(0), u" 1  済"_s);
    sheets->setCurrentIndex(0);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    QTest::keyClick(sheets, Qt::Key_Escape);
    QCOMPARE(
        MsgBox::shown()[0].text,
        u"この教科の 1枚目のテストデータを削除しますか\r\n必ずデータのバックアップをとってから行ってください"_s);
    QCOMPARE(MsgBox::shown()[1].text, u" 1枚目のテストデータを削除しました"_s);
    QCOMPARE(c.Pupil(1).SheetMarks(1, 1).value(1), 20);
    QCOMPARE(sheets->itemText(1), u" 2  未"_s);
    MsgBox::queueAnswer(MsgBox::Cancel);
    MsgBox::queueAnswer(MsgBox::Ok);
    QTest::keyClick(sheets, Qt::Key_Backspace);
    QCOMPARE(MsgBox::shown().last().text, u" 1枚目のテストデータを消去しませんでした"_s);
    QCOMPARE(sheets->itemText(0), u" 1  済"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    QTest::keyClick(sheets, Qt::Key_Backspace);
    QCOMPARE(MsgBox::shown().last().text, u" 1枚目のテストデータを消去しました"_s);
    QCOMPARE(sheets->itemText(0), u" 1  未"_s);
    QCOMPARE(c.Pupil(1).SheetMarks(1, 1).at(1), uchar(' '));
}

void tst_DataWindow::viewpointNamedDashes_cannotTakeAllocation() {
    openWindow(2);
    d->c().ViewName(1, 4) = u"－－"_s;
    d->find<QListWidget>(u"vxData"_s, u"List1"_s)->setCurrentRow(0);
    win()->List1_Click();
    QVERIFY(!d->find<QLineEdit>(u"vxData"_s, u"Text2(3)"_s)->isEnabled());
    QVERIFY(d->find<QLineEdit>(u"vxData"_s, u"Text2(2)"_s)->isEnabled());
    QCOMPARE(d->find<QGroupBox>(u"vxData"_s, u"Frame3D2(0)"_s)->title(), u"観点1"_s);
}

void tst_DataWindow::fullWidthAndComposition_data() {
    QTest::addColumn<QString>("typed"); // into pupil 1's first box; "composing" for the flow below
    QTest::addColumn<QString>("pupil1");
    QTest::addColumn<QString>("pupil5");
    QTest::newRow("７０ typed") << u"７０"_s << u"70"_s << u"88"_s;
    QTest::newRow("ｋ typed") << u"ｋ"_s << u"欠"_s << u"88"_s;
    QTest::newRow("７０ composing for pupil 1, pupil 5 clicked") << u"composing"_s << u"88"_s << u"88"_s;
}

// Scores and allocations take no input method; full-width digits and ｋ typed or pasted anyway
// count as their half-width forms, and a composition never moves to another pupil.
void tst_DataWindow::fullWidthAndComposition() {
    QFETCH(QString, typed);
    QFETCH(QString, pupil1);
    QFETCH(QString, pupil5);
    openWindow(5);
    auto enabled = [](QWidget* w) {
        QInputMethodQueryEvent q(Qt::ImEnabled);
        QCoreApplication::sendEvent(w, &q);
        return q.value(Qt::ImEnabled).toBool();
    };
    d->find<QListWidget>(u"vxData"_s, u"List1"_s)->setCurrentRow(0);
    win()->List1_Click();
    auto* alloc = d->find<QLineEdit>(u"vxData"_s, u"Text2(0)"_s);
    alloc->setFocus();
    alloc->selectAll();
    alloc->insert(u"１０"_s); // typed or pasted without the input method
    QCOMPARE(alloc->text(), u"10"_s);
    startEntry({100, 0, 0, 0});
    for (int i = 0; i < 4; ++i)
        QVERIFY(!enabled(box(i)) && !enabled(d->find<QLineEdit>(u"vxData"_s, u"Text2(%1)"_s.arg(i))));
    for (int p = 1; p <= 5; ++p) {
        typeInto(0, u"88"_s);
        key(0, Qt::Key_Return);
    }
    QCOMPARE(win()->CurPupil(), 0); // back at pupil 1
    if (typed == u"composing"_s) {
        QInputMethodEvent composing(u"７０"_s, {});
        QCoreApplication::sendEvent(box(0), &composing);
        auto* list = d->find<QListWidget>(u"vxData"_s, u"List2(2)"_s);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
        QCOMPARE(win()->CurPupil(), 4);
        QInputMethodEvent commit;
        commit.setCommitString(u"７０"_s);
        QCoreApplication::sendEvent(box(0), &commit);
    } else {
        box(0)->setFocus();
        box(0)->selectAll();
        box(0)->insert(typed);
    }
    key(0, Qt::Key_Return);
    auto score = [&](int p) {
        return d->find<QListWidget>(u"vxData"_s, u"List2(2)"_s)->item(p - 1)->text().trimmed();
    };
    QCOMPARE(score(1), pupil1);
    QCOMPARE(score(5), pupil5);
}

QTEST_MAIN(tst_DataWindow)
#include "tst_DataWindow.moc"

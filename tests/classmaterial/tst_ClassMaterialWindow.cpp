// The class organisation window by its controls: grids, the data files with their question and a
// cancelled dialog, printing, and reopening after another class.

#include "WindowDriver.h"
#include "classmaterial/vxclass.h"
#include "platform/Dialogs.h"
#include "platform/MsgBox.h"
#include "platform/RecordingBackend.h"

#include <QDir>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_ClassMaterialWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void subjectSet_fillsBothGrids_sexZeroWithTheGirls();
    void termRange_beforeSubjects_isRefused();
    void dataFiles_writtenTogether_andTheScreenShowsThem();
    void dataFiles_existing_askFirst_cancelWritesNothing();
    void dataFiles_cancelledDialog_writesNothing();
    void withoutYearEnd_asksBeforeFilesOrPrinting();
    void print_namesWhoIsLeftOff_andSendsBothPages();
    void reopened_afterAnotherClass_showsTheNewClass();
    void badClassSize_isRefusedBackToTheMainWindow();

private:
    // A class of four (boy, girl, no sex, boy) with year-end figures, the window open.
    void open(bool yearEndDone = true);
    QTableWidget* grid(int g) { return d->find<QTableWidget>(u"vxclass"_s, u"Grid1(%1)"_s.arg(g)); }
    QString cell(int g, int row, int col) {
        QTableWidgetItem* i = grid(g)->item(row, col);
        return i ? i->text() : QString();
    }
    vxclass* win() { return d->forms().get<vxclass>(u"vxclass"_s); }
    std::unique_ptr<WindowDriver> d;
};

void tst_ClassMaterialWindow::init() {
    d = std::make_unique<WindowDriver>();
}

void tst_ClassMaterialWindow::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    d.reset();
}

void tst_ClassMaterialWindow::open(bool yearEndDone) {
    d->startWithClass(u"4-2"_s, u"4年2組"_s, 4);
    VOXA1& c = d->c();
    const QString sexes[4] = {u"1"_s, u"2"_s, u"0"_s, u"1"_s};
    const double year[4] = {60, 70, 80, 90};
    for (int p = 1; p <= 4; ++p) {
        c.Pupil(p).Sex = sexes[p - 1];
        for (int s = 1; s <= 4; ++s) {
            c.Pupil(p).SubjRate(4, s) = year[p - 1];
            c.Pupil(p).SubjRate(1, s) = 10;
            c.Pupil(p).SubjRate(2, s) = 20;
        }
    }
    c.CalcMark(4, 1) = yearEndDone ? u"O"_s : QString();
    d->trigger(u"vxMain"_s, u"Clas"_s); // the toolbar button
    QVERIFY(win());
}

void tst_ClassMaterialWindow::subjectSet_fillsBothGrids_sexZeroWithTheGirls() {
    open();
    QCOMPARE(d->find<QLabel>(u"vxclass"_s, u"Label2"_s)->text(), u"4年2組"_s);
    QCOMPARE(grid(0)->rowCount(), 2);
    QCOMPARE(grid(1)->rowCount(), 2);
    QCOMPARE(cell(0, 0, 0), u" 1"_s);
    d->click(u"vxclass"_s, u"SSCommand1(1)"_s);
    QCOMPARE(cell(0, 0, 1).trimmed(), u"生徒4"_s);
    QCOMPARE(cell(0, 0, 2), u"90.0"_s);
    QCOMPARE(cell(0, 1, 1).trimmed(), u"生徒1"_s);
    QCOMPARE(cell(1, 0, 1).trimmed(), u"生徒3"_s); // no sex: listed with the girls
    QCOMPARE(cell(1, 1, 1).trimmed(), u"生徒2"_s);
    d->click(u"vxclass"_s, u"SSCommand5(1)"_s); // terms 1 and 2
    QCOMPARE(cell(0, 0, 2), u"15.0"_s);
}

void tst_ClassMaterialWindow::termRange_beforeSubjects_isRefused() {
    open();
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxclass"_s, u"SSCommand5(0)"_s);
    QCOMPARE(MsgBox::shown().last().text, u"先に教科設定を入力して下さい"_s);
    for (const QString& b : {u"SSCommand2"_s, u"SSCommand4"_s}) {
        MsgBox::queueAnswer(MsgBox::Ok);
        d->click(u"vxclass"_s, b);
        QCOMPARE(MsgBox::shown().last().text, u"教科設定を入力して下さい"_s);
    }
}

void tst_ClassMaterialWindow::dataFiles_writtenTogether_andTheScreenShowsThem() {
    open();
    d->click(u"vxclass"_s, u"SSCommand1(0)"_s);
    d->click(u"vxclass"_s, u"SSCommand5(2)"_s); // the screen shows terms 2 and 3
    const QString base = d->home().file(u"voxadata/4-2"_s);
    Dialogs::queueResult(base);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxclass"_s, u"SSCommand2"_s);
    // Named where the file manager finds the files.
    QCOMPARE(MsgBox::shown().last().text, QDir::toNativeSeparators(base) + u"にﾃﾞｰﾀの保存をしました"_s);
    const auto ranked = ClassMaterial::ranking(d->c(), 1, 1);
    QCOMPARE(TestSupport::readFile(base + u"m.txt"_s), ClassMaterial::fileBytes(ranked, true));
    QCOMPARE(TestSupport::readFile(base + u"w.txt"_s), ClassMaterial::fileBytes(ranked, false));
    QVERIFY(TestSupport::readFile(base + u"m.txt"_s).startsWith("\"" + TestSupport::sjis(u"生徒4"_s)));
    // The files hold the year-end means: so does the screen now.
    QCOMPARE(cell(0, 0, 2), u"90.0"_s);
    QCOMPARE(d->find<QPushButton>(u"vxclass"_s, u"SSCommand5(0)"_s)->property("appearance").toInt(), 1);
}

void tst_ClassMaterialWindow::dataFiles_existing_askFirst_cancelWritesNothing() {
    open();
    d->click(u"vxclass"_s, u"SSCommand1(0)"_s);
    const QString base = d->home().file(u"voxadata/4-2"_s);
    TestSupport::writeFile(base + u"m.txt"_s, "old");
    Dialogs::queueResult(base);
    MsgBox::queueAnswer(MsgBox::Cancel);
    d->click(u"vxclass"_s, u"SSCommand2"_s);
    QCOMPARE(MsgBox::shown().last().text, u"データファイルはすでにあります。上書きしますか"_s);
    QCOMPARE(MsgBox::shown().last().buttons, MsgBox::OkCancel);
    QCOMPARE(TestSupport::readFile(base + u"m.txt"_s), QByteArray("old"));
    QVERIFY(!QFile::exists(base + u"w.txt"_s));
}

void tst_ClassMaterialWindow::dataFiles_cancelledDialog_writesNothing() {
    open();
    d->click(u"vxclass"_s, u"SSCommand1(1)"_s);
    Dialogs::queueResult(QString());
    d->click(u"vxclass"_s, u"SSCommand2"_s);
    QCOMPARE(MsgBox::shown().size(), 0);
    QCOMPARE(QDir(d->home().file(u"voxadata"_s)).entryList({u"*.txt"_s}, QDir::Files), QStringList());
}

void tst_ClassMaterialWindow::withoutYearEnd_asksBeforeFilesOrPrinting() {
    open(false);
    d->click(u"vxclass"_s, u"SSCommand1(1)"_s);
    MsgBox::queueAnswer(MsgBox::Cancel);
    d->click(u"vxclass"_s, u"SSCommand4"_s);
    QCOMPARE(MsgBox::shown().last().text, u"年度末の計算処理がされていません。続けますか"_s);
    QVERIFY(RecordingBackend::documents().empty());
}

void tst_ClassMaterialWindow::print_namesWhoIsLeftOff_andSendsBothPages() {
    open();
    d->click(u"vxclass"_s, u"SSCommand1(1)"_s);
    for (int i = 0; i < 3; ++i)
        MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxclass"_s, u"SSCommand4"_s);
    QVERIFY(MsgBox::shown()[0].text.contains(u"生徒3"_s));
    QCOMPARE(MsgBox::shown()[1].text, u"今から印刷を開始します、\r\nプリンターの準備をしてください"_s);
    QCOMPARE(MsgBox::shown()[2].text,
             u"印刷データをプリンタに送りました。\r\nまもなくプリンターから印刷されます。"_s);
    const auto& doc = RecordingBackend::documents()[0];
    QCOMPARE(doc.pages, 2);
    QVERIFY(doc.find(1, u"男　　子"_s));
    QVERIFY(doc.find(2, u"女　　子"_s));
}

void tst_ClassMaterialWindow::reopened_afterAnotherClass_showsTheNewClass() {
    open();
    d->click(u"vxclass"_s, u"SSCommand1(1)"_s);
    d->click(u"vxclass"_s, u"SSCommand3"_s);
    VOXA1& c = d->c();
    c.ClassName = u"4年3組"_s;
    c.ClassSize = 1;
    c.Pupil(1).Sex = u"2"_s;
    c.Pupil(1).PName = u"別の学級の子"_s;
    d->trigger(u"vxMain"_s, u"mnuUClass"_s);
    QCOMPARE(d->find<QLabel>(u"vxclass"_s, u"Label2"_s)->text(), u"4年3組"_s);
    QCOMPARE(grid(0)->rowCount(), 0);
    QCOMPARE(grid(1)->rowCount(), 1);
    QCOMPARE(cell(1, 0, 1).trimmed(), u"別の学級の子"_s);
}

void tst_ClassMaterialWindow::badClassSize_isRefusedBackToTheMainWindow() {
    d->startWithClass(u"4-2"_s, u"4年2組"_s, 2);
    d->c().CurTerm = 4;
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuUClass"_s);
    QCOMPARE(MsgBox::shown().last().text, u"現在の学期の設定が正しくありません。"_s);
    QVERIFY(d->forms().find(u"vxMain"_s)->isVisible());
    QVERIFY(!d->forms().isLoaded(u"vxclass"_s));
}

QTEST_MAIN(tst_ClassMaterialWindow)
#include "tst_ClassMaterialWindow.moc"

// Creating a class from the new class window through to its first settings save.

#include "WindowDriver.h"
#include "controls/FolderList.h"
#include "core/ClassFiles.h"
#include "platform/MsgBox.h"

#include <QLabel>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_NewClass : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void load_withEmptyForm_asksForGradeAndClassFirst();
    void create_3nen1kumi_thenFirstSettingsSave();
    void create_classThenGrade_isReadyToo();
    void create_refusals_data();
    void create_refusals();
    void create_overExistingClass_asksAndCancelKeepsIt();
    void create_afterAnotherClass_startsWithEmptyRecords();
    void cancel_keepsTheLoadedClass();
    void create_inTheFolderShownAsChosen_data();
    void create_inTheFolderShownAsChosen();

private:
    void openNewClass();
    // Grade, class, then a folder change to the data folder.
    void enterClass(const QString& grade, const QString& klass, bool classFirst = false);
    QString label(const QString& name) { return d->find<QLabel>(u"vxNew"_s, name)->text(); }
    std::unique_ptr<WindowDriver> d;
};

void tst_NewClass::init() {
    d = std::make_unique<WindowDriver>();
    d->start();
}

void tst_NewClass::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    QCOMPARE(MsgBox::pendingAnswers(), 0);
    d.reset();
}

void tst_NewClass::openNewClass() {
    MsgBox::queueAnswer(MsgBox::Ok); // "学年組を入力してください": setting the folder list at load
    d->trigger(u"vxMain"_s, u"mnuNew"_s);
    QVERIFY(d->forms().isLoaded(u"vxNew"_s));
}

void tst_NewClass::enterClass(const QString& grade, const QString& klass, bool classFirst) {
    if (classFirst) {
        d->type(u"vxNew"_s, u"Text3"_s, klass);
        d->type(u"vxNew"_s, u"Text2"_s, grade);
    } else {
        d->type(u"vxNew"_s, u"Text2"_s, grade);
        d->type(u"vxNew"_s, u"Text3"_s, klass);
    }
    auto* dir = d->find<FolderList>(u"vxNew"_s, u"Dir1"_s);
    dir->setPath(u"C:\\"_s);
    dir->setPath(u"C:\\voxadata"_s);
}

void tst_NewClass::load_withEmptyForm_asksForGradeAndClassFirst() {
    openNewClass();
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown()[0].text, u"学年組を入力してください"_s);
    // Browsing makes no folder: it is made when the class files are written.
    QVERIFY(!QFileInfo::exists(d->home().file(u"voxadata"_s)));
    // A folder change before both boxes are filled is refused the same way.
    d->type(u"vxNew"_s, u"Text2"_s, u"3"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->find<FolderList>(u"vxNew"_s, u"Dir1"_s)->setPath(u"C:\\"_s);
    QCOMPARE(MsgBox::shown().last().text, u"学年組を入力してください"_s);
    QCOMPARE(label(u"Label5"_s), QString());
}

void tst_NewClass::create_3nen1kumi_thenFirstSettingsSave() {
    openNewClass();
    enterClass(u"3"_s, u"1"_s);
    QCOMPARE(label(u"Label6"_s), u"3年1組"_s);
    QCOMPARE(label(u"Label5"_s), u"C:\\voxadata\\3-1.*"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxNew"_s, u"Command3D3"_s);
    const auto& shown = MsgBox::shown();
    QCOMPARE(shown[1].text, u"3年1組のデータを\r\nC:\\voxadata\\3-1に作っていいですか"_s);
    QCOMPARE(shown[1].buttons, MsgBox::OkCancel);
    QCOMPARE(shown[2].text, u"3年1組の領域をディスク上に作成します"_s);
    QCOMPARE(shown[3].text,
             u"3年1組の領域をディスク上に作成しました。\r\nすぐに、初期設定（人数等）を行ってください"_s);

    QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/3-1.dat"_s)).size(), 42 * 3106);
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/3-1.eix"_s)).size(), 200);
    QVERIFY(!QFile::exists(d->home().file(u"voxadata/3-1.sdt"_s)));
    VOXA1& c = d->c();
    QCOMPARE(c.ClassName, u"3年1組"_s);
    QCOMPARE(c.ClassPath, u"C:\\voxadata\\3-1"_s);
    QCOMPARE(c.ClassSize, qint16(0));
    QCOMPARE(c.NewClassFlag, qint16(10));
    QVERIFY(!d->forms().isLoaded(u"vxNew"_s));

    // The main window shows the class with its settings pane open and the class size box open.
    auto* main = d->forms().find(u"vxMain"_s);
    QCOMPARE(d->find<QLabel>(u"vxMain"_s, u"Label7"_s)->text(), u"3年1組"_s);
    QVERIFY(d->find<QLineEdit>(u"vxMain"_s, u"Text1"_s)->isVisibleTo(main));
    QVERIFY(d->find<QLineEdit>(u"vxMain"_s, u"Text4"_s)->isEnabled());
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"Subj"_s);
    QCOMPARE(d->find<QLineEdit>(u"vxMain"_s, u"Text7(1)"_s)->text(), u"思考"_s);
    QCOMPARE(d->find<QLineEdit>(u"vxMain"_s, u"Text8(3)"_s)->text(), u"観察"_s);
    QCOMPARE(d->find<QLineEdit>(u"vxMain"_s, u"Text7(4)"_s)->text(), QString());
    QCOMPARE(d->find<QLineEdit>(u"vxMain"_s, u"Text4"_s)->text(), u"30"_s);
    QCOMPARE(d->find<QLineEdit>(u"vxMain"_s, u"Text5"_s)->text(), u"1"_s);
    d->type(u"vxMain"_s, u"Text2"_s, u"みなと小学校"_s);

    // Any window that replaces the main window commits the settings: the first save.
    MsgBox::queueAnswer(MsgBox::Ok);
    d->trigger(u"vxMain"_s, u"mnuVer"_s);
    QCOMPARE(MsgBox::shown().last().text, u"初期ﾃﾞｰﾀを保存しました"_s);
    const QList<QByteArray> lines = TestSupport::readFile(d->home().file(u"voxadata/3-1.sdt"_s)).split('\n');
    QCOMPARE(lines.size(), 131);
    QVERIFY(lines[0].startsWith("0,\"" + TestSupport::sjis(u"みなと小学校"_s)));
    QVERIFY(lines[0].endsWith(",1,30\r"));
    QCOMPARE(lines[21], QByteArray("\"0000000000\"\r"));
    for (int i = 22; i < 34; ++i)
        QCOMPARE(lines[i], '"' + QByteArray(80, ' ') + "\"\r");
    QCOMPARE(c.NewClassFlag, qint16(0));
    QCOMPARE(c.ClassSize, qint16(30));
}

void tst_NewClass::create_classThenGrade_isReadyToo() {
    openNewClass();
    enterClass(u"6"_s, u"2"_s, true);
    QCOMPARE(label(u"Label6"_s), u"6年2組"_s);
    QCOMPARE(label(u"Label5"_s), u"C:\\voxadata\\6-2.*"_s);
    // Choosing the drive root gives a single backslash.
    d->find<FolderList>(u"vxNew"_s, u"Dir1"_s)->setPath(u"C:\\"_s);
    QCOMPARE(label(u"Label5"_s), u"C:\\6-2.*"_s);
}

void tst_NewClass::create_refusals_data() {
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("klass");
    QTest::addColumn<QString>("told");
    QTest::newRow("grade 0") << u"0"_s << u"1"_s << u"学年を正しく入力してください"_s;
    QTest::newRow("grade 7") << u"7"_s << u"1"_s << u"学年を正しく入力してください"_s;
    QTest::newRow("class 0") << u"3"_s << u"0"_s << u"組を正しく入力してください"_s;
}

void tst_NewClass::create_refusals() {
    QFETCH(QString, grade);
    QFETCH(QString, klass);
    QFETCH(QString, told);
    openNewClass();
    if (grade == u"7"_s)
        MsgBox::queueAnswer(MsgBox::Ok); // the grade box's own warning
    enterClass(grade, klass);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxNew"_s, u"Command3D3"_s);
    QCOMPARE(MsgBox::shown().last().text, told);
    QCOMPARE(QDir(d->home().file(u"voxadata"_s)).entryList(QDir::Files), QStringList());
    QVERIFY(d->forms().isLoaded(u"vxNew"_s));
}

void tst_NewClass::create_overExistingClass_asksAndCancelKeepsIt() {
    d->writeClass(u"3-1"_s, 5);
    const QByteArray dat = TestSupport::readFile(d->home().file(u"voxadata/3-1.dat"_s));
    openNewClass();
    enterClass(u"3"_s, u"1"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    MsgBox::queueAnswer(MsgBox::Cancel);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxNew"_s, u"Command3D3"_s);
    const MsgBox::Shown& q = MsgBox::shown()[2];
    QVERIFY2(q.text.contains(u"すでに3年1組のデータがあります"_s), qPrintable(q.text));
    QCOMPARE(q.buttons, MsgBox::OkCancel);
    QCOMPARE(q.defaultAnswer, MsgBox::Cancel);
    QCOMPARE(MsgBox::shown().last().text, u"ﾃﾞｰﾀ作成を中止しました"_s);
    QCOMPARE(TestSupport::readFile(d->home().file(u"voxadata/3-1.dat"_s)), dat);
    QCOMPARE(d->c().ClassLoaded, qint16(0));
}

void tst_NewClass::create_afterAnotherClass_startsWithEmptyRecords() {
    VOXA1& c = d->c();
    c.Pupil(1).PName = u"前の学級の子"_s;
    c.Pupil(1).SubjRate(1, 1) = 88.5;
    c.CalcMark(1, 1) = u"O"_s;
    c.SdtReserved = 7;
    c.PassWord = u"OLD0000000"_s;
    c.SheetSetup(1, 2).set(1, 'F');
    openNewClass();
    enterClass(u"4"_s, u"2"_s);
    for (int i = 0; i < 3; ++i)
        MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxNew"_s, u"Command3D3"_s);
    VOXA1 back;
    back.ClassPath = u"C:\\voxadata\\4-2"_s;
    back.ClassSize = 42;
    const QByteArray dat = TestSupport::readFile(d->home().file(u"voxadata/4-2.dat"_s));
    PupilRec first;
    QVERIFY(ClassFiles::readRecord(dat, 0, first));
    QVERIFY(first == PupilRec());
    QCOMPARE(c.CalcMark(1, 1), QString());
    // The new class has no password, no allocations and a reserved value of 0 of its own.
    QCOMPARE(c.SdtReserved, qint16(0));
    QCOMPARE(c.PassWord.str(), u"0000000000"_s);
    QCOMPARE(int(c.SheetSetup(1, 2).at(1)), int(' '));
}

void tst_NewClass::cancel_keepsTheLoadedClass() {
    VOXA1& c = d->c();
    c.ClassName = u"5年1組"_s;
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    c.ClassLoaded = 1;
    openNewClass();
    enterClass(u"3"_s, u"1"_s);
    d->click(u"vxNew"_s, u"Command3D2"_s);
    QCOMPARE(c.ClassName, u"5年1組"_s);
    QCOMPARE(c.ClassPath, u"C:\\voxadata\\5-1"_s);
    QVERIFY(!d->forms().isLoaded(u"vxNew"_s));
}

void tst_NewClass::create_inTheFolderShownAsChosen_data() {
    QTest::addColumn<QString>("click");  // a line clicked once before ﾃﾞｰﾀ作成 (none: as opened)
    QTest::addColumn<QString>("folder"); // where the class is made, under the home folder
    QTest::newRow("the data folder, as opened") << QString() << u"voxadata"_s;
    QTest::newRow("a subfolder clicked once") << u"C:\\voxadata\\2026"_s << u"voxadata/2026"_s;
}

void tst_NewClass::create_inTheFolderShownAsChosen() {
    QFETCH(QString, click);
    QFETCH(QString, folder);
    QDir(d->home().path()).mkpath(u"voxadata/2026"_s);
    openNewClass();
    d->type(u"vxNew"_s, u"Text2"_s, u"4"_s);
    d->type(u"vxNew"_s, u"Text3"_s, u"2"_s);
    auto* dir = d->find<FolderList>(u"vxNew"_s, u"Dir1"_s);
    QCOMPARE(dir->path(), u"C:\\voxadata"_s);
    // Ready at once: the folder shown as chosen is named before anything is pressed.
    QCOMPARE(label(u"Label5"_s), u"C:\\voxadata\\4-2.*"_s);
    if (!click.isEmpty()) {
        for (int i = 0; i < dir->count(); ++i)
            if (dir->item(i)->data(Qt::UserRole).toString() == click) {
                QTest::mouseClick(dir->viewport(), Qt::LeftButton, {},
                                  dir->visualItemRect(dir->item(i)).center());
                break;
            }
        QCOMPARE(label(u"Label5"_s), click + u"\\4-2.*"_s);
    }
    // A first ﾃﾞｰﾀ作成 cancelled at the question; the boxes still filled, a folder change goes on.
    MsgBox::queueAnswer(MsgBox::Cancel);
    MsgBox::queueAnswer(MsgBox::Ok);
    d->click(u"vxNew"_s, u"Command3D3"_s);
    QCOMPARE(MsgBox::shown().last().text,
             u"ドライブやフォルダを指定して、正しい情報をマウスで入力してください"_s);
    const int shown = int(MsgBox::shown().size());
    if (!click.isEmpty())
        QTest::mouseClick(dir->viewport(), Qt::LeftButton, {},
                          dir->visualItemRect(dir->currentItem()).center());
    QCOMPARE(int(MsgBox::shown().size()), shown);
    MsgBox::queueAnswer(MsgBox::Ok); // 作っていいですか
    MsgBox::queueAnswer(MsgBox::Ok); // 作成します
    MsgBox::queueAnswer(MsgBox::Ok); // 作成しました
    d->click(u"vxNew"_s, u"Command3D3"_s);
    QVERIFY(QFileInfo::exists(d->home().file(folder + u"/4-2.dat"_s)));
    QVERIFY(!QFileInfo::exists(d->home().file(u"4-2.dat"_s)));
}

QTEST_MAIN(tst_NewClass)
#include "tst_NewClass.moc"

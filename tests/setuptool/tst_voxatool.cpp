#include "TestSupport.h"
#include "controls/Forms.h"
#include "core/IniFile.h"
#include "platform/DosPath.h"
#include "platform/MsgBox.h"
#include "platform/Program.h"
#include "setuptool/CatnForm.h"
#include "setuptool/vxtlform.h"

#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
const QByteArray kDosV = "\"C:\\voxadata\"\r\n\"0\"\r\n";
const QByteArray kNec = "\"A:\\voxadata\"\r\n\"0\"\r\n";
} // namespace

class tst_voxatool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void enterThreeTimes_writesDosVLinesAndFolder();
    void run_options_data();
    void run_options();
    void run_existingFolder_isFine();
    void quitAndCancel_writeNothing_data();
    void quitAndCancel_writeNothing();
    void run_necWithoutRemovableDrive_saysSoAfterWritingTheFile();
    void settingsFile_besideTheProgramOrInTheUsersConfig_data();
    void settingsFile_besideTheProgramOrInTheUsersConfig();

private:
    void pressEnter(const QString& tag);
    template <class T> T* child(const QString& tag, const QString& name) {
        Form* f = forms->find(tag);
        return f ? f->findChild<T*>(name) : nullptr;
    }
    QByteArray ini() const { return TestSupport::readFile(home->file(u"voxa.ini"_s)); }

    std::unique_ptr<TestSupport::TempHome> home;
    std::unique_ptr<Forms> forms;
};

void tst_voxatool::init() {
    TestSupport::useTestDoubles();
    home = std::make_unique<TestSupport::TempHome>();
    forms = std::make_unique<Forms>();
    forms->registerForm(u"CatnForm"_s, [](Forms& f) { return new CatnForm(f); });
    forms->registerForm(u"vxtlform"_s, [](Forms& f) { return new vxtlform(f); });
    forms->show(u"CatnForm"_s);
}

void tst_voxatool::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
    forms.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_voxatool::settingsFile_besideTheProgramOrInTheUsersConfig_data() {
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<bool>("besideExists");
    QTest::addColumn<bool>("inConfig");
    QTest::newRow("built or copied program") << true << false << false;
    QTest::newRow("a voxa.ini beside it that can be written") << true << true << false;
    QTest::newRow("installed program") << false << false << true;
    QTest::newRow("installed, a read-only voxa.ini beside it") << false << true << true;
}

void tst_voxatool::settingsFile_besideTheProgramOrInTheUsersConfig() {
    QFETCH(bool, folderWritable);
    QFETCH(bool, besideExists);
    QFETCH(bool, inConfig);
    qunsetenv("XDG_CONFIG_HOME");
    const QByteArray old = "\"D:\\old\"\r\n0\r\n";
    if (besideExists)
        TestSupport::writeFile(home->file(u"voxa.ini"_s), old);
    Program::setFolderWritableForTest(folderWritable);
    const QString config = home->file(u".config/voxa2003/voxa.ini"_s);
    QCOMPARE(Program::settingsFile(), inConfig ? config : home->file(u"voxa.ini"_s));

    // The setup tool writes it there, and the grade book reads it from there.
    pressEnter(u"CatnForm"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    pressEnter(u"vxtlform"_s);
    QCOMPARE(MsgBox::shown().last().text, u"実行しました"_s);
    QCOMPARE(TestSupport::readFile(inConfig ? config : home->file(u"voxa.ini"_s)), kDosV);
    QCOMPARE(QFileInfo::exists(config), inConfig);
    if (besideExists && inConfig)
        QCOMPARE(ini(), old);
    QCOMPARE(IniFile::read().DataFolder, u"C:\\voxadata"_s);
    QVERIFY(IniFile::write({u"C:\\成績"_s, 1}));
    QCOMPARE(IniFile::read().PassHidden, qint16(1));
    QCOMPARE(QFileInfo::exists(config), inConfig);
}

void tst_voxatool::pressEnter(const QString& tag) {
    Form* f = forms->find(tag);
    QVERIFY(f);
    QTest::keyClick(f, Qt::Key_Return);
}

void tst_voxatool::enterThreeTimes_writesDosVLinesAndFolder() {
    pressEnter(u"CatnForm"_s);
    QVERIFY(forms->find(u"vxtlform"_s) && forms->find(u"vxtlform"_s)->isVisible());
    QVERIFY(!forms->find(u"CatnForm"_s)->isVisible());
    MsgBox::queueAnswer(MsgBox::Ok); // the third Enter, on the closing message
    pressEnter(u"vxtlform"_s);
    QCOMPARE(MsgBox::shown().size(), 1);
    QCOMPARE(MsgBox::shown()[0].text, u"実行しました"_s);
    QCOMPARE(MsgBox::shown()[0].title, u"VoxaTool"_s);
    QVERIFY(Program::hasEnded());
    QCOMPARE(ini(), kDosV);
    QVERIFY(QFileInfo(home->file(u"voxadata"_s)).isDir());
}

void tst_voxatool::run_options_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("untouched: DOS/V") << QList<int>{} << kDosV;
    QTest::newRow("NEC 98 then DOS/V") << QList<int>{1, 0} << kDosV;
    QTest::newRow("DOS/V clicked") << QList<int>{0} << kDosV;
    QTest::newRow("NEC 98") << QList<int>{1} << kNec;
}

void tst_voxatool::run_options() {
    QFETCH(QList<int>, clicks);
    QFETCH(QByteArray, written);
    QTest::mouseClick(child<QPushButton>(u"CatnForm"_s, u"Command1"_s), Qt::LeftButton);
    for (int i : clicks)
        QTest::mouseClick(child<QRadioButton>(u"vxtlform"_s, u"Option1(%1)"_s.arg(i)), Qt::LeftButton,
                          Qt::NoModifier, QPoint(5, 5));
    MsgBox::queueAnswer(MsgBox::Ok);
    QTest::mouseClick(child<QPushButton>(u"vxtlform"_s, u"Command1"_s), Qt::LeftButton);
    QCOMPARE(ini(), written);
    QVERIFY(Program::hasEnded());
}

void tst_voxatool::run_existingFolder_isFine() {
    QVERIFY(QDir(home->path()).mkdir(u"voxadata"_s));
    TestSupport::writeFile(home->file(u"voxadata/5-1.sdt"_s), "keep");
    TestSupport::writeFile(home->file(u"voxa.ini"_s), "\"C:\\old\\\"\r\n1\r\n");
    pressEnter(u"CatnForm"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    pressEnter(u"vxtlform"_s);
    QCOMPARE(MsgBox::shown()[0].text, u"実行しました"_s);
    QCOMPARE(ini(), kDosV);
    QCOMPARE(TestSupport::readFile(home->file(u"voxadata/5-1.sdt"_s)), QByteArray("keep"));
}

void tst_voxatool::quitAndCancel_writeNothing_data() {
    QTest::addColumn<bool>("fromSetupWindow");
    QTest::newRow("やめる") << false;
    QTest::newRow("キャンセル") << true;
}

void tst_voxatool::quitAndCancel_writeNothing() {
    QFETCH(bool, fromSetupWindow);
    if (fromSetupWindow) {
        pressEnter(u"CatnForm"_s);
        QCOMPARE(child<QPushButton>(u"vxtlform"_s, u"Command2"_s)->text(), u"キャンセル"_s);
        QTest::mouseClick(child<QPushButton>(u"vxtlform"_s, u"Command2"_s), Qt::LeftButton);
    } else {
        QCOMPARE(child<QPushButton>(u"CatnForm"_s, u"Command2"_s)->text(), u"やめる"_s);
        QTest::mouseClick(child<QPushButton>(u"CatnForm"_s, u"Command2"_s), Qt::LeftButton);
    }
    QVERIFY(Program::hasEnded());
    QCOMPARE(QDir(home->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(MsgBox::shown().size(), 0);
}

void tst_voxatool::run_necWithoutRemovableDrive_saysSoAfterWritingTheFile() {
    if (DosPath::driveReady(u'A'))
        QSKIP("this machine has a removable volume mounted");
    pressEnter(u"CatnForm"_s);
    QTest::mouseClick(child<QRadioButton>(u"vxtlform"_s, u"Option1(1)"_s), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, 5));
    MsgBox::queueAnswer(MsgBox::Ok);
    pressEnter(u"vxtlform"_s);
    QCOMPARE(ini(), kNec);
    // The grade book, started from the same folder, takes the folder from the file.
    QCOMPARE(IniFile::read().DataFolder, u"A:\\voxadata"_s);
    QCOMPARE(IniFile::read().PassHidden, qint16(0));
    QCOMPARE(MsgBox::shown().size(), 1);
    const QString text = MsgBox::shown()[0].text;
    QVERIFY2(text.contains(u"A:\\voxadata"_s) && text.contains(u"作れませんでした"_s), qPrintable(text));
    QVERIFY(Program::hasEnded());
}

QTEST_MAIN(tst_voxatool)
#include "tst_voxatool.moc"

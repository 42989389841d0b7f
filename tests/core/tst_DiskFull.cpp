// A full disk must never empty a file nor be reported as a success: every place that writes a
// file is tried with writes failing as on a full disk, and the file on the disk must be byte for
// byte what it was.

#include "TestSupport.h"
#include "classfiles/ClassCopy.h"
#include "core/ClassFiles.h"
#include "core/IniFile.h"
#include "core/VOXA1.h"
#include "platform/MsgBox.h"
#include "setuptool/SetupFiles.h"

#include <QDir>
#include <QtTest>

#include <functional>

using namespace Qt::StringLiterals;
using TestSupport::readFile;

class tst_DiskFull : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void write_onFullDisk_failsAndKeepsTheOldFile_data();
    void write_onFullDisk_failsAndKeepsTheOldFile();
    void copy_onFullDisk_leavesEveryDestinationFileAsItWas();
    void copy_missingSourceFile_copiesNothing();
    void copy_keepsTheSourceModificationTimes();

private:
    // A saved class of three pupils in C:\voxadata\3-1.
    void writeClass(const QString& folder);

    std::unique_ptr<TestSupport::TempHome> home;
    VOXA1 c;
};

void tst_DiskFull::init() {
    TestSupport::useTestDoubles();
    home = std::make_unique<TestSupport::TempHome>();
    c = VOXA1();
    writeClass(u"voxadata"_s);
}

void tst_DiskFull::writeClass(const QString& folder) {
    QDir(home->path()).mkpath(folder);
    c.ClassPath = u"C:\\"_s + folder + u"\\3-1"_s;
    c.SchoolName = u"みなと小学校"_s;
    c.CurTerm = 1;
    c.ClassSize = 3;
    c.PassWord = u"0000000000"_s;
    for (int i = 1; i <= 3; ++i) {
        c.RecNo(i) = QString::number(i);
        c.Pupil(i).PName = u"生徒%1"_s.arg(i);
    }
    QVERIFY(c.SaveClass());
    QVERIFY(IniFile::write({u"C:\\voxadata\\"_s, 0}));
}

void tst_DiskFull::write_onFullDisk_failsAndKeepsTheOldFile_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<std::function<bool(VOXA1&)>>("write");
    QTest::addColumn<bool>("tellsTheTeacher");
    // The class files: each save is told to the teacher by the save itself.
    QTest::newRow("settings .sdt") << u"voxadata/3-1.sdt"_s << std::function<bool(VOXA1&)>([](VOXA1& k) {
        k.SchoolName = u"別の学校"_s;
        return k.SaveSettings();
    }) << true;
    QTest::newRow("index .eix") << u"voxadata/3-1.eix"_s << std::function<bool(VOXA1&)>([](VOXA1& k) {
        k.RecNo(1) = u"9"_s;
        return k.SaveIndex();
    }) << true;
    QTest::newRow("pupils .dat") << u"voxadata/3-1.dat"_s << std::function<bool(VOXA1&)>([](VOXA1& k) {
        k.Pupil(1).PName = u"別の名前"_s;
        return k.SavePupils();
    }) << true;
    QTest::newRow("voxa.ini") << u"voxa.ini"_s << std::function<bool(VOXA1&)>([](VOXA1&) {
        return IniFile::write({u"C:\\other\\"_s, 1});
    }) << false;
    QTest::newRow("voxa.ini of the setup tool") << u"voxa.ini"_s << std::function<bool(VOXA1&)>([](VOXA1&) {
        return SetupFiles::writeIni(SetupFiles::Machine::Nec98);
    }) << false;
    QTest::newRow("copy onto an older copy") << u"copy/3-1.sdt"_s << std::function<bool(VOXA1&)>([](VOXA1&) {
        return ClassCopy::copyAll(u"C:\\voxadata\\3-1"_s, u"C:\\copy\\3-1"_s).isEmpty();
    }) << false;
}

void tst_DiskFull::write_onFullDisk_failsAndKeepsTheOldFile() {
    QFETCH(QString, file);
    QFETCH(std::function<bool(VOXA1&)>, write);
    QFETCH(bool, tellsTheTeacher);
    // An older copy of the class, different from the class in the data folder.
    QDir(home->path()).mkpath(u"copy"_s);
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        TestSupport::writeFile(home->file(u"copy/3-1"_s + ext), "old " + ext.toLatin1());
    const QByteArray before = readFile(home->file(file));
    QVERIFY(!before.isEmpty());
    bool ok = true;
    {
        TestSupport::DiskFull full;
        ok = write(c);
    }
    QVERIFY2(!ok, "a write on a full disk was reported as done");
    QCOMPARE(readFile(home->file(file)), before);
    if (tellsTheTeacher) {
        QCOMPARE(MsgBox::shown().size(), 1);
        QVERIFY(MsgBox::shown().first().text.contains(u"ファイルに書き込めませんでした。"_s));
    }
    // No temporary file is left behind.
    const QFileInfo fi(home->file(file));
    QCOMPARE(QDir(fi.path()).entryList(QDir::Files).filter(u"3-1"_s).size() +
                 QDir(fi.path()).entryList(QDir::Files).filter(u"voxa.ini"_s).size(),
             QDir(fi.path()).entryList(QDir::Files).size());
}

void tst_DiskFull::copy_onFullDisk_leavesEveryDestinationFileAsItWas() {
    QDir(home->path()).mkpath(u"copy"_s);
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        TestSupport::writeFile(home->file(u"copy/3-1"_s + ext), "old " + ext.toLatin1());
    QString message;
    {
        TestSupport::DiskFull full;
        message = ClassCopy::copyAll(u"C:\\voxadata\\3-1"_s, u"C:\\copy\\3-1"_s);
    }
    QVERIFY(message.contains(u"C:\\copy\\3-1.dat"_s));
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        QCOMPARE(readFile(home->file(u"copy/3-1"_s + ext)), "old " + ext.toLatin1());
    QCOMPARE(QDir(home->file(u"copy"_s)).entryList(QDir::Files).size(), 3);
}

void tst_DiskFull::copy_missingSourceFile_copiesNothing() {
    QVERIFY(QFile::remove(home->file(u"voxadata/3-1.eix"_s)));
    QDir(home->path()).mkpath(u"copy"_s);
    const QString message = ClassCopy::copyAll(u"C:\\voxadata\\3-1"_s, u"C:\\copy\\3-1"_s);
    QVERIFY(message.contains(u"C:\\voxadata\\3-1.eix がありません。"_s));
    QVERIFY(QDir(home->file(u"copy"_s)).entryList(QDir::Files).isEmpty());
}

void tst_DiskFull::copy_keepsTheSourceModificationTimes() {
    const QDateTime past = QDateTime(QDate(2025, 3, 14), QTime(9, 30, 15));
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s}) {
        QFile f(home->file(u"voxadata/3-1"_s + ext));
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(past, QFileDevice::FileModificationTime));
    }
    QDir(home->path()).mkpath(u"copy"_s);
    QCOMPARE(ClassCopy::copyAll(u"C:\\voxadata\\3-1"_s, u"C:\\copy\\3-1"_s), QString());
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s}) {
        QCOMPARE(readFile(home->file(u"copy/3-1"_s + ext)), readFile(home->file(u"voxadata/3-1"_s + ext)));
        QCOMPARE(QFileInfo(home->file(u"copy/3-1"_s + ext)).lastModified(), past);
    }
}

QTEST_GUILESS_MAIN(tst_DiskFull)
#include "tst_DiskFull.moc"

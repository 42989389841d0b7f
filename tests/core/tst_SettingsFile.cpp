#include "TestSupport.h"
#include "core/IniFile.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class tst_SettingsFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void read_data();
    void read();
    void write_bytesAreTheTwoLines();

private:
    std::unique_ptr<TestSupport::TempHome> home;
};

void tst_SettingsFile::init() {
    TestSupport::useTestDoubles();
    home = std::make_unique<TestSupport::TempHome>();
}

void tst_SettingsFile::read_data() {
    QTest::addColumn<QByteArray>("content"); // "-" for no file
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("passHidden");
    QTest::newRow("missing file: DOS/V default") << QByteArray("-") << u"C:\\voxadata"_s << 0;
    QTest::newRow("one line only keeps the folder") << QByteArray("\"D:\\data\"\r\n") << u"D:\\data"_s << 0;
    QTest::newRow("second line a word keeps the folder")
        << QByteArray("\"D:\\data\"\r\nyes\r\n") << u"D:\\data"_s << 0;
    QTest::newRow("second line 7 keeps the folder")
        << QByteArray("\"D:\\data\"\r\n7\r\n") << u"D:\\data"_s << 0;
    QTest::newRow("first line empty") << QByteArray("\"\"\r\n1\r\n") << u"C:\\voxadata"_s << 0;
    QTest::newRow("empty") << QByteArray() << u"C:\\voxadata"_s << 0;
    QTest::newRow("setup tool's quoted 0")
        << QByteArray("\"A:\\voxadata\"\r\n\"0\"\r\n") << u"A:\\voxadata"_s << 0;
    QTest::newRow("folder a lone lead byte, no text")
        << QByteArray("\xe6\r\n1\r\n") << u"C:\\voxadata"_s << 0;
    QTest::newRow("bare 1") << QByteArray("\"C:\\\"\r\n1\r\n") << u"C:\\"_s << 1;
    QTest::newRow("folder with a Japanese name")
        << (QByteArray("\"C:\\") + TestSupport::sjis(u"成績"_s) + "\\\"\r\n0\r\n") << u"C:\\成績\\"_s << 0;
}

void tst_SettingsFile::read() {
    QFETCH(QByteArray, content);
    QFETCH(QString, folder);
    QFETCH(int, passHidden);
    if (content != "-")
        TestSupport::writeFile(home->file(u"voxa.ini"_s), content);
    const IniFile::Settings s = IniFile::read();
    QCOMPARE(s.DataFolder, folder);
    QCOMPARE(int(s.PassHidden), passHidden);
}

void tst_SettingsFile::write_bytesAreTheTwoLines() {
    QVERIFY(IniFile::write({u"C:\\voxadata\\"_s, 1}));
    QCOMPARE(TestSupport::readFile(home->file(u"voxa.ini"_s)), QByteArray("\"C:\\voxadata\\\"\r\n1\r\n"));
    QCOMPARE(IniFile::read().DataFolder, u"C:\\voxadata\\"_s);
}

QTEST_GUILESS_MAIN(tst_SettingsFile)
#include "tst_SettingsFile.moc"

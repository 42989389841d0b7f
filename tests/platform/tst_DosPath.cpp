#include "platform/DosPath.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_DosPath : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void toNative_mapsDrives_data();
    void toNative_mapsDrives();
    void toNative_existingNameInOtherCase_resolvesToIt();
    void toNative_unknownDrive_isNotReady();
    void join_driveRootKeepsOneBackslash_data();
    void join_driveRootKeepsOneBackslash();
    void fromNative_homeIsDriveC();

private:
    QTemporaryDir m_home;
    QByteArray m_oldHome;
};

void tst_DosPath::initTestCase() {
    m_oldHome = qgetenv("HOME");
    qputenv("HOME", m_home.path().toLocal8Bit());
    QDir(m_home.path()).mkpath(u"voxadata/Sub"_s);
}

void tst_DosPath::cleanupTestCase() {
    qputenv("HOME", m_oldHome);
}

void tst_DosPath::toNative_mapsDrives_data() {
    QTest::addColumn<QString>("dos");
    QTest::addColumn<QString>("relativeToHome");
    QTest::newRow("drive root") << u"C:\\"_s << QString();
    QTest::newRow("data folder") << u"C:\\voxadata"_s << u"/voxadata"_s;
    QTest::newRow("class file") << u"C:\\voxadata\\3-1.sdt"_s << u"/voxadata/3-1.sdt"_s;
    QTest::newRow("lower-case drive") << u"c:\\voxadata"_s << u"/voxadata"_s;
    QTest::newRow("folder with final backslash") << u"C:\\voxadata\\"_s << u"/voxadata"_s;
}

void tst_DosPath::toNative_mapsDrives() {
    QFETCH(QString, dos);
    QFETCH(QString, relativeToHome);
    QCOMPARE(DosPath::toNative(dos),
             relativeToHome.isEmpty() ? m_home.path() : m_home.path() + relativeToHome);
}

void tst_DosPath::toNative_existingNameInOtherCase_resolvesToIt() {
    QCOMPARE(DosPath::toNative(u"C:\\VOXADATA\\sub\\3-1.DAT"_s), m_home.path() + u"/voxadata/Sub/3-1.DAT"_s);
    QCOMPARE(DosPath::toNative(u"Z:\\"_s), u"/"_s);
}

void tst_DosPath::toNative_unknownDrive_isNotReady() {
    QCOMPARE(DosPath::toNative(u"Q:\\voxadata"_s), QString());
    QVERIFY(!DosPath::driveReady(u'Q'));
    QVERIFY(DosPath::driveReady(u'C'));
    QCOMPARE(DosPath::toNative(u"/tmp/x/3-1"_s), u"/tmp/x/3-1"_s);
}

void tst_DosPath::join_driveRootKeepsOneBackslash_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("joined");
    QTest::newRow("root") << u"C:\\"_s << u"C:\\3-1"_s;
    QTest::newRow("folder") << u"C:\\voxadata"_s << u"C:\\voxadata\\3-1"_s;
    QTest::newRow("folder with backslash") << u"A:\\voxadata\\"_s << u"A:\\voxadata\\3-1"_s;
}

void tst_DosPath::join_driveRootKeepsOneBackslash() {
    QFETCH(QString, folder);
    QFETCH(QString, joined);
    QCOMPARE(DosPath::join(folder, u"3-1"_s), joined);
}

void tst_DosPath::fromNative_homeIsDriveC() {
    QCOMPARE(DosPath::fromNative(m_home.path() + u"/voxadata"_s), u"C:\\voxadata"_s);
    QCOMPARE(DosPath::fromNative(m_home.path()), u"C:\\"_s);
    QCOMPARE(DosPath::fromNative(u"/usr/share"_s), u"Z:\\usr\\share"_s);
}

QTEST_GUILESS_MAIN(tst_DosPath)
#include "tst_DosPath.moc"

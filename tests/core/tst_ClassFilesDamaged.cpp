// Damaged class files: the teacher is told which file, and the class in memory stays exactly as it was.

#include "TestSupport.h"
#include "core/ClassFiles.h"
#include "core/VOXA1.h"
#include "platform/MsgBox.h"
#include "termcalc/TermView.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

class tst_ClassFilesDamaged : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { init(); }
    void init();
    void loadClass_damagedFile_tellsAndKeepsMemory_data();
    void loadClass_damagedFile_tellsAndKeepsMemory();
    void loadClass_classSizeZero_readsNoPupilFiles();
    void loadClass_clearsPositionsBeyondTheRoster();
    void saveSettings_unwritableFolder_reportsAndKeepsOldFile();
    void loadClass_impossibleValue_loadsWithNoticeAndBlanks_data();
    void loadClass_impossibleValue_loadsWithNoticeAndBlanks();

private:
    // A saved class of three pupils, and a second class in memory that must survive a failed load.
    void writeClass();
    std::unique_ptr<TestSupport::TempHome> home;
};

void tst_ClassFilesDamaged::init() {
    TestSupport::useTestDoubles();
    home = std::make_unique<TestSupport::TempHome>();
    writeClass();
}

void tst_ClassFilesDamaged::writeClass() {
    VOXA1 c;
    c.ClassPath = u"C:\\4-2"_s;
    c.ClassSize = 3;
    c.CurTerm = 1;
    for (int i = 1; i <= 3; ++i) {
        c.RecNo(i) = QString::number(i);
        c.Pupil(i).PName = u"生徒%1"_s.arg(i);
        c.Pupil(i).Sex = u"1"_s;
    }
    QVERIFY(c.SaveClass());
}

void tst_ClassFilesDamaged::loadClass_damagedFile_tellsAndKeepsMemory_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content"); // empty: the file is removed
    QTest::addColumn<QString>("told");

    const QByteArray dat = TestSupport::readFile(home->file(u"4-2.dat"_s));
    const QByteArray eix = TestSupport::readFile(home->file(u"4-2.eix"_s));
    const QByteArray sdt = TestSupport::readFile(home->file(u"4-2.sdt"_s));

    QTest::newRow("dat cut inside the last record")
        << u"4-2.dat"_s << dat.left(2 * 3106 + 1000) << u"壊れている"_s;
    QTest::newRow("dat cut before the last record's tail")
        << u"4-2.dat"_s << dat.left(3 * 3106 - 3) << u"壊れている"_s;
    QTest::newRow("dat missing") << u"4-2.dat"_s << QByteArray() << u"見つかりません"_s;
    QTest::newRow("eix missing") << u"4-2.eix"_s << QByteArray() << u"見つかりません"_s;
    QTest::newRow("eix shorter than the roster") << u"4-2.eix"_s << eix.left(10) << u"壊れている"_s;
    QByteArray zero = eix;
    zero.replace(4, 4, QByteArray("\x02\x00 0", 4));
    QTest::newRow("record number \" 0\"") << u"4-2.eix"_s << zero << u"出席番号 2"_s;
    QByteArray blank = eix;
    blank.replace(8, 4, QByteArray(4, '\0'));
    QTest::newRow("record number blank") << u"4-2.eix"_s << blank << u"出席番号 3"_s;
    QByteArray longLen = eix;
    longLen.replace(0, 2, QByteArray("\x07\x00", 2));
    QTest::newRow("index text longer than 2") << u"4-2.eix"_s << longLen << u"壊れている"_s;
    QByteArray twice = eix;
    twice.replace(8, 4,
                  QByteArray("\x01\x00"
                             "1\x00",
                             4));
    QTest::newRow("two pupils on record 1") << u"4-2.eix"_s << twice << u"出席番号 1 と 3 の記録番号が同じ"_s;
    const QList<QByteArray> lines = sdt.split('\n');
    QTest::newRow("sdt with 100 lines") << u"4-2.sdt"_s << lines.mid(0, 100).join('\n') + '\n'
                                        << u"壊れている"_s;
    QTest::newRow("sdt missing") << u"4-2.sdt"_s << QByteArray() << u"見つかりません"_s;
    QByteArray badInt = sdt;
    badInt.replace(0, 1, "x");
    QTest::newRow("sdt with a word for a number") << u"4-2.sdt"_s << badInt << u"壊れている"_s;
    QByteArray bigClass = sdt;
    bigClass.replace(bigClass.indexOf(",1,3\r\n"), 6, ",1,43\r\n");
    QTest::newRow("sdt with 43 pupils") << u"4-2.sdt"_s << bigClass << u"壊れている"_s;
    QByteArray open = sdt.left(sdt.lastIndexOf('"'));
    QTest::newRow("sdt ending inside a quote") << u"4-2.sdt"_s << open << u"壊れている"_s;
    QTest::newRow("sdt empty file") << u"4-2.sdt"_s << QByteArray(" ") << u"壊れている"_s;
    QByteArray badSex = dat;
    badSex.replace(3106 + 2, 2, QByteArray("\xff\x00", 2));
    QTest::newRow("dat with a sex length of 255") << u"4-2.dat"_s << badSex << u"壊れている"_s;
}

void tst_ClassFilesDamaged::loadClass_damagedFile_tellsAndKeepsMemory() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, told);
    if (content.isEmpty())
        QVERIFY(QFile::remove(home->file(file)));
    else
        TestSupport::writeFile(home->file(file), content);

    VOXA1 c;
    c.ClassName = u"1年1組"_s;
    c.ClassPath = u"C:\\4-2"_s;
    c.ClassSize = 1;
    c.RecNo(1) = u"1"_s;
    c.Pupil(1).PName = u"前の学級の子"_s;
    c.SchoolName = u"前の学校"_s;
    const VOXA1 before = c;

    MsgBox::queueAnswer(MsgBox::Ok);
    QVERIFY(!c.LoadClass());
    QCOMPARE(MsgBox::shown().size(), 1);
    const QString text = MsgBox::shown()[0].text;
    QVERIFY2(text.contains(told), qPrintable(text));
    QVERIFY2(text.contains(u"C:\\4-2"_s), qPrintable(text));
    QCOMPARE(c.SchoolName.str(), before.SchoolName.str());
    QCOMPARE(c.ClassSize, before.ClassSize);
    QVERIFY(c.Pupil(1) == before.Pupil(1));
    QCOMPARE(c.RecNo(1), before.RecNo(1));
}

void tst_ClassFilesDamaged::loadClass_classSizeZero_readsNoPupilFiles() {
    VOXA1 c;
    c.ClassPath = u"C:\\4-2"_s;
    QVERIFY(c.LoadSettings());
    c.ClassSize = 0;
    QVERIFY(c.SaveSettings());
    QVERIFY(QFile::remove(home->file(u"4-2.dat"_s)));
    QVERIFY(QFile::remove(home->file(u"4-2.eix"_s)));
    VOXA1 back;
    back.ClassPath = c.ClassPath;
    QVERIFY(back.LoadClass());
    QCOMPARE(MsgBox::shown().size(), 0);
}

void tst_ClassFilesDamaged::loadClass_clearsPositionsBeyondTheRoster() {
    VOXA1 c;
    c.ClassPath = u"C:\\4-2"_s;
    for (int i = 1; i <= 10; ++i) {
        c.RecNo(i) = QString::number(i);
        c.Pupil(i).PName = u"別の学級"_s;
    }
    QVERIFY(c.LoadClass());
    QCOMPARE(c.Pupil(3).PName.str().trimmed(), u"生徒3"_s);
    QCOMPARE(c.Pupil(4).PName.str().trimmed(), QString());
    QCOMPARE(c.RecNo(4), QString());
    QCOMPARE(c.Pupil(4).Sex, u"0"_s);
}

void tst_ClassFilesDamaged::saveSettings_unwritableFolder_reportsAndKeepsOldFile() {
    VOXA1 c;
    c.ClassPath = u"C:\\no such folder\\4-2"_s;
    MsgBox::queueAnswer(MsgBox::Ok);
    QVERIFY(!c.SaveSettings());
    QVERIFY(MsgBox::shown()[0].text.contains(u"書き込めません"_s));

    c.ClassPath = u"Q:\\4-2"_s;
    MsgBox::queueAnswer(MsgBox::Ok);
    QVERIFY(!c.SavePupils());
    QCOMPARE(MsgBox::shown().size(), 2);
}

void tst_ClassFilesDamaged::loadClass_impossibleValue_loadsWithNoticeAndBlanks_data() {
    QTest::addColumn<QString>("field"); // "CurTerm", "SubjRate", "SubjDev", "SubjScore"
    QTest::addColumn<double>("stored");
    QTest::addColumn<bool>("told");
    QTest::addColumn<bool>("blanked");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("term 7") << u"CurTerm"_s << 7.0 << true << false;
    QTest::newRow("term 0") << u"CurTerm"_s << 0.0 << true << false;
    QTest::newRow("term 3") << u"CurTerm"_s << 3.0 << false << false;
    QTest::newRow("rate 100") << u"SubjRate"_s << 100.0 << false << false;
    QTest::newRow("rate 100.04, rounding") << u"SubjRate"_s << 100.04 << false << false;
    QTest::newRow("rate 100.2") << u"SubjRate"_s << 100.2 << true << true;
    QTest::newRow("rate -0.1") << u"SubjRate"_s << -0.1 << true << true;
    QTest::newRow("rate NaN") << u"SubjRate"_s << nan << true << true;
    QTest::newRow("deviation 113.9") << u"SubjDev"_s << 113.9 << false << false;
    QTest::newRow("deviation -14") << u"SubjDev"_s << -14.0 << false << false;
    QTest::newRow("deviation 130") << u"SubjDev"_s << 130.0 << true << true;
    QTest::newRow("deviation infinite") << u"SubjDev"_s << inf << true << true;
    QTest::newRow("total -5") << u"SubjScore"_s << -5.0 << true << false;
    QTest::newRow("total 0") << u"SubjScore"_s << 0.0 << false << false;
}

void tst_ClassFilesDamaged::loadClass_impossibleValue_loadsWithNoticeAndBlanks() {
    QFETCH(QString, field);
    QFETCH(double, stored);
    QFETCH(bool, told);
    QFETCH(bool, blanked);
    VOXA1 c;
    c.ClassPath = u"C:\\4-2"_s;
    QVERIFY(c.LoadClass());
    if (field == u"CurTerm"_s)
        c.CurTerm = static_cast<qint16>(stored);
    else if (field == u"SubjRate"_s)
        c.Pupil(2).SubjRate(1, 3) = stored;
    else if (field == u"SubjDev"_s)
        c.Pupil(2).SubjDev(1, 3) = stored;
    else
        c.Pupil(2).SubjScore(1, 3) = static_cast<qint16>(stored);
    QCOMPARE(ClassFiles::saveClass(c), QString());
    const QByteArray datBefore = TestSupport::readFile(home->file(u"4-2.dat"_s));

    VOXA1 back;
    back.ClassPath = c.ClassPath;
    if (told)
        MsgBox::queueAnswer(MsgBox::Ok);
    QVERIFY(back.LoadClass());
    QCOMPARE(MsgBox::shown().size(), told ? 1 : 0);
    if (told) {
        const QString text = MsgBox::shown()[0].text;
        QVERIFY2(text.contains(field == u"CurTerm"_s ? u"C:\\4-2.sdt"_s : u"C:\\4-2.dat"_s),
                 qPrintable(text));
        QCOMPARE(MsgBox::shown()[0].icon, MsgBox::Information);
    }
    // The term is kept for the teacher to set again; an impossible result is blank in memory.
    if (field == u"CurTerm"_s)
        QCOMPARE(back.CurTerm, c.CurTerm);
    const double now = field == u"SubjDev"_s ? back.Pupil(2).SubjDev(1, 3) : back.Pupil(2).SubjRate(1, 3);
    if (field == u"SubjRate"_s || field == u"SubjDev"_s) {
        QCOMPARE(std::isnan(now), blanked);
        if (!blanked)
            QCOMPARE(now, stored);
    }
    if (field == u"SubjScore"_s) {
        // Shown blank on the term-end sheet, not as "-5".
        QCOMPARE(back.Pupil(2).SubjScore(1, 3), qint16(stored));
        back.CurTerm = 1;
        const QStringList lines = TermView::sheetLines(back, 2, 3, 1, 1);
        QVERIFY2(!lines.join(u'\n').contains(u"-5"_s), qPrintable(lines.join(u'\n')));
    }
    // Loading alone writes nothing.
    QCOMPARE(TestSupport::readFile(home->file(u"4-2.dat"_s)), datBefore);
}

QTEST_GUILESS_MAIN(tst_ClassFilesDamaged)
#include "tst_ClassFilesDamaged.moc"

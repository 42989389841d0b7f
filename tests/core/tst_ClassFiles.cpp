// The three class files byte for byte. Expected bytes are built here by hand from the layout, never
// taken from the code under test.

#include "TestSupport.h"
#include "core/ClassFiles.h"
#include "core/ScoreCode.h"
#include "core/VOXA1.h"
#include "platform/MsgBox.h"

#include <QtEndian>
#include <QtTest>

#include <bit>

using namespace Qt::StringLiterals;
using TestSupport::sjis;

namespace {

QByteArray le16(int v) {
    QByteArray b(2, '\0');
    qToLittleEndian(static_cast<quint16>(v), b.data());
    return b;
}
QByteArray le64(double v) {
    QByteArray b(8, '\0');
    qToLittleEndian(std::bit_cast<quint64>(v), b.data());
    return b;
}
// A quoted fixed text as the settings file holds it: the characters padded to the width, then
// converted.
QByteArray quoted(const QString& text, int width) {
    return '"' + sjis(text + QString(width - text.size(), u' ')) + '"';
}
QByteArray spaces(int n) {
    return QByteArray(n, ' ');
}

} // namespace

class tst_ClassFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void saveSettings_newClassFirstSave_writesTheExactFile();
    void saveSettings_quoteInsideTexts_isDoubledAndReadBack();
    void saveIndex_writesFiftyRecords();
    void savePupils_records_exactBytes_data();
    void savePupils_records_exactBytes();
    void savePupils_thenLoadClass_givesEveryValueBack();
    void savePupils_keepsRecordsOfPupilsWhoLeft();
    void savePupils_newClassFlag_blanksScores();
    void savePupils_classSizeZero_writesIndexOnly();
    void savePupils_recordNumberBroken_refusesAndWritesNothing_data();
    void savePupils_recordNumberBroken_refusesAndWritesNothing();
    void loadThenSave_unusedFieldsKeepEveryByte();
    void sampleClasses_loadAndSave_byteForByte_data();
    void sampleClasses_loadAndSave_byteForByte();
    void changedName_isWrittenAfresh();
    void record_readAndWrittenBack_everyByteAsRead_data();
    void record_readAndWrittenBack_everyByteAsRead();
    void loadClass_sampleClasses_readAsTheirJson_data();
    void loadClass_sampleClasses_readAsTheirJson();

private:
    std::unique_ptr<TestSupport::TempHome> home;
    VOXA1 c;
};

void tst_ClassFiles::init() {
    TestSupport::useTestDoubles();
    home = std::make_unique<TestSupport::TempHome>();
    c = VOXA1();
    c.ClassPath = u"C:\\3-1"_s;
}

void tst_ClassFiles::saveSettings_newClassFirstSave_writesTheExactFile() {
    c.NewClassFlag = 10;
    c.SchoolName = u"みなと小学校"_s;
    c.CityName = u"横浜市中区"_s;
    c.TeacherName = u"山本　恵子"_s;
    c.CopyFolder = u"A:\\"_s;
    c.CurTerm = 1;
    c.ClassSize = 30;
    c.ViewName(1, 1) = u"表現"_s;
    c.ViewName(3, 2) = u"技能"_s;
    c.PassWord = u"ABC0000000"_s;                               // set before the first save: kept
    c.SheetSetup(2, 3).set(1, ScoreCode::encodeAllocation(50)); // blanked by the first save
    QVERIFY(c.SaveSettings());

    QByteArray e;
    e += "0," + quoted(u"みなと小学校"_s, 20) + ',' + quoted(u"横浜市中区"_s, 20) + ',' +
         quoted(u"山本　恵子"_s, 20) + ',' + quoted(u"A:\\"_s, 20) + ",1,30\r\n";
    for (int s = 1; s <= 5; ++s)
        for (int v = 1; v <= 4; ++v) {
            QString name = (s == 1 && v == 1) ? u"表現"_s : (s == 3 && v == 2) ? u"技能"_s : QString();
            e += quoted(name, 8) + "\r\n";
        }
    e += "\"ABC0000000\"\r\n";
    for (int i = 0; i < 12; ++i)
        e += '"' + spaces(80) + "\"\r\n";
    for (int i = 0; i < 16 + 64 + 16; ++i)
        e += "\"\"\r\n";

    const QByteArray got = TestSupport::readFile(home->file(u"3-1.sdt"_s));
    QCOMPARE(got.count("\r\n"), 130);
    QCOMPARE(got, e);
    QCOMPARE(c.PassWord.str(), u"ABC0000000"_s);
}

void tst_ClassFiles::saveSettings_quoteInsideTexts_isDoubledAndReadBack() {
    c.SchoolName = u"\"みなと\"小"_s;
    c.SheetSetup(1, 1).set(1, ScoreCode::encodeAllocation(2)); // code 34, the double quote
    c.SheetSetup(1, 1).set(2, ScoreCode::encodeAllocation(97));
    c.SheetSetup(1, 1).set(3, ScoreCode::encodeAllocation(98));
    c.SheetSetup(1, 1).set(4, ScoreCode::encodeAllocation(99));
    c.SheetSetup(1, 1).set(5, ScoreCode::encodeAllocation(100));
    c.CalcMark(4, 1) = u"O"_s;
    QVERIFY(c.SaveSettings());

    const QByteArray got = TestSupport::readFile(home->file(u"3-1.sdt"_s));
    const QList<QByteArray> lines = got.split('\n');
    QVERIFY(lines[0].startsWith("0,\"\"\"" + sjis(u"みなと"_s) + "\"\"" + sjis(u"小"_s)));
    QCOMPARE(lines[22], QByteArray("\"\"\"\x81\x82\x83\x1f" + spaces(75) + "\"\r"));
    QCOMPARE(lines[34 + 12], QByteArray("\"O\"\r")); // CalcMark(4,1): line 47

    VOXA1 back;
    back.ClassPath = c.ClassPath;
    QVERIFY(back.LoadSettings());
    QCOMPARE(back.SchoolName.str(), c.SchoolName.str());
    QCOMPARE(back.SheetSetup(1, 1), c.SheetSetup(1, 1));
    QCOMPARE(back.SheetSetup(1, 1).value(1), 2);
    QCOMPARE(back.SheetSetup(1, 1).value(4), 99);
    QCOMPARE(back.SheetSetup(1, 1).value(5), 100);
    QCOMPARE(back.CalcMark(4, 1), u"O"_s);
    QCOMPARE(back.CalcMark(1, 1), QString());
}

void tst_ClassFiles::saveIndex_writesFiftyRecords() {
    c.RecNo(1) = u"1"_s;
    c.RecNo(2) = u"42"_s;
    c.RecNo(3) = u" 0"_s;
    QVERIFY(c.SaveIndex());
    QByteArray e;
    e += le16(1) + "1" + QByteArray(1, '\0');
    e += le16(2) + "42";
    e += le16(2) + " 0";
    for (int i = 4; i <= 50; ++i)
        e += le16(0) + QByteArray(2, '\0');
    QCOMPARE(TestSupport::readFile(home->file(u"3-1.eix"_s)).toHex(), e.toHex());
}

void tst_ClassFiles::savePupils_records_exactBytes_data() {
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QByteArray>("sexBytes");
    QTest::newRow("sex empty: 3104 bytes used") << QString() << QByteArray();
    QTest::newRow("sex 1: shifted by one") << u"1"_s << QByteArray("1");
    QTest::newRow("sex 2 with a pad byte less") << u"2"_s << QByteArray("2");
    QTest::newRow("sex of two characters") << u"12"_s << QByteArray("12");
}

void tst_ClassFiles::savePupils_records_exactBytes() {
    QFETCH(QString, sex);
    QFETCH(QByteArray, sexBytes);
    c.ClassSize = 1;
    c.RecNo(1) = u"2"_s;
    PupilRec& p = c.Pupil(1);
    p.RecHead = -2;
    p.Sex = sex;
    p.PName = QString(11, u'あ');
    p.Extra7(2, 1).set(1, 'x');
    p.SubjScore(2, 1) = 300;
    p.SubjRate(1, 4) = 72.25;
    p.SubjDev(4, 4) = -1.5;
    p.SubjMark(1, 1) = u"３"_s;
    for (int s = 97; s <= 100; ++s)
        p.SheetMarks(1, 1).set(s - 96, ScoreCode::encode(s));
    p.SheetMarks(1, 1).set(5, ScoreCode::kAbsent);
    p.SheetMarks(4, 3).set(100, ScoreCode::encode(96));
    p.ViewScore(1, 2, 3) = 77;
    p.ViewRate(4, 4, 4) = 99.5;
    p.ViewDev(2, 1, 1) = 50.25;
    p.ViewMark(1, 1, 2) = u"◎"_s;
    QVERIFY(c.SavePupils());

    QByteArray r;
    r += le16(-2) + le16(static_cast<int>(sexBytes.size())) + sexBytes;
    r += QByteArray::fromHex("82a0").repeated(10); // 11 full-width characters cut to 10
    r += spaces(60) + spaces(10) + spaces(10) + spaces(20) + spaces(60) + spaces(20);
    r += spaces(10) + "x" + spaces(9) + spaces(80); // Extra7(1,1), (2,1), then the rest
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 4; ++t)
            r += le16(t == 2 && k == 1 ? 300 : 0);
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 4; ++t)
            r += le64(t == 1 && k == 4 ? 72.25 : 0.0);
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 4; ++t)
            r += le64(t == 4 && k == 4 ? -1.5 : 0.0);
    r += sjis(u"３"_s) + spaces(30);
    // SheetMarks (k=1,t=1) first: 97..100 are the codes 28..31, then the absence byte.
    r += QByteArray("\x1c\x1d\x1e\x1f\xb9", 5) + spaces(95);
    r += spaces(100 * 10);
    r += spaces(99) + QByteArray(1, char(128)); // (k=4, t=3), the last one
    for (int v = 1; v <= 4; ++v)
        for (int k = 1; k <= 4; ++k)
            for (int t = 1; t <= 4; ++t)
                r += le16(t == 1 && k == 2 && v == 3 ? 77 : 0);
    for (int v = 1; v <= 4; ++v)
        for (int k = 1; k <= 4; ++k)
            for (int t = 1; t <= 4; ++t)
                r += le64(t == 4 && k == 4 && v == 4 ? 99.5 : 0.0);
    for (int v = 1; v <= 4; ++v)
        for (int k = 1; k <= 4; ++k)
            for (int t = 1; t <= 4; ++t)
                r += le64(t == 2 && k == 1 && v == 1 ? 50.25 : 0.0);
    r += spaces(16 * 2) + sjis(u"◎"_s) + spaces(128 - 34);
    QCOMPARE(r.size(), 3104 + sexBytes.size());
    r += QByteArray(2 - sexBytes.size(), '\0');

    // Record 2 of the file; record 1 is there as zero bytes, since no pupil uses it.
    const QByteArray dat = TestSupport::readFile(home->file(u"3-1.dat"_s));
    QCOMPARE(dat.size(), 2 * 3106);
    QCOMPARE(dat.left(3106), QByteArray(3106, '\0'));
    QCOMPARE(dat.mid(3106).toHex(), r.toHex());
}

void tst_ClassFiles::savePupils_thenLoadClass_givesEveryValueBack() {
    c.ClassSize = 3;
    c.CurTerm = 2;
    const QStringList sexes = {QString(), u"1"_s, u"2"_s};
    for (int i = 1; i <= 3; ++i) {
        c.RecNo(i) = QString::number(4 - i);
        PupilRec& p = c.Pupil(i);
        p.Sex = sexes[i - 1];
        p.PName = u"髙橋　山﨑%1"_s.arg(i);
        for (int k = 1; k <= 4; ++k)
            for (int t = 1; t <= 3; ++t)
                for (int s = 1; s <= 80; ++s)
                    p.SheetMarks(k, t).set(s, (s + k + t + i) % 9 == 0
                                                  ? ScoreCode::kAbsent
                                                  : ScoreCode::encode((s * 7 + i) % 101));
        for (int t = 1; t <= 4; ++t)
            for (int k = 1; k <= 4; ++k) {
                p.SubjRate(t, k) = t * 10.125 + k;
                for (int v = 1; v <= 4; ++v)
                    p.ViewDev(t, k, v) = 30 + t + k * 0.1 + v * 0.01;
            }
    }
    c.SheetSetup(3, 2).set(1, ScoreCode::encodeAllocation(2));
    c.SheetSetup(3, 2).set(21, ScoreCode::encodeAllocation(97));
    QVERIFY(c.SaveClass());

    VOXA1 back;
    back.ClassPath = c.ClassPath;
    QVERIFY(back.LoadClass());
    QCOMPARE(back.ClassSize, qint16(3));
    for (int i = 1; i <= 3; ++i) {
        QCOMPARE(back.RecNo(i), c.RecNo(i));
        QVERIFY2(back.Pupil(i) == c.Pupil(i), qPrintable(u"pupil %1"_s.arg(i)));
    }
    QCOMPARE(back.SheetSetup(3, 2), c.SheetSetup(3, 2));
    QCOMPARE(MsgBox::shown().size(), 0);
}

void tst_ClassFiles::savePupils_keepsRecordsOfPupilsWhoLeft() {
    c.ClassSize = 2;
    c.RecNo(1) = u"1"_s;
    c.RecNo(2) = u"2"_s;
    c.Pupil(1).PName = u"一郎"_s;
    c.Pupil(2).PName = u"二郎"_s;
    QVERIFY(c.SavePupils());
    // Pupil 1 leaves: the roster now points at record 2 only.
    c.ClassSize = 1;
    c.RecNo(1) = u"2"_s;
    c.Pupil(1) = c.Pupil(2);
    c.Pupil(1).PName = u"次郎"_s;
    QVERIFY(c.SavePupils());
    const QByteArray dat = TestSupport::readFile(home->file(u"3-1.dat"_s));
    QCOMPARE(dat.size(), 2 * 3106);
    QCOMPARE(dat.mid(4 + 1, 4), sjis(u"一郎"_s)); // record 1, after Sex "0"
    QCOMPARE(dat.mid(3106 + 4 + 1, 4), sjis(u"次郎"_s));
}

void tst_ClassFiles::savePupils_newClassFlag_blanksScores() {
    c.NewClassFlag = 10;
    c.ClassSize = 42;
    for (int i = 1; i <= 42; ++i) {
        c.RecNo(i) = QString::number(i);
        c.Pupil(i).SheetMarks(2, 2).set(3, ScoreCode::encode(50));
    }
    QVERIFY(c.SavePupils());
    QCOMPARE(c.Pupil(42).SheetMarks(2, 2).at(3), uchar(' '));
    const QByteArray dat = TestSupport::readFile(home->file(u"3-1.dat"_s));
    QCOMPARE(dat.size(), 42 * 3106);
    // Sex "0" shifts the fields by one: SheetMarks start at 625.
    QCOMPARE(dat.mid(41 * 3106 + 625, 1200), spaces(1200));
    const QByteArray eix = TestSupport::readFile(home->file(u"3-1.eix"_s));
    QCOMPARE(eix.mid(41 * 4, 4), le16(2) + "42");
    QCOMPARE(eix.mid(42 * 4, 4), le16(0) + QByteArray(2, '\0'));
}

void tst_ClassFiles::savePupils_classSizeZero_writesIndexOnly() {
    QVERIFY(c.SavePupils());
    QCOMPARE(TestSupport::readFile(home->file(u"3-1.eix"_s)).size(), 200);
    QCOMPARE(TestSupport::readFile(home->file(u"3-1.dat"_s)).size(), 0);
}

void tst_ClassFiles::savePupils_recordNumberBroken_refusesAndWritesNothing_data() {
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("told");
    QTest::newRow("100") << u"100"_s << u"出席番号 2"_s;
    QTest::newRow("three characters, 042") << u"042"_s << u"出席番号 2"_s;
    QTest::newRow("three characters, blank and 42") << u" 42"_s << u"出席番号 2"_s;
    QTest::newRow("0") << u"0"_s << u"出席番号 2"_s;
    QTest::newRow("same as pupil 1") << u" 1"_s << u"出席番号 1 と 2 の記録番号が同じ"_s;
}

void tst_ClassFiles::savePupils_recordNumberBroken_refusesAndWritesNothing() {
    QFETCH(QString, second);
    QFETCH(QString, told);
    c.ClassSize = 2;
    c.RecNo(1) = u"1"_s;
    c.RecNo(2) = second;
    MsgBox::queueAnswer(MsgBox::Ok);
    QVERIFY(!c.SavePupils());
    QCOMPARE(MsgBox::shown().size(), 1);
    QVERIFY2(MsgBox::shown()[0].text.contains(told), qPrintable(MsgBox::shown()[0].text));
    QVERIFY(!QFile::exists(home->file(u"3-1.dat"_s)));
    QVERIFY(!QFile::exists(home->file(u"3-1.eix"_s)));
}

void tst_ClassFiles::loadThenSave_unusedFieldsKeepEveryByte() {
    c.ClassSize = 2;
    c.CurTerm = 1;
    for (int i = 1; i <= 2; ++i)
        c.RecNo(i) = QString::number(i);
    QVERIFY(c.SaveClass());
    // Bytes the text codec would change: 0x80, 0xA0, 0xFD..0xFF, a lead byte without its second
    // byte, and unassigned pairs, in the unused fields of both records.
    QByteArray dat = TestSupport::readFile(home->file(u"3-1.dat"_s));
    const QByteArray odd("\x80\xA0\xFD\xFE\xFF\x85\x40\xEB\x40\x81", 10);
    for (int r = 0; r < 2; ++r) {
        const qsizetype sexLength = 1; // "0"
        const qsizetype fields = r * 3106 + 4 + sexLength + 20;
        dat.replace(fields, 10, odd);                          // Extra1
        dat.replace(fields + 60 + 10 + 10 + 20 + 60, 10, odd); // Extra6
        dat.replace(fields + 180, 10, odd);                    // the first of Extra7
        dat.replace(fields + 270, 10, odd);                    // the last of Extra7
    }
    TestSupport::writeFile(home->file(u"3-1.dat"_s), dat);
    VOXA1 k;
    k.ClassPath = c.ClassPath;
    QVERIFY(k.LoadClass());
    k.Pupil(1).PName = u"名前を変えた"_s;
    QVERIFY(k.SaveClass());
    const QByteArray after = TestSupport::readFile(home->file(u"3-1.dat"_s));
    QCOMPARE(after.size(), dat.size());
    // Only the name changed.
    QCOMPARE(after.mid(25, 3106 - 25), dat.mid(25, 3106 - 25));
    QCOMPARE(after.mid(3106), dat.mid(3106));
}

void tst_ClassFiles::sampleClasses_loadAndSave_byteForByte_data() {
    QTest::addColumn<QString>("base");
    QTest::newRow("5-1") << u"5-1"_s;
    QTest::newRow("2-3") << u"2-3"_s;
}

void tst_ClassFiles::sampleClasses_loadAndSave_byteForByte() {
    // The samples hold names in the NEC-selected rows of code page 932 (0xED/0xEE), which convert
    // to the same characters as the IBM rows (0xFA..0xFC): a load and save keeps their bytes.
    QFETCH(QString, base);
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        QVERIFY(QFile::copy(TestSupport::dataDir() + u'/' + base + ext, home->file(base + ext)));
    c.ClassPath = u"C:\\"_s + base;
    QVERIFY(c.LoadClass());
    QVERIFY(c.SaveClass());
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        QCOMPARE(TestSupport::readFile(home->file(base + ext)),
                 TestSupport::readFile(TestSupport::dataDir() + u'/' + base + ext));
}

void tst_ClassFiles::changedName_isWrittenAfresh() {
    c.ClassSize = 1;
    c.CurTerm = 1;
    c.RecNo(1) = u"1"_s;
    QVERIFY(c.SaveClass());
    QByteArray dat = TestSupport::readFile(home->file(u"3-1.dat"_s));
    dat.replace(5, 2, QByteArray("\xEE\xE0", 2)); // 髙 in the NEC-selected row
    TestSupport::writeFile(home->file(u"3-1.dat"_s), dat);
    VOXA1 k;
    k.ClassPath = c.ClassPath;
    QVERIFY(k.LoadClass());
    QCOMPARE(k.Pupil(1).PName.str().left(1), u"髙"_s);
    // Stored again as it stands (the roster writes back every name), it keeps its bytes.
    k.Pupil(1).PName = k.Pupil(1).PName.str().trimmed();
    QVERIFY(k.SaveClass());
    QCOMPARE(TestSupport::readFile(home->file(u"3-1.dat"_s)).mid(5, 2), QByteArray("\xEE\xE0", 2));
    k.Pupil(1).PName = u"髙橋"_s;
    QVERIFY(k.SaveClass());
    // A name the teacher changed is converted as any new text: 髙 in the IBM row.
    QCOMPARE(TestSupport::readFile(home->file(u"3-1.dat"_s)).mid(5, 4), sjis(u"髙橋"_s));
    QCOMPARE(sjis(u"髙"_s), QByteArray("\xFB\xFC", 2));
}

void tst_ClassFiles::record_readAndWrittenBack_everyByteAsRead_data() {
    QTest::addColumn<QByteArray>("pattern"); // repeated over the whole record after its head
    QTest::newRow("blanks") << QByteArray("  ");
    QTest::newRow("marks") << QByteArray("\x81\x9D\x81\x9B\x81\xA2\x82\x52\x82\x51\x82\x50", 12); // ◎○△３２１
    // Characters with two codes: NEC-selected and IBM rows, and ∵ in the NEC special row.
    QTest::newRow("two codes") << QByteArray("\xEE\xE0\xFB\xFC\x87\x9A\x81\xE6", 8);
    QTest::newRow("shifted by a byte") << QByteArray("\x20\xEE\xE0\x87\x9A\x81\x9B", 7);
    QTest::newRow("bytes of no character") << QByteArray("\xFF\xFF\x80\x00\xA0\x81", 6);
}

// A record read and written back unchanged has every byte it was read with, whatever its marks and
// names hold (two-byte marks come from a table, names keep their bytes).
void tst_ClassFiles::record_readAndWrittenBack_everyByteAsRead() {
    QFETCH(QByteArray, pattern);
    QByteArray rec("\x01\x00\x01\x00"
                   "1",
                   5);
    while (rec.size() < ClassFiles::kRecordSize)
        rec += pattern;
    rec.truncate(ClassFiles::kRecordSize - 1);
    rec += '\0'; // a record with a one-byte sex ends in a byte of padding, always 0
    PupilRec p;
    QVERIFY(ClassFiles::readRecord(rec, 0, p));
    const QByteArray out = ClassFiles::recordBytes(p);
    qsizetype at = 0;
    while (at < rec.size() && at < out.size() && rec[at] == out[at])
        ++at;
    QVERIFY2(out == rec,
             qPrintable(u"first difference at byte %1: %2 for %3"_s.arg(at).arg(
                 QString::fromLatin1(out.mid(at, 8).toHex()), QString::fromLatin1(rec.mid(at, 8).toHex()))));
    // Read a second time (the table is filled now), the same.
    PupilRec again;
    QVERIFY(ClassFiles::readRecord(rec, 0, again));
    QCOMPARE(ClassFiles::recordBytes(again).toHex(), rec.toHex());
}

void tst_ClassFiles::loadClass_sampleClasses_readAsTheirJson_data() {
    QTest::addColumn<QString>("base");
    QTest::newRow("5-1") << u"5-1"_s;
    QTest::newRow("2-3") << u"2-3"_s;
}

void tst_ClassFiles::loadClass_sampleClasses_readAsTheirJson() {
    QFETCH(QString, base);
    const QString dir = TestSupport::dataDir();
    const QJsonObject json =
        QJsonDocument::fromJson(TestSupport::readFile(dir + u'/' + base + u".json"_s)).object();
    c.ClassPath = dir + u'/' + base;
    QVERIFY(c.LoadClass());
    const QJsonObject s = json[u"settings"_s].toObject();
    QCOMPARE(c.ClassSize, qint16(s[u"ClassSize"_s].toInt()));
    QCOMPARE(c.SchoolName.str().trimmed(), s[u"SchoolName"_s].toString().trimmed());
    QCOMPARE(c.ViewName(3, 2).str().trimmed(), s[u"ViewName"_s][2][1].toString().trimmed());
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 3; ++t)
            for (int i = 1; i <= 80; ++i)
                QCOMPARE(int(c.SheetSetup(k, t).at(i)), s[u"SheetSetup"_s][k - 1][t - 1][i - 1].toInt());
    const QJsonArray pupils = json[u"Pupil"_s].toArray();
    QCOMPARE(pupils.size(), c.ClassSize);
    for (int p = 1; p <= c.ClassSize; ++p) {
        const QJsonObject j = pupils[p - 1].toObject();
        QCOMPARE(c.Pupil(p).PName.str().trimmed(), j[u"PName"_s].toString().trimmed());
        QCOMPARE(c.Pupil(p).Sex, j[u"Sex"_s].toString());
        for (int k = 1; k <= 4; ++k)
            for (int t = 1; t <= 3; ++t)
                for (int i = 1; i <= 100; ++i)
                    QCOMPARE(int(c.Pupil(p).SheetMarks(k, t).at(i)),
                             j[u"SheetMarks"_s][k - 1][t - 1][i - 1].toInt());
    }
}

QTEST_GUILESS_MAIN(tst_ClassFiles)
#include "tst_ClassFiles.moc"

// The results export: exact bytes in both encodings, quoting, blank and uncalculated figures, the
// figures agreeing with the term-end sheet, and the command's options and messages.

#include "TestSupport.h"
#include "core/ClassFiles.h"
#include "core/VOXA1.h"
#include "termcalc/TermCalc.h"
#include "termcalc/TermView.h"
#include "voxaclass/ResultsCsv.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int exitCode;
    QByteArray out;
    QString err;
};

Run voxaclass(const QStringList& args) {
    QProcess p;
    p.start(qEnvironmentVariable("VOXA_BIN_DIR") + u"/voxaclass"_s, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            QString::fromUtf8(p.readAllStandardError())};
}

// A fifth-grade class of two: the first pupil's name holds a comma and quotes; 国語 has two
// viewpoints in use, the other subjects none; term 1 calculated in every subject.
VOXA1 smallClass() {
    VOXA1 c;
    c.ClassName = u"5-1"_s;
    c.SplitClassName();
    c.CurTerm = 1;
    c.ClassSize = 2;
    c.ViewName(1, 1) = u"表現"_s;
    c.ViewName(1, 3) = u"言語"_s;
    for (int k = 1; k <= 4; ++k)
        c.CalcMark(1, k) = u"O"_s;
    PupilRec& a = c.Pupil(1);
    a.PName = u"佐藤,\"一\""_s;
    a.Sex = u"1"_s;
    a.SubjRate(1, 1) = 72.25;
    a.SubjDev(1, 1) = 55.55;
    a.SubjMark(1, 1) = u"３"_s;
    a.ViewRate(1, 1, 1) = 100;
    a.ViewMark(1, 1, 1) = u"◎"_s;
    a.ViewRate(1, 1, 3) = 0;
    PupilRec& b = c.Pupil(2);
    b.PName = u"山田　花子"_s;
    b.Sex = u"2"_s;
    b.SubjRate(1, 1) = std::numeric_limits<double>::quiet_NaN(); // blanked when it was loaded
    b.SubjDev(1, 1) = 44.45;
    b.ViewRate(1, 1, 1) = 9.95;
    b.ViewMark(1, 1, 3) = u"△"_s;
    b.SubjRate(1, 4) = 50;
    return c;
}

const QString kSmallCsv = u"番号,名前,性別,国語 達成率,国語 偏差値,国語 評定,国語 表現 達成率,国語 表現 "
                          u"評価,国語 言語 達成率,国語 言語 評価,"
                          "社会 達成率,社会 偏差値,社会 評定,算数 達成率,算数 偏差値,算数 評定,理科 "
                          "達成率,理科 偏差値,理科 評定\r\n"
                          "1,\"佐藤,\"\"一\"\"\",男,72.3,55.6,３,100.0,◎,0.0,,0.0,0.0,,0.0,0.0,,0.0,0.0,\r\n"
                          "2,山田　花子,女,,44.5,,10.0,,0.0,△,0.0,0.0,,0.0,0.0,,50.0,0.0,\r\n"_s;

} // namespace

class tst_ResultsCsv : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { TestSupport::useTestDoubles(); }
    void write_smallClass_exactBytes_data();
    void write_smallClass_exactBytes();
    void field_quotesOnlyWhatMustBe_data();
    void field_quotesOnlyWhatMustBe();
    void write_uncalculatedSubjects_areEmptyAndNamed();
    void write_sampleAfterTermCalculation_agreesWithTheTermSheet_data();
    void write_sampleAfterTermCalculation_agreesWithTheTermSheet();
    void command_optionsAndMessages();
};

void tst_ResultsCsv::write_smallClass_exactBytes_data() {
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("code page 932") << int(ResultsCsv::Encoding::Cp932) << TestSupport::sjis(kSmallCsv);
    QTest::newRow("UTF-8 with BOM") << int(ResultsCsv::Encoding::Utf8)
                                    << QByteArray("\xEF\xBB\xBF") + kSmallCsv.toUtf8();
}

void tst_ResultsCsv::write_smallClass_exactBytes() {
    QFETCH(int, encoding);
    QFETCH(QByteArray, expected);
    const ResultsCsv::Output out =
        ResultsCsv::write(smallClass(), 1, static_cast<ResultsCsv::Encoding>(encoding));
    QCOMPARE(out.bytes, expected);
    QVERIFY(out.warnings.isEmpty());
}

void tst_ResultsCsv::field_quotesOnlyWhatMustBe_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << u"山田　花子"_s << u"山田　花子"_s;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("comma") << u"a,b"_s << u"\"a,b\""_s;
    QTest::newRow("quote") << u"a\"b"_s << u"\"a\"\"b\""_s;
    QTest::newRow("line end") << u"a\r\nb"_s << u"\"a\r\nb\""_s;
    QTest::newRow("full-width comma needs nothing") << u"a，b"_s << u"a，b"_s;
}

void tst_ResultsCsv::field_quotesOnlyWhatMustBe() {
    QFETCH(QString, text);
    QFETCH(QString, field);
    QCOMPARE(ResultsCsv::field(text), field);
}

void tst_ResultsCsv::write_uncalculatedSubjects_areEmptyAndNamed() {
    VOXA1 c = smallClass();
    c.CalcMark(1, 2) = QString();
    c.CalcMark(1, 4) = QString();
    ResultsCsv::Output out = ResultsCsv::write(c, 1, ResultsCsv::Encoding::Utf8);
    QCOMPARE(out.warnings,
             QStringList{u"1学期に計算していない教科があります（社会、理科）。その教科の欄は空です。"_s});
    const QStringList lines = QString::fromUtf8(out.bytes.mid(3)).split(u"\r\n"_s);
    QCOMPARE(lines[2], u"2,山田　花子,女,,44.5,,10.0,,0.0,△,,,,0.0,0.0,,,,"_s);
    // The year never calculated: every figure empty, the rows still there.
    out = ResultsCsv::write(c, 4, ResultsCsv::Encoding::Utf8);
    QCOMPARE(out.warnings, QStringList{u"年間はまだ計算していません。成績の欄は空です。"_s});
    QCOMPARE(QString::fromUtf8(out.bytes.mid(3)).split(u"\r\n"_s)[1],
             u"1,\"佐藤,\"\"一\"\"\",男,,,,,,,,,,,,,,,,"_s);
}

void tst_ResultsCsv::write_sampleAfterTermCalculation_agreesWithTheTermSheet_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("header");
    QTest::newRow("5-1")
        << u"5-1"_s
        << u"番号,名前,性別,国語 達成率,国語 偏差値,国語 評定,国語 表現 達成率,国語 表現 評価,国語 読解 "
           u"達成率,"
           "国語 読解 評価,国語 言語 達成率,国語 言語 評価,社会 達成率,社会 偏差値,社会 評定,社会 思考 "
           "達成率,"
           "社会 思考 評価,社会 資料 達成率,社会 資料 評価,社会 知識 達成率,社会 知識 評価,算数 達成率,"
           "算数 偏差値,算数 評定,算数 思考 達成率,算数 思考 評価,算数 技能 達成率,算数 技能 評価,算数 概念 "
           "達成率,"
           "算数 概念 評価,理科 達成率,理科 偏差値,理科 評定,理科 思考 達成率,理科 思考 評価,理科 観察 "
           "達成率,"
           "理科 観察 評価,理科 知識 達成率,理科 知識 評価"_s;
    QTest::newRow("2-3") << u"2-3"_s << QString();
}

void tst_ResultsCsv::write_sampleAfterTermCalculation_agreesWithTheTermSheet() {
    QFETCH(QString, name);
    QFETCH(QString, header);
    VOXA1 c;
    c.ClassPath = TestSupport::dataDir() + u"/"_s + name;
    QCOMPARE(ClassFiles::loadClass(c), QString());
    c.ClassName = name;
    c.SplitClassName();
    const int subjects = TermCalc::subjectCount(c.Grade);
    for (int k = 1; k <= subjects; ++k) {
        TermCalc::calculateTerm(c, k, 1);
        c.CalcMark(1, k) = u"O"_s;
    }
    const ResultsCsv::Output out = ResultsCsv::write(c, 1, ResultsCsv::Encoding::Cp932);
    QVERIFY(out.warnings.isEmpty());
    QVERIFY(out.bytes.endsWith("\r\n"));
    const QStringList lines = TestSupport::fromSjis(out.bytes).split(u"\r\n"_s);
    QCOMPARE(lines.size(), c.ClassSize + 2); // header, pupils, and the empty text after the last CR LF
    if (!header.isEmpty())
        QCOMPARE(lines[0], header);
    else
        QVERIFY2(lines[0].contains(u",生活 達成率,"_s) && !lines[0].contains(u"理科"_s),
                 qPrintable(lines[0]));
    const QStringList head = lines[0].split(u',');
    for (int p = 1; p <= c.ClassSize; ++p) {
        const QStringList f = lines[p].split(u',');
        QCOMPARE(f.size(), head.size());
        QCOMPARE(f[0], QString::number(p));
        for (int k = 1; k <= subjects; ++k) {
            // The subject's percentage and deviation value as the term-end sheet of the pupil shows
            // them ("合計 ... 平均 偏差"), to the one decimal both show.
            const QStringList sheet = TermView::sheetLines(c, p, k, 1, VOXA1::ViewNameSlot(k, c.Grade));
            const QStringList sums = sheet[6].split(u' ', Qt::SkipEmptyParts);
            const qsizetype at = head.indexOf(TermCalc::subjectName(k, c.Grade) + u" 達成率"_s);
            QVERIFY(at > 0);
            QCOMPARE(f[at].toDouble(), sums[sums.size() - 2].toDouble());
            QCOMPARE(f[at + 1].toDouble(), sums.last().toDouble());
        }
    }
}

void tst_ResultsCsv::command_optionsAndMessages() {
    QTemporaryDir dir;
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        QVERIFY(QFile::copy(TestSupport::dataDir() + u"/5-1"_s + ext, dir.filePath(u"5-1"_s + ext)));
    const QString path = dir.filePath(u"5-1"_s);

    Run r = voxaclass({u"export"_s, path});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith(TestSupport::sjis(u"番号,名前,性別,国語 達成率"_s)));
    QCOMPARE(r.out.count("\r\n"), 36);
    QVERIFY2(r.err.contains(u"1学期はまだ計算していません"_s), qPrintable(r.err));

    r = voxaclass({u"export"_s, path, u"--encoding"_s, u"utf-8"_s, u"--term"_s, u"4"_s});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith("\xEF\xBB\xBF" + u"番号,"_s.toUtf8()));
    QVERIFY(r.err.contains(u"年間はまだ計算していません"_s));

    for (const QStringList& bad :
         {QStringList{u"export"_s, path, u"--term"_s, u"5"_s},
          QStringList{u"export"_s, path, u"--encoding"_s, u"latin1"_s},
          QStringList{u"export"_s, path, u"--term"_s}, QStringList{u"export"_s, dir.filePath(u"9-9"_s)}}) {
        r = voxaclass(bad);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.err.startsWith(u"voxaclass: "_s));
    }
}

QTEST_GUILESS_MAIN(tst_ResultsCsv)
#include "tst_ResultsCsv.moc"

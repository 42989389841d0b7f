// The support tool against the files: what it dumps is what the program holds, and what it writes
// the program reads.

#include "TestSupport.h"
#include "core/VOXA1.h"
#include "voxaclass/ClassJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

Run voxaclass(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(qEnvironmentVariable("VOXA_BIN_DIR") + u"/voxaclass"_s, args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// Texts compared without their trailing padding: the sample files' JSON was written by hand with
// the padding of the file bytes, the program's with the width in characters.
QJsonValue trimmed(const QJsonValue& v) {
    if (v.isString()) {
        QString s = v.toString();
        while (s.endsWith(u' '))
            s.chop(1);
        return s;
    }
    if (v.isArray()) {
        QJsonArray a;
        for (const QJsonValue& x : v.toArray())
            a.append(trimmed(x));
        return a;
    }
    if (v.isObject()) {
        QJsonObject o;
        const QJsonObject in = v.toObject();
        for (auto it = in.begin(); it != in.end(); ++it)
            o.insert(it.key(), trimmed(it.value()));
        return o;
    }
    return v;
}

} // namespace

class tst_voxaclass : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dump_sampleClass_equalsItsJson_data();
    void dump_sampleClass_equalsItsJson();
    void write_thenDump_givesTheSameJson();
    void dump_equalsWhatTheProgramHolds();
    void badInput_isRefusedWithExitCode1_data();
    void badInput_isRefusedWithExitCode1();
};

void tst_voxaclass::dump_sampleClass_equalsItsJson_data() {
    QTest::addColumn<QString>("base");
    QTest::newRow("5-1") << u"5-1"_s;
    QTest::newRow("2-3") << u"2-3"_s;
}

void tst_voxaclass::dump_sampleClass_equalsItsJson() {
    QFETCH(QString, base);
    const QString path = TestSupport::dataDir() + u'/' + base;
    const Run r = voxaclass({u"dump"_s, path});
    QCOMPARE(r.exitCode, 0);
    const QJsonValue got = trimmed(QJsonDocument::fromJson(r.out).object());
    const QJsonValue want =
        trimmed(QJsonDocument::fromJson(TestSupport::readFile(path + u".json"_s)).object());
    QVERIFY(got == want);
}

void tst_voxaclass::write_thenDump_givesTheSameJson() {
    QTemporaryDir dir;
    QJsonObject json =
        QJsonDocument::fromJson(TestSupport::readFile(TestSupport::dataDir() + u"/5-1.json"_s)).object();
    // Values the sample class lacks: results, marks, a quote inside a text, extended characters.
    QJsonObject settings = json[u"settings"_s].toObject();
    settings[u"SchoolName"_s] = u"\"港\"小学校"_s;
    json[u"settings"_s] = settings;
    QJsonArray pupils = json[u"Pupil"_s].toArray();
    QJsonObject p = pupils[0].toObject();
    p[u"PName"_s] = u"髙橋　山﨑"_s;
    p[u"Sex"_s] = QString();
    p[u"SubjRate"_s] = QJsonArray{QJsonArray{72.25, 0.0, 0.0, 100.0}, QJsonArray{0, 0, 0, 0},
                                  QJsonArray{0, 0, 0, 0}, QJsonArray{0, 0, 0, 0.125}};
    pupils[0] = p;
    // Bytes that are no text are given and kept as bytes; numbers JSON has no words for as texts.
    QJsonObject q = pupils[1].toObject();
    QJsonArray odd;
    for (int i = 0; i < 60; ++i)
        odd.append(i < 5 ? QJsonArray{0x80, 0xA0, 0xFD, 0xFE, 0xFF}[i].toInt() : 32);
    q[u"Extra1"_s] = odd;
    q[u"SubjDev"_s] = QJsonArray{QJsonArray{u"NaN"_s, u"Infinity"_s, u"-Infinity"_s, 1e300},
                                 QJsonArray{0, 0, 0, 0}, QJsonArray{0, 0, 0, 0}, QJsonArray{0, 0, 0, 0}};
    pupils[1] = q;
    json[u"Pupil"_s] = pupils;

    const QString path = dir.filePath(u"5-1"_s);
    const Run w = voxaclass({u"write"_s, path}, QJsonDocument(json).toJson());
    QCOMPARE(w.exitCode, 0);
    const Run d = voxaclass({u"dump"_s, path});
    QCOMPARE(d.exitCode, 0);
    const QJsonValue first = trimmed(json);
    const QJsonValue second = trimmed(QJsonDocument::fromJson(d.out).object());
    QVERIFY(first == second);

    // Written again from its own dump, the files are byte for byte the same.
    const QByteArray dat = TestSupport::readFile(path + u".dat"_s);
    const QByteArray sdt = TestSupport::readFile(path + u".sdt"_s);
    QCOMPARE(voxaclass({u"write"_s, path}, d.out).exitCode, 0);
    QCOMPARE(TestSupport::readFile(path + u".dat"_s), dat);
    QCOMPARE(TestSupport::readFile(path + u".sdt"_s), sdt);
}

void tst_voxaclass::dump_equalsWhatTheProgramHolds() {
    TestSupport::useTestDoubles();
    QTemporaryDir dir;
    VOXA1 c;
    c.ClassPath = dir.filePath(u"6-2"_s);
    c.ClassSize = 2;
    c.CurTerm = 3;
    c.RecNo(1) = u"2"_s;
    c.RecNo(2) = u"1"_s;
    c.Pupil(1).PName = u"後藤"_s;
    c.Pupil(2).Sex = u"2"_s;
    c.Pupil(2).ViewMark(4, 2, 1) = u"△"_s;
    c.RateMark(1, 1) = u"O"_s;
    QVERIFY(c.SaveClass());
    const Run d = voxaclass({u"dump"_s, c.ClassPath});
    QCOMPARE(d.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(d.out).object(), ClassJson::toJson(c));
}

void tst_voxaclass::badInput_isRefusedWithExitCode1_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("no arguments") << QStringList{} << QByteArray();
    QTest::newRow("unknown command") << QStringList{u"show"_s, u"x"_s} << QByteArray();
    QTest::newRow("dump of missing files") << QStringList{u"dump"_s, u"/nonexistent/3-1"_s} << QByteArray();
    QTest::newRow("not JSON") << QStringList{u"write"_s, u"WRITE_PATH"_s} << QByteArray("{oops");
    QTest::newRow("no settings") << QStringList{u"write"_s, u"WRITE_PATH"_s} << QByteArray("{}");
    const QJsonObject sample =
        QJsonDocument::fromJson(TestSupport::readFile(TestSupport::dataDir() + u"/2-3.json"_s)).object();
    QJsonObject fewer = sample;
    QJsonArray pupils = fewer[u"Pupil"_s].toArray();
    pupils.removeLast();
    fewer[u"Pupil"_s] = pupils;
    QTest::newRow("fewer pupils than ClassSize")
        << QStringList{u"write"_s, u"WRITE_PATH"_s} << QJsonDocument(fewer).toJson();
    QJsonObject badByte = sample;
    QJsonObject s = badByte[u"settings"_s].toObject();
    QJsonArray setup = s[u"SheetSetup"_s].toArray();
    QJsonArray k1 = setup[0].toArray();
    QJsonArray t1 = k1[0].toArray();
    t1[0] = 300;
    k1[0] = t1;
    setup[0] = k1;
    s[u"SheetSetup"_s] = setup;
    badByte[u"settings"_s] = s;
    QTest::newRow("allocation byte 300")
        << QStringList{u"write"_s, u"WRITE_PATH"_s} << QJsonDocument(badByte).toJson();
}

void tst_voxaclass::badInput_isRefusedWithExitCode1() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2-3"_s);
    args.replaceInStrings(u"WRITE_PATH"_s, path);
    const Run r = voxaclass(args, input);
    QCOMPARE(r.exitCode, 1);
    QVERIFY(!r.err.isEmpty());
    QVERIFY(r.out.isEmpty());
    QVERIFY(!QFile::exists(path + u".sdt"_s));
    QVERIFY(!QFile::exists(path + u".dat"_s));
}

QTEST_GUILESS_MAIN(tst_voxaclass)
#include "tst_voxaclass.moc"

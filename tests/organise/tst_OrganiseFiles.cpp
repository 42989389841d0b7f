// Next year's classes against the files: voxaclass organise as support staff run it, a class read
// while another program saves it, the rules file private and whole after a stop at any step, and
// next year's rosters never written over anything.

#include "../crash/SaveStates.h"
#include "TestSupport.h"
#include "organise/OrganiseRules.h"
#include "platform/FileSet.h"

#include <QProcess>
#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

struct Run {
    int exitCode;
    QByteArray out, err;
};

Run organise(const QStringList& args) {
    QProcess p;
    p.start(qEnvironmentVariable("VOXA_BIN_DIR") + u"/voxaclass"_s, QStringList{u"organise"_s} + args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// Three classes of grade 5 in the folder, each a copy of the sample class.
void makeGrade(const QString& folder) {
    for (int k = 1; k <= 3; ++k)
        for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
            QVERIFY(QFile::copy(TestSupport::dataDir() + u"/5-1"_s + ext, folder + u"/5-%1"_s.arg(k) + ext));
}

void writeText(const QString& path, const QByteArray& data) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}

} // namespace

class tst_OrganiseFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void organise_exitCodes_data();
    void organise_exitCodes();
    void organise_sameInput_sameBytes_andRostersNeverOverwrite();
    void readLastSave_whileAnotherProgramSaves_neverAMix();
    void rulesFile_stoppedAtEveryStep_oldOrNew_andPrivate();
};

void tst_OrganiseFiles::organise_exitCodes_data() {
    QTest::addColumn<QByteArray>("rules");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("onError");
    QTest::newRow("no rules") << QByteArray("{}") << 0 << QString();
    QTest::newRow("four apart, three classes")
        << QByteArray(R"({"apart": [["5-1:1","5-2:1"],["5-1:1","5-3:1"],["5-1:1","5-1:2"],["5-2:1","5-3:1"],)"
                      R"(["5-2:1","5-1:2"],["5-3:1","5-1:2"]]})")
        << 3 << u"5-1:1 5-1:2 5-2:1 5-3:1"_s;
    QTest::newRow("group fixed twice")
        << QByteArray(R"({"together": [["5-1:4","5-2:9"]], "fixed": {"5-1:4": 1, "5-2:9": 2}})") << 3
        << u"5-1:4 5-2:9"_s;
    QTest::newRow("bad id") << QByteArray(R"({"apart": [["5-1:4","five"]]})") << 1 << u"apart の 1 番目"_s;
    QTest::newRow("not JSON") << QByteArray("{apart") << 1 << u"JSON"_s;
    QTest::newRow("class 10") << QByteArray(R"({"fixed": {"5-1:4": 10}})") << 1 << u"fixed の 5-1:4"_s;
}

void tst_OrganiseFiles::organise_exitCodes() {
    QFETCH(QByteArray, rules);
    QFETCH(int, exitCode);
    QFETCH(QString, onError);
    QTemporaryDir dir(TestSupport::scratchTemplate());
    makeGrade(dir.path());
    writeText(dir.filePath(u"rules.json"_s), rules);
    const Run r = organise({dir.path(), u"--grade"_s, u"5"_s, u"--classes"_s, u"3"_s, u"--rules"_s,
                            dir.filePath(u"rules.json"_s)});
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(r.err).contains(onError), r.err.constData());
    QCOMPARE(r.out.isEmpty(), exitCode != 0);
}

void tst_OrganiseFiles::organise_sameInput_sameBytes_andRostersNeverOverwrite() {
    QTemporaryDir dir(TestSupport::scratchTemplate());
    makeGrade(dir.path());
    const QString next = dir.filePath(u"next"_s);
    const QStringList args{dir.path(), u"--grade"_s, u"5"_s, u"--classes"_s, u"4"_s};
    const Run a = organise(args + QStringList{u"--write"_s, next});
    const Run b = organise(args);
    QCOMPARE(a.exitCode, 0);
    QCOMPARE(a.out, b.out);
    const QJsonObject o = QJsonDocument::fromJson(a.out).object();
    QCOMPARE(o[u"pupils"_s].toArray().size(), 105);
    // Each roster loads as a class of grade 6 with the pupils the proposal gave it, named in order.
    QMap<int, QStringList> names;
    for (const QJsonValue& v : o[u"pupils"_s].toArray())
        names[v[u"class"_s].toInt()] << v[u"name"_s].toString();
    for (int k = 1; k <= 4; ++k) {
        VOXA1 c;
        c.ClassPath = next + u"/6-%1"_s.arg(k);
        QCOMPARE(ClassFiles::loadClass(c), QString());
        QCOMPARE(int(c.ClassSize), int(names[k].size()));
        QCOMPARE(c.PassWord.str(), u"0000000000"_s);
        QCOMPARE(c.Pupil(1).PName.str().trimmed(), names[k][0]);
        QCOMPARE(TestSupport::fromSjis(TestSupport::readFile(c.ClassPath + u".csv"_s)).count(u"\r\n"_s),
                 names[k].size());
    }
    // A second write finds them there: nothing replaced, the files named.
    const QByteArray before = TestSupport::readFile(next + u"/6-2.dat"_s);
    const Run again = organise(args + QStringList{u"--write"_s, next});
    QCOMPARE(again.exitCode, 1);
    QVERIFY(QString::fromUtf8(again.err).contains(u"6-1.sdt"_s));
    QCOMPARE(TestSupport::readFile(next + u"/6-2.dat"_s), before);
    // Grade 6 has no next year here.
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        QVERIFY(QFile::copy(TestSupport::dataDir() + u"/5-1"_s + ext, dir.filePath(u"6-1"_s + ext)));
    const Run six = organise(
        {dir.path(), u"--grade"_s, u"6"_s, u"--classes"_s, u"1"_s, u"--write"_s, dir.filePath(u"seven"_s)});
    QCOMPARE(six.exitCode, 1);
    QVERIFY(!QFile::exists(dir.filePath(u"seven/7-1.sdt"_s)));
}

void tst_OrganiseFiles::readLastSave_whileAnotherProgramSaves_neverAMix() {
    QTemporaryDir dir(TestSupport::scratchTemplate());
    for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
        QVERIFY(QFile::copy(TestSupport::dataDir() + u"/5-1"_s + ext, dir.filePath(u"5-1"_s + ext)));
    VOXA1 loaded;
    loaded.ClassPath = dir.filePath(u"5-1"_s);
    QCOMPARE(ClassFiles::loadClass(loaded), QString());
    QList<std::tuple<int, QString, QString>> states;
    // A save of the whole class (the loaded one, the one rewritten), or of its index and settings
    // alone after either: pupil 1 is then the second record as the last whole save left it.
    const QList<SaveStates::State> made = SaveStates::make(loaded);
    for (const SaveStates::State& s : {made[0], made[2]}) {
        states.append({s.c.ClassSize, s.c.SchoolName.str(), s.c.Pupil(1).PName.str()});
        states.append({made[1].c.ClassSize, made[1].c.SchoolName.str(), s.c.Pupil(2).PName.str()});
    }
    QProcess saver;
    saver.start(qEnvironmentVariable("VOXA_BIN_DIR") + u"/voxa_saveloop"_s, {dir.path()});
    QVERIFY(saver.waitForReadyRead(10000));
    int read = 0, before = 0;
    for (int i = 0; i < 150; ++i) {
        VOXA1 c;
        c.ClassPath = loaded.ClassPath;
        QString notice;
        const QString error = ClassFiles::readLastSave(c, &notice);
        if (!error.isEmpty())
            continue; // the saves went on for the whole wait: said, never a mix
        ++read;
        before += !notice.isEmpty();
        const std::tuple<int, QString, QString> got{c.ClassSize, c.SchoolName.str(), c.Pupil(1).PName.str()};
        QVERIFY2(states.contains(got), qPrintable(std::get<1>(got) + std::get<2>(got)));
    }
    saver.kill();
    saver.waitForFinished();
    QVERIFY(read > 100);
    qInfo("%d reads whole, %d of them from before a save under way", read, before);
}

void tst_OrganiseFiles::rulesFile_stoppedAtEveryStep_oldOrNew_andPrivate() {
    QTemporaryDir dir(TestSupport::scratchTemplate());
    OrganiseRules old, next;
    old.apart = {{u"5-1:1"_s, u"5-2:3"_s}};
    next.together = {{u"5-1:2"_s, u"5-3:4"_s, u"5-2:1"_s}};
    next.readings.insert(u"5-1:2"_s, u"あおき　はな"_s);
    QCOMPARE(old.save(dir.path(), 5), QString());
    for (int steps = 0; steps < 12; ++steps) {
        FileSet::stopAfterStepsForTest(steps);
        next.save(dir.path(), 5);
        FileSet::stopAfterStepsForTest(-1);
        OrganiseRules got;
        QCOMPARE(OrganiseRules::load(dir.path(), 5, &got), QString());
        QVERIFY2(got == old || got == next, qPrintable(QString::number(steps)));
        QCOMPARE(old.save(dir.path(), 5), QString());
    }
    struct stat st {};
    QCOMPARE(::lstat(QFile::encodeName(OrganiseRules::filePath(dir.path(), 5)).constData(), &st), 0);
    if (!TestSupport::onShare())
        QCOMPARE(st.st_mode & 0777, 0600u);
    // A link planted at the file's name is never read through.
    if (TestSupport::onShare())
        return; // the share makes no links
    QVERIFY(QFile::remove(OrganiseRules::filePath(dir.path(), 5)));
    QVERIFY(QFile::link(dir.filePath(u"elsewhere.json"_s), OrganiseRules::filePath(dir.path(), 5)));
    writeText(dir.filePath(u"elsewhere.json"_s), next.toJson());
    OrganiseRules got;
    QVERIFY(OrganiseRules::load(dir.path(), 5, &got).contains(u"リンク"_s));
}

QTEST_GUILESS_MAIN(tst_OrganiseFiles)
#include "tst_OrganiseFiles.moc"

// Names and sexes from CSV files into the roster.

#include "WindowDriver.h"
#include "platform/Dialogs.h"
#include "platform/MsgBox.h"
#include "roster/NameImport.h"

#include <QLabel>
#include <QTableWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_NameImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void apply_files_data();
    void apply_files();
    void window_importsAndTheRosterShowsTheNames();
    void window_badFiles_areRefusedAndNothingIsTaken_data();
    void window_badFiles_areRefusedAndNothingIsTaken();
    void window_withoutFile_asksForOne();
    void window_cancel_readsNothing();
};

void tst_NameImport::cleanup() {
    QCOMPARE(MsgBox::unanswered(), 0);
}

namespace {
const QByteArray kUtf8Bom = "\xEF\xBB\xBF";
}

void tst_NameImport::apply_files_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("classSize");
    QTest::addColumn<QStringList>(
        "names");                       // expected names of pupils 1..classSize (trailing padding trimmed)
    QTest::addColumn<QString>("sexes"); // expected Sex of each pupil, one character each
    const QByteArray digits = TestSupport::sjis(u"青木　一郎,1\r\n井上　さくら,2\r\n上田　健,1\r\n"_s);
    const QByteArray kanji = TestSupport::sjis(u"青木　一郎,男\r\n井上　さくら,女\r\n上田　健,男\r\n"_s);
    const QStringList three = {u"青木　一郎"_s, u"井上　さくら"_s, u"上田　健"_s};
    QTest::newRow("1 and 2") << digits << 3 << three << u"121"_s;
    QTest::newRow("男 and 女 give the same") << kanji << 3 << three << u"121"_s;
    QTest::newRow("pairs on one line")
        << TestSupport::sjis(u"青木　一郎,1,井上　さくら,2,上田　健,男"_s) << 3 << three << u"121"_s;
    QTest::newRow("unknown sex keeps the previous (0)")
        << TestSupport::sjis(u"青木　一郎,M\r\n井上　さくら,2\r\n上田　健,？\r\n"_s) << 3 << three
        << u"020"_s;
    QTest::newRow("more pairs than pupils") << digits << 2 << three.mid(0, 2) << u"12"_s;
    QTest::newRow("fewer pairs stop at the end")
        << TestSupport::sjis(u"青木　一郎,1\r\n井上　さくら"_s) << 3
        << QStringList{u"青木　一郎"_s, u"井上　さくら"_s, u"元の名前3"_s} << u"100"_s;
    QTest::newRow("quoted names with commas")
        << TestSupport::sjis(u"\"青木, 一郎\",1\r\n\"井上 \"\"さくら\"\"\",\"2\"\r\n  上田　健 ,1"_s) << 3
        << QStringList{u"青木, 一郎"_s, u"井上 \"さくら\""_s, u"上田　健"_s} << u"121"_s;
    QTest::newRow("UTF-8 with byte order mark") << kUtf8Bom + u"髙橋　一,1\n山﨑　二,2\n"_s.toUtf8() << 2
                                                << QStringList{u"髙橋　一"_s, u"山﨑　二"_s} << u"12"_s;
    QTest::newRow("code page 932 with 髙 and 﨑") << TestSupport::sjis(u"髙橋　一,1\r\n山﨑　二,2\r\n"_s) << 2
                                                  << QStringList{u"髙橋　一"_s, u"山﨑　二"_s} << u"12"_s;
    QTest::newRow("name of 25 characters")
        << TestSupport::sjis(u"あいうえおかきくけこさしすせそたちつてとなにぬねの,2"_s) << 1
        << QStringList{u"あいうえおかきくけこ"_s} << u"2"_s;
    // 13 characters, 26 bytes: cut at 20 bytes, as the class file keeps it.
    QTest::newRow("name of 13 full-width characters")
        << TestSupport::sjis(u"グエン　ヴァン　ミン　ホア,1"_s) << 1 << QStringList{u"グエン　ヴァン　ミン"_s}
        << u"1"_s;
    QTest::newRow("half-width katakana, 20 bytes")
        << TestSupport::sjis(u"ｸﾞｴﾝ ｳﾞｧﾝ ﾐﾝ ﾎｱﾝﾅ,2"_s) << 1 << QStringList{u"ｸﾞｴﾝ ｳﾞｧﾝ ﾐﾝ ﾎｱﾝﾅ"_s} << u"2"_s;
    QTest::newRow("full-width digits are no sex")
        << TestSupport::sjis(u"青木　一郎,１\r\n井上　さくら,２"_s) << 2 << three.mid(0, 2) << u"00"_s;
    QTest::newRow("UTF-8 without byte order mark (LibreOffice)")
        << u"髙橋　一,1\n山﨑　二,2\n"_s.toUtf8() << 2 << QStringList{u"髙橋　一"_s, u"山﨑　二"_s}
        << u"12"_s;
    const QString utf16 = u"青木　一郎,1\r\n井上　さくら,2"_s;
    QTest::newRow("UTF-16 with byte order mark")
        << QByteArray("\xFF\xFE", 2) +
               QByteArray(reinterpret_cast<const char*>(utf16.utf16()), 2 * utf16.size())
        << 2 << three.mid(0, 2) << u"12"_s;
    QTest::newRow("tab, NUL, end-of-file mark and a line end inside quotes are dropped")
        << TestSupport::sjis(u"\"青木\r\n　一郎\",1\r\n井上\t　さくら,2\r\n"_s) + QByteArray("\0\x1A", 2) << 2
        << three.mid(0, 2) << u"12"_s;
    QTest::newRow("empty file") << QByteArray() << 2 << QStringList{u"元の名前1"_s, u"元の名前2"_s}
                                << u"00"_s;
}

void tst_NameImport::apply_files() {
    QFETCH(QByteArray, file);
    QFETCH(int, classSize);
    QFETCH(QStringList, names);
    QFETCH(QString, sexes);
    VOXA1 c;
    c.ClassSize = static_cast<qint16>(classSize);
    for (int i = 1; i <= classSize; ++i)
        c.Pupil(i).PName = u"元の名前%1"_s.arg(i);
    const QStringList fields = NameImport::fields(NameImport::decode(file));
    QStringList cut;
    NameImport::apply(c, fields, &cut);
    int shorter = 0;
    for (int i = 1; i <= classSize; ++i) {
        QString name = c.Pupil(i).PName.str();
        while (name.endsWith(u' '))
            name.chop(1);
        QCOMPARE(name, names[i - 1]);
        // What is kept is what the class file keeps, and every name cut is named.
        QCOMPARE(TestSupport::fromSjis(Cp932::fixedBytes(name, 20)).trimmed(), name.trimmed());
        if ((i - 1) * 2 < fields.size() && name != fields.value((i - 1) * 2)) {
            QVERIFY(cut.contains(fields.value((i - 1) * 2) + u" → "_s + name));
            ++shorter;
        }
        QCOMPARE(c.Pupil(i).Sex, QString(sexes[i - 1]));
    }
    QCOMPARE(cut.size(), shorter);
}

void tst_NameImport::window_importsAndTheRosterShowsTheNames() {
    WindowDriver d;
    d.startWithClass(u"3-1"_s, u"3年1組"_s, 2);
    VOXA1& c = d.c();
    d.trigger(u"vxMain"_s, u"mnuMeibo"_s);
    d.click(u"vxMeibo"_s, u"Command1"_s);
    QVERIFY(d.forms().isLoaded(u"vxNameIn"_s));
    QVERIFY(!d.forms().find(u"vxMeibo"_s)->isVisible());
    QCOMPARE(c.NamesImported, qint16(10));

    const QString csv = d.home().file(u"meibo.csv"_s);
    TestSupport::writeFile(csv, TestSupport::sjis(u"髙橋　一,2\r\n山﨑　二,男\r\n"_s));
    Dialogs::queueResult(csv);
    d.click(u"vxNameIn"_s, u"Command1"_s);
    QCOMPARE(d.find<QLabel>(u"vxNameIn"_s, u"Label1"_s)->text(), u"C:\\meibo.csv"_s);
    d.click(u"vxNameIn"_s, u"Command2"_s);
    // The roster is back, has unloaded the import window and shows the names.
    QVERIFY(d.forms().find(u"vxMeibo"_s)->isVisible());
    QVERIFY(!d.forms().isLoaded(u"vxNameIn"_s));
    QCOMPARE(c.NamesImported, qint16(0));
    auto* grid = d.find<QTableWidget>(u"vxMeibo"_s, u"Grid1"_s);
    QCOMPARE(grid->item(0, 1)->text().trimmed(), u"髙橋　一"_s);
    QCOMPARE(grid->item(0, 2)->text(), u"女"_s);
    QCOMPARE(grid->item(1, 2)->text(), u"男"_s);
    // In memory only until the roster is saved.
    VOXA1 back;
    back.ClassPath = c.ClassPath;
    QVERIFY(back.LoadClass());
    QCOMPARE(back.Pupil(1).PName.str().trimmed(), u"生徒1"_s);
}

void tst_NameImport::window_badFiles_areRefusedAndNothingIsTaken_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("told");
    QTest::newRow("over 1 MB") << QByteArray(NameImport::kMaxFileSize + 1, 'a')
                               << u"ファイルが大きすぎます"_s;
    QTest::newRow("a name with 𠮷") << u"𠮷田　花子,2\n"_s.toUtf8() << u"「𠮷」は使えない文字"_s;
    QTest::newRow("a name with an emoji") << u"青木,1\n井上😀,2\n"_s.toUtf8() << u"2番目の名前"_s;
    QTest::newRow("a folder") << QByteArray() << u"ファイルを読み込めませんでした。"_s;
}

void tst_NameImport::window_badFiles_areRefusedAndNothingIsTaken() {
    QFETCH(QByteArray, file);
    QFETCH(QString, told);
    WindowDriver d;
    d.c().ClassSize = 2;
    d.c().Pupil(1).PName = u"そのまま"_s;
    d.forms().show(u"vxNameIn"_s);
    const QString csv = d.home().file(u"meibo.csv"_s);
    if (file.isEmpty())
        QVERIFY(QDir().mkdir(csv));
    else
        TestSupport::writeFile(csv, file);
    Dialogs::queueResult(csv);
    d.click(u"vxNameIn"_s, u"Command1"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d.click(u"vxNameIn"_s, u"Command2"_s);
    QVERIFY2(MsgBox::shown().last().text.contains(told), qPrintable(MsgBox::shown().last().text));
    QCOMPARE(d.c().Pupil(1).PName.str().trimmed(), u"そのまま"_s);
    QVERIFY(d.forms().find(u"vxNameIn"_s)->isVisible());
}

void tst_NameImport::window_withoutFile_asksForOne() {
    WindowDriver d;
    d.writeClass(u"3-1"_s, 2);
    d.c().ClassSize = 2;
    d.forms().show(u"vxNameIn"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d.click(u"vxNameIn"_s, u"Command2"_s);
    QCOMPARE(MsgBox::shown().last().text, u"ファイルの場所を指定してください"_s);
    QVERIFY(d.forms().find(u"vxNameIn"_s)->isVisible());
    // A cancelled file choice leaves no file chosen.
    Dialogs::queueResult(QString());
    d.click(u"vxNameIn"_s, u"Command1"_s);
    MsgBox::queueAnswer(MsgBox::Ok);
    d.click(u"vxNameIn"_s, u"Command2"_s);
    QCOMPARE(MsgBox::shown().size(), 2);
}

void tst_NameImport::window_cancel_readsNothing() {
    WindowDriver d;
    d.c().ClassSize = 1;
    d.c().Pupil(1).PName = u"そのまま"_s;
    d.forms().show(u"vxNameIn"_s);
    const QString csv = d.home().file(u"meibo.csv"_s);
    TestSupport::writeFile(csv, TestSupport::sjis(u"ちがう名前,1"_s));
    Dialogs::queueResult(csv);
    d.click(u"vxNameIn"_s, u"Command1"_s);
    d.click(u"vxNameIn"_s, u"Command3"_s);
    QCOMPARE(d.c().Pupil(1).PName.str().trimmed(), u"そのまま"_s);
}

QTEST_MAIN(tst_NameImport)
#include "tst_NameImport.moc"

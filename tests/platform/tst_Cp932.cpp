#include "platform/Cp932.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class tst_Cp932 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_namesOfTheExtendedSet_survive_data();
    void roundTrip_namesOfTheExtendedSet_survive();
    void fixedBytes_cutsWithoutSplittingCharacters_data();
    void fixedBytes_cutsWithoutSplittingCharacters();
    void halfWidthKe_isTheAbsenceByte();
    void firstUnencodable_findsWhatWouldBeLost_data();
    void firstUnencodable_findsWhatWouldBeLost();
};

void tst_Cp932::roundTrip_namesOfTheExtendedSet_survive_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("髙橋 (IBM extension)") << u"髙橋"_s << QByteArray::fromHex("fbfc8bb4");
    QTest::newRow("山﨑") << u"山﨑"_s << QByteArray::fromHex("8e52fab1");
    QTest::newRow("Ⅲ (NEC special)") << u"Ⅲ"_s << QByteArray::fromHex("8756");
    QTest::newRow("full-width space") << u"　"_s << QByteArray::fromHex("8140");
    QTest::newRow("wave dash as Windows writes it") << u"～"_s << QByteArray::fromHex("8160");
    QTest::newRow("half-width katakana") << u"ﾃﾞｰﾀ"_s << QByteArray::fromHex("c3deb0c0");
}

void tst_Cp932::roundTrip_namesOfTheExtendedSet_survive() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Cp932::encode(text).toHex(), bytes.toHex());
    QCOMPARE(Cp932::decode(bytes), text);
}

void tst_Cp932::fixedBytes_cutsWithoutSplittingCharacters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray a = QByteArray::fromHex("82a0"); // あ
    QTest::newRow("short, padded") << u"あ"_s << 5 << (a + "   ");
    QTest::newRow("exact") << u"ああ"_s << 4 << (a + a);
    QTest::newRow("11 full-width into 20") << QString(11, u'あ') << 20 << a.repeated(10);
    QTest::newRow("cut would split: space instead")
        << (u"a"_s + QString(10, u'あ')) << 20 << (QByteArray("a") + a.repeated(9) + " ");
    QTest::newRow("half-width only") << u"abcdefghijk"_s << 10 << QByteArray("abcdefghij");
    QTest::newRow("empty") << QString() << 3 << QByteArray("   ");
}

void tst_Cp932::fixedBytes_cutsWithoutSplittingCharacters() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QByteArray, expected);
    const QByteArray got = Cp932::fixedBytes(text, width);
    QCOMPARE(got.size(), width);
    QCOMPARE(got.toHex(), expected.toHex());
}

void tst_Cp932::halfWidthKe_isTheAbsenceByte() {
    QCOMPARE(Cp932::encode(u"ｹ"_s), QByteArray("\xB9", 1));
    QCOMPARE(Cp932::cellWidth(u"出席番号1"_s), 9);
}

void tst_Cp932::firstUnencodable_findsWhatWouldBeLost_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("first");
    QTest::newRow("ASCII") << u"abc 123"_s << QString();
    QTest::newRow("extended set 髙﨑Ⅲ①") << u"髙橋 山﨑 Ⅲ ①"_s << QString();
    QTest::newRow("half-width ｹ") << u"ｹ"_s << QString();
    QTest::newRow("𠮷 outside the plane") << u"𠮷田"_s << u"𠮷"_s;
    QTest::newRow("emoji after good text") << u"青木😀"_s << u"😀"_s;
    QTest::newRow("Korean") << u"김"_s << u"김"_s;
    QTest::newRow("the first of two") << u"ア😀𠮷"_s << u"😀"_s;
}

void tst_Cp932::firstUnencodable_findsWhatWouldBeLost() {
    QFETCH(QString, text);
    QFETCH(QString, first);
    QCOMPARE(Cp932::firstUnencodable(text), first);
}

QTEST_GUILESS_MAIN(tst_Cp932)
#include "tst_Cp932.moc"

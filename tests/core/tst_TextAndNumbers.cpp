#include "core/ExchangeSort.h"
#include "core/Grid.h"
#include "core/ListText.h"
#include "core/NumberFormat.h"
#include "core/ScoreCode.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"

#include <QtTest>

#include <limits>

using namespace Qt::StringLiterals;

class tst_TextAndNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void format_patterns_data();
    void format_patterns();
    void toInt_roundsHalvesToEven_data();
    void toInt_roundsHalvesToEven();
    void withBlank_andPlain();
    void exchangeSort_equalKeysComeOutInTheFixedOrder_data();
    void exchangeSort_equalKeysComeOutInTheFixedOrder();
    void scoreCode_everyValueRoundTrips();
    void schoolLine_data();
    void schoolLine();
    void cutAfter_and_padding();
    void splitClassName_data();
    void splitClassName();
    void fixedText_padsAndCutsToItsWidth();
    void listReader_readsWhatTheWriterWrote();
};

void tst_TextAndNumbers::format_patterns_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::newRow("72.26") << 72.26 << u"###.#"_s << u"72.3"_s;
    QTest::newRow("0 as a lone point") << 0.0 << u"###.#"_s << u"."_s;
    QTest::newRow("0.5 without leading zero") << 0.5 << u"###.#"_s << u".5"_s;
    QTest::newRow("100 with its point") << 100.0 << u"###.#"_s << u"100."_s;
    QTest::newRow("62.25 half away from zero") << 62.25 << u"###.#"_s << u"62.3"_s;
    QTest::newRow("0.15 decimal half") << 0.15 << u"###.#"_s << u".2"_s;
    QTest::newRow("99.96 carries") << 99.96 << u"###.#"_s << u"100."_s;
    QTest::newRow("0.04 rounds to nothing") << 0.04 << u"###.#"_s << u"."_s;
    QTest::newRow("### 84.5") << 84.5 << u"###"_s << u"85"_s;
    QTest::newRow("### 84.49") << 84.49 << u"###"_s << u"84"_s;
    QTest::newRow("### 0 prints nothing") << 0.0 << u"###"_s << QString();
    QTest::newRow("### 0.4 prints nothing") << 0.4 << u"###"_s << QString();
    QTest::newRow("### 100") << 100.0 << u"###"_s << u"100"_s;
    QTest::newRow("## 49.5") << 49.5 << u"##"_s << u"50"_s;
    QTest::newRow("## 2.5 away from zero") << 2.5 << u"##"_s << u"3"_s;
    QTest::newRow("##0.0 zero") << 0.0 << u"##0.0"_s << u"0.0"_s;
    QTest::newRow("##0.0 0.45") << 0.45 << u"##0.0"_s << u"0.5"_s;
    QTest::newRow("##0.0 57.0") << 57.0 << u"##0.0"_s << u"57.0"_s;
    QTest::newRow("##0.0 negative") << -3.25 << u"##0.0"_s << u"-3.3"_s;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const QString& pattern : {u"###"_s, u"##"_s, u"###.#"_s, u"##0.0"_s}) {
        QTest::newRow(qPrintable(pattern + u" NaN is blank"_s)) << nan << pattern << QString();
        QTest::newRow(qPrintable(pattern + u" infinity is blank"_s)) << inf << pattern << QString();
        QTest::newRow(qPrintable(pattern + u" -infinity is blank"_s)) << -inf << pattern << QString();
    }
}

void tst_TextAndNumbers::format_patterns() {
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::format(value, pattern), text);
}

void tst_TextAndNumbers::toInt_roundsHalvesToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("2.51") << 2.51 << 3;
    QTest::newRow("49.4999") << 49.4999 << 49;
    QTest::newRow("NaN is 0") << std::numeric_limits<double>::quiet_NaN() << 0;
    QTest::newRow("infinity clamps") << std::numeric_limits<double>::infinity()
                                     << std::numeric_limits<int>::max();
    QTest::newRow("-1e300 clamps") << -1e300 << std::numeric_limits<int>::min();
    QTest::newRow("3e9 clamps") << 3e9 << std::numeric_limits<int>::max();
}

void tst_TextAndNumbers::toInt_roundsHalvesToEven() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(NumberFormat::toInt(value), expected);
}

void tst_TextAndNumbers::withBlank_andPlain() {
    QCOMPARE(NumberFormat::withBlank(3), u" 3"_s);
    QCOMPARE(NumberFormat::withBlank(0), u" 0"_s);
    QCOMPARE(NumberFormat::withBlank(-3), u"-3"_s);
    QCOMPARE(NumberFormat::withBlank(0.5), u" .5"_s);
    QCOMPARE(NumberFormat::withBlank(72.26), u" 72.26"_s);
    QCOMPARE(NumberFormat::plain(42), u"42"_s);
    QCOMPARE(NumberFormat::plain(0.5), u"0.5"_s);
}

void tst_TextAndNumbers::exchangeSort_equalKeysComeOutInTheFixedOrder_data() {
    QTest::addColumn<QList<double>>("means");
    QTest::addColumn<QList<int>>("order"); // pupil numbers after the sort
    QTest::newRow("4 0 2 0 0") << QList<double>{4, 0, 2, 0, 0} << QList<int>{1, 3, 2, 4, 5};
    QTest::newRow("nine pupils") << QList<double>{4, 0, 2, 0, 0, 1, 4, 0, 3}
                                 << QList<int>{1, 7, 9, 3, 6, 2, 4, 8, 5};
    QTest::newRow("all equal stay put") << QList<double>{5, 5, 5} << QList<int>{1, 2, 3};
    QTest::newRow("one") << QList<double>{7} << QList<int>{1};
}

void tst_TextAndNumbers::exchangeSort_equalKeysComeOutInTheFixedOrder() {
    QFETCH(QList<double>, means);
    QFETCH(QList<int>, order);
    QList<int> pupils;
    for (int i = 1; i <= means.size(); ++i)
        pupils.append(i);
    exchangeSortDescending(
        static_cast<int>(means.size()), [&](int i) { return means[i - 1]; },
        [&](int i, int j) {
            std::swap(means[i - 1], means[j - 1]);
            std::swap(pupils[i - 1], pupils[j - 1]);
        });
    QCOMPARE(pupils, order);
    for (int i = 1; i < means.size(); ++i)
        QVERIFY(means[i - 1] >= means[i]);
}

void tst_TextAndNumbers::scoreCode_everyValueRoundTrips() {
    for (int p = 0; p <= 100; ++p) {
        const unsigned char code = ScoreCode::encode(p);
        QCOMPARE(ScoreCode::decode(code), p);
        QVERIFY(code != ScoreCode::kAbsent);
        QVERIFY(code != '\r' && code != '\n');
        QCOMPARE(ScoreCode::decode(ScoreCode::encodeAllocation(p)), p);
    }
    QCOMPARE(int(ScoreCode::encode(97)), 28);
    QCOMPARE(int(ScoreCode::encode(100)), 31);
    QCOMPARE(int(ScoreCode::encode(96)), 128);
    QCOMPARE(int(ScoreCode::encodeAllocation(100)), 31);
    QCOMPARE(int(ScoreCode::encodeAllocation(99)), 131);
    QCOMPARE(ScoreCode::decode(' '), 0);
}

void tst_TextAndNumbers::schoolLine_data() {
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("school");
    QTest::addColumn<QString>("line");
    QTest::newRow("city and ward") << u"横浜市中区          "_s << u"みなと小学校        "_s
                                   << u"横浜市立みなと小学校"_s;
    QTest::newRow("ward only") << u"中央区"_s << u"月島第一小学校"_s << u"中央区立月島第一小学校"_s;
    QTest::newRow("town") << u"大磯町"_s << u"国府小"_s << u"大磯町立国府小学校"_s;
    QTest::newRow("neither") << u"東京都"_s << u"学園"_s << u"立学校"_s;
    // A full official name in 学校名: the city is not printed twice.
    QTest::newRow("full name") << u"横浜市"_s << u"横浜市立桜ヶ丘小学校"_s << u"横浜市立桜ヶ丘小学校"_s;
    QTest::newRow("full name, ward") << u"足立区"_s << u"足立区立足立小学校"_s << u"足立区立足立小学校"_s;
    QTest::newRow("立 in the name itself")
        << u"立川市"_s << u"立川第一小学校"_s << u"立川市立立川第一小学校"_s;
}

void tst_TextAndNumbers::schoolLine() {
    QFETCH(QString, city);
    QFETCH(QString, school);
    QFETCH(QString, line);
    QCOMPARE(TextHelpers::SchoolLine(city, school), line);
}

void tst_TextAndNumbers::cutAfter_and_padding() {
    QCOMPARE(TextHelpers::CutAfter(u"横浜市中区"_s, u"市"_s, u"区"_s), u"横浜市"_s);
    QCOMPARE(TextHelpers::CutAfter(u"中区"_s, u"市"_s, u"区"_s), u"中区"_s);
    QCOMPARE(TextHelpers::CutAfter(u"大磯"_s, u"市"_s, u"区"_s), QString());
    QCOMPARE(TextHelpers::PadRight(u"山田"_s, 5), u"山田   "_s);
    QCOMPARE(TextHelpers::PadRight(u"山田太郎です"_s, 5), u"山田太郎です"_s);
    QCOMPARE(TextHelpers::RightJustify(u"7"_s, 3), u"  7"_s);
    qint16 a = 1, b = 2;
    TextHelpers::SwapInt(a, b);
    QCOMPARE(a, qint16(2));
}

void tst_TextAndNumbers::splitClassName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("classNo");
    QTest::newRow("3年1組") << u"3年1組"_s << 3 << 1;
    QTest::newRow("6年9組") << u"6年9組"_s << 6 << 9;
    QTest::newRow("no class") << QString() << 0 << 0;
    QTest::newRow("not digits") << u"未入力"_s << 0 << 0;
}

void tst_TextAndNumbers::splitClassName() {
    QFETCH(QString, name);
    QFETCH(int, grade);
    QFETCH(int, classNo);
    VOXA1 c;
    c.ClassName = name;
    c.SplitClassName();
    QCOMPARE(int(c.Grade), grade);
    QCOMPARE(int(c.ClassNo), classNo);
    QCOMPARE(c.classIsLoaded(), name.contains(u"年"_s));
}

void tst_TextAndNumbers::fixedText_padsAndCutsToItsWidth() {
    FixedText<8> t;
    QCOMPARE(t.str(), QString(8, u' '));
    t = u"関心意欲態度です"_s + u"長い"_s;
    QCOMPARE(t.str(), u"関心意欲態度です"_s);
    t = u"表現"_s;
    QCOMPARE(t.str(), u"表現      "_s);
    Grid<int, 2, 3> g{};
    g(2, 3) = 5;
    QCOMPARE(g(2, 3), 5);
    QCOMPARE(g(1, 1), 0);
}

void tst_TextAndNumbers::listReader_readsWhatTheWriterWrote() {
    ListWriter w;
    w.integer(-12);
    w.text("a,b");
    w.text("say \"hi\"");
    w.endLine();
    w.text("");
    w.endLine();
    QCOMPARE(w.data(), QByteArray("-12,\"a,b\",\"say \"\"hi\"\"\"\r\n\"\"\r\n"));
    ListReader r(w.data());
    QCOMPARE(r.nextInt16(), std::optional<qint16>(-12));
    QCOMPARE(r.next(), std::optional<QByteArray>("a,b"));
    QCOMPARE(r.next(), std::optional<QByteArray>("say \"hi\""));
    QCOMPARE(r.next(), std::optional<QByteArray>(""));
    QVERIFY(r.atEnd());
    QVERIFY(!r.next().has_value());

    ListReader quotedNumber("\"0\"\r\n 7 ,x\r\n");
    QCOMPARE(quotedNumber.nextInt16(), std::optional<qint16>(0));
    QCOMPARE(quotedNumber.nextInt16(), std::optional<qint16>(7));
    QVERIFY(!quotedNumber.nextInt16().has_value());
    QVERIFY(!ListReader("99999").nextInt16().has_value());
}

QTEST_GUILESS_MAIN(tst_TextAndNumbers)
#include "tst_TextAndNumbers.moc"

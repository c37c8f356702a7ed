#include "jsonnumber.h"

#include <QLocale>
#include <QTest>

#include <optional>

using DeviceReply::FindJsonNumber;
using DeviceReply::GetJsonNumber;

class TestJsonNumber : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void finds_data();
    void finds();
    void decimalCommaLocaleStillReadsPoint();
    void scansLargeReplyToTheEnd();
};

void TestJsonNumber::finds_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<std::optional<double>>("expected");
    using V = std::optional<double>;
    const V none;

    QTest::newRow("value ends at comma") << QByteArray(R"({"id":0,"apower":12.5,"x":230.1})") << QByteArray("apower") << V(12.5);
    QTest::newRow("value ends at brace") << QByteArray(R"({"meter":{"total":1532.75}})") << QByteArray("total") << V(1532.75);
    QTest::newRow("blank before colon") << QByteArray(R"({"apower" : 5})") << QByteArray("apower") << none;
    QTest::newRow("first match wins") << QByteArray(R"({"x":{"total":1},"total":2})") << QByteArray("total") << V(1);
    QTest::newRow("longer key ending in key") << QByteArray(R"({"ret_total":3})") << QByteArray("total") << none;
    QTest::newRow("blanks around value") << QByteArray(R"({"apower": 7 ,"b":1})") << QByteArray("apower") << V(7);
    QTest::newRow("null") << QByteArray(R"({"apower":null})") << QByteArray("apower") << none;
    QTest::newRow("true") << QByteArray(R"({"apower":true})") << QByteArray("apower") << none;
    QTest::newRow("quoted string") << QByteArray(R"({"apower":"12"})") << QByteArray("apower") << none;
    QTest::newRow("nested object") << QByteArray(R"({"aenergy":{"total":5}})") << QByteArray("aenergy") << none;
    QTest::newRow("empty value") << QByteArray(R"({"apower":,"b":1})") << QByteArray("apower") << none;
    QTest::newRow("capitalised key") << QByteArray(R"({"Apower":3})") << QByteArray("apower") << none;
    QTest::newRow("key absent") << QByteArray(R"({"voltage":230})") << QByteArray("apower") << none;
    QTest::newRow("nothing closes the value") << QByteArray(R"({"apower":12.5)") << QByteArray("apower") << none;
    QTest::newRow("array cut at first comma") << QByteArray(R"({"total":[1,2]})") << QByteArray("total") << none;
    QTest::newRow("tab is not a blank") << QByteArray("{\"apower\":\t7}") << QByteArray("apower") << none;
    QTest::newRow("nan") << QByteArray(R"({"apower":nan})") << QByteArray("apower") << none;
    QTest::newRow("inf") << QByteArray(R"({"apower":-inf})") << QByteArray("apower") << none;
    QTest::newRow("hexadecimal") << QByteArray(R"({"apower":0x10})") << QByteArray("apower") << none;
    QTest::newRow("overflow") << QByteArray(R"({"total":1e999})") << QByteArray("total") << none;
    QTest::newRow("underflow") << QByteArray(R"({"total":1e-400})") << QByteArray("total") << none;
    QTest::newRow("huge but finite") << QByteArray(R"({"total":1.5e300})") << QByteArray("total") << V(1.5e300);
    QTest::newRow("exponent") << QByteArray(R"({"total":1.5E+3})") << QByteArray("total") << V(1500);
    QTest::newRow("negative exponent") << QByteArray(R"({"total":25e-1})") << QByteArray("total") << V(2.5);
    QTest::newRow("bare exponent") << QByteArray(R"({"total":1e})") << QByteArray("total") << none;
    QTest::newRow("signs") << QByteArray(R"({"a":-3.5,"b":+2})") << QByteArray("a") << V(-3.5);
    QTest::newRow("plus sign") << QByteArray(R"({"a":-3.5,"b":+2})") << QByteArray("b") << V(2);
    QTest::newRow("zero is a value") << QByteArray(R"({"total":0})") << QByteArray("total") << V(0);
    QTest::newRow("no leading digit") << QByteArray(R"({"total":.5})") << QByteArray("total") << V(0.5);
    QTest::newRow("two points") << QByteArray(R"({"total":1.2.3})") << QByteArray("total") << none;
}

void TestJsonNumber::finds()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, key);
    QFETCH(std::optional<double>, expected);

    QCOMPARE(FindJsonNumber(text, key), expected);
    QCOMPARE(GetJsonNumber(text, key), expected.value_or(0.0));
}

void TestJsonNumber::decimalCommaLocaleStillReadsPoint()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(GetJsonNumber(R"({"apower":12.5})", "apower"), 12.5);
    QCOMPARE(FindJsonNumber(R"({"apower":12,5})", "apower"), std::optional<double>(12));
    QLocale::setDefault(QLocale::c());
}

void TestJsonNumber::scansLargeReplyToTheEnd()
{
    QByteArray text = "{\"pad\":\"" + QByteArray(1024 * 1024, 'x') + "\",\"total\":42}";
    QCOMPARE(GetJsonNumber(text, "total"), 42.0);
}

QTEST_GUILESS_MAIN(TestJsonNumber)
#include "tst_jsonnumber.moc"

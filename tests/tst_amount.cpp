#include "core/Module1.h"

#include <QLocale>
#include <QTest>

#include <clocale>

using Module1::Decimal;

class tst_amount : public QObject
{
    Q_OBJECT

private slots:
    void filterKey_data();
    void filterKey();
    void groupThousands_data();
    void groupThousands();
    void numericTest_data();
    void numericTest();
    void conversion_data();
    void conversion();
    void formatNumber();
    void independentOfLocale();
};

void tst_amount::filterKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("digit 0") << int('0') << "12" << int('0');
    QTest::newRow("digit 9") << int('9') << "" << int('9');
    QTest::newRow("backspace") << 8 << "1,5" << 8;
    QTest::newRow("point becomes comma") << int('.') << "12" << int(',');
    QTest::newRow("comma kept") << int(',') << "12" << int(',');
    QTest::newRow("second comma") << int(',') << "12,5" << 0;
    QTest::newRow("point after comma") << int('.') << "1.234,5" << 0;
    QTest::newRow("letter") << int('a') << "1" << 0;
    QTest::newRow("minus") << int('-') << "1" << 0;
    QTest::newRow("space") << int(' ') << "1" << 0;
    QTest::newRow("ctrl+c") << 3 << "1" << 0;
    QTest::newRow("ctrl+v") << 22 << "1" << 0;
    QTest::newRow("ctrl+x") << 24 << "1" << 0;
    QTest::newRow("enter") << 13 << "1" << 0;
    QTest::newRow("accented letter") << 0xE9 << "" << 0;
    QTest::newRow("code beyond 16 bits signed") << -24 << "" << 0;
}

void tst_amount::filterKey()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(Module1::FilterKey(static_cast<qint16>(key), text), expected);
}

void tst_amount::groupThousands_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("short") << "12"
                           << "12";
    QTest::newRow("six digits") << "123456"
                                << "123.456";
    QTest::newRow("with decimals") << "1234567,891"
                                   << "1.234.567,891";
    QTest::newRow("misplaced dots") << "1.23.4"
                                    << "1.234";
    QTest::newRow("idempotent") << "1.234"
                                << "1.234";
    QTest::newRow("sign counts as digit") << "-1234"
                                          << "-1.234";
    QTest::newRow("leading comma") << ",5"
                                   << ",5";
    QTest::newRow("small decimal") << "0,000001"
                                   << "0,000001";
    QTest::newRow("decimals untouched") << "1234,5678"
                                        << "1.234,5678";
    QTest::newRow("only dots") << "..."
                               << "";
    QTest::newRow("surrogate pair is one character") << QString::fromUtf8("\xF0\x9F\x98\x80"
                                                                          "12")
                                                     << QString::fromUtf8("\xF0\x9F\x98\x80"
                                                                          "12");
    QTest::newRow("surrogate pair before four digits") << QString::fromUtf8("\xF0\x9F\x98\x80"
                                                                            "1234")
                                                       << QString::fromUtf8("\xF0\x9F\x98\x80"
                                                                            "1.234");
}

void tst_amount::groupThousands()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(Module1::GroupThousands(text), expected);
    QCOMPARE(Module1::GroupThousands(expected), expected);
}

void tst_amount::numericTest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");
    QTest::addColumn<double>("value");

    QTest::newRow("digits") << "1936" << true << 1936.0;
    QTest::newRow("grouped with decimals") << "1.234.567,5" << true << 1234567.5;
    QTest::newRow("leading comma") << ",5" << true << 0.5;
    QTest::newRow("trailing comma") << "5," << true << 5.0;
    QTest::newRow("blanks and sign") << " -12,5 " << true << -12.5;
    QTest::newRow("plus sign") << "+3" << true << 3.0;
    QTest::newRow("dots anywhere between digits") << "1.23.4" << true << 1234.0;
    QTest::newRow("sixteen digits round to fifteen")
            << "1234567890123456" << true << 1234567890123460.0;
    QTest::newRow("tiny underflows to zero") << "0," + QString(400, u'0') + "1" << true << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << "  " << false << 0.0;
    QTest::newRow("lone comma") << "," << false << 0.0;
    QTest::newRow("two commas") << "1,2,3" << false << 0.0;
    QTest::newRow("dot after comma") << "1,2.3" << false << 0.0;
    QTest::newRow("leading dot") << ".5" << false << 0.0;
    QTest::newRow("trailing dot") << "5." << false << 0.0;
    QTest::newRow("double dot") << "1..2" << false << 0.0;
    QTest::newRow("exponent") << "1e5" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("hex") << "0x10" << false << 0.0;
    QTest::newRow("full-width digits") << QString::fromUtf8("\xEF\xBC\x91") << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("beyond double range") << "1" + QString(400, u'0') << false << 0.0;
}

void tst_amount::numericTest()
{
    QFETCH(QString, text);
    QFETCH(bool, passes);
    QFETCH(double, value);
    const std::optional<Decimal> amount = Module1::ParseAmount(text);
    QCOMPARE(amount.has_value(), passes);
    QCOMPARE(Module1::AmountOf(text).toDouble(), value);
}

void tst_amount::conversion_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<bool>("toCurrency");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");

    QTest::newRow("1 euro") << "1"
                            << "1936,27" << true << 0 << "1936";
    QTest::newRow("100 euro") << "100"
                              << "1936,27" << true << 0 << "193627";
    QTest::newRow("1234 euro") << "1.234"
                               << "1936,27" << true << 0 << "2389357";
    QTest::newRow("1000 lire") << "1.000"
                               << "1936,27" << false << 2 << "0,52";
    QTest::newRow("empty converts as zero") << ""
                                            << "1936,27" << true << 0 << "0";
    QTest::newRow("half goes to even, down") << "2,5"
                                             << "1" << true << 0 << "2";
    QTest::newRow("half goes to even, up") << "3,5"
                                           << "1" << true << 0 << "4";
    QTest::newRow("exact half a double misses") << "0,5"
                                                << "1936,27" << true << 2 << "968,14";
    QTest::newRow("trailing zeros dropped") << "1,50"
                                            << "1" << true << 9 << "1,5";
    QTest::newRow("nine decimals") << "1"
                                   << "1936,27" << false << 9 << "0,000516457";
    QTest::newRow("rounds to zero") << "0,001"
                                    << "1" << true << 2 << "0";
    QTest::newRow("negative") << "-1"
                              << "1936,27" << true << 0 << "-1936";
    QTest::newRow("negative rounding to zero has no sign") << "-0,001"
                                                           << "1" << true << 2 << "0";
    QTest::newRow("beyond fifteen digits written out")
            << "123456789012345"
            << "1936,27" << true << 0 << "239045676860933000";
    QTest::newRow("zero rate never divides") << "5"
                                             << "0" << false << 2 << "0";
    QTest::newRow("largest amount, tiny rate")
            << "1" + QString(300, u'0') << "0," + QString(200, u'0') + "1" << false << 2
            << "1" + QString(501, u'0');
}

void tst_amount::conversion()
{
    QFETCH(QString, amount);
    QFETCH(QString, rate);
    QFETCH(bool, toCurrency);
    QFETCH(int, decimals);
    QFETCH(QString, expected);

    const Decimal value = Module1::AmountOf(amount);
    const Decimal exactRate = Module1::AmountOf(rate);
    const QString text = toCurrency ? Module1::EuroToCurrencyText(value, exactRate, decimals)
                                    : Module1::CurrencyToEuroText(value, exactRate, decimals);
    QCOMPARE(text, expected);
}

void tst_amount::formatNumber()
{
    QCOMPARE(Module1::FormatNumber(1936.27), u"1936,27");
    QCOMPARE(Module1::FormatNumber(2.0), u"2");
    QCOMPARE(Module1::FormatNumber(123.4667F), u"123,4667");
    QCOMPARE(Module1::FormatNumber(100.0F), u"100");
    QCOMPARE(Module1::FormatNumber(0.5), u"0,5");
    QCOMPARE(Module1::FormatNumber(1e20), u"100000000000000000000");
}

void tst_amount::independentOfLocale()
{
    // Qt's default locale is what a careless QLocale::toDouble would follow; the C library's
    // locale is set too where the machine has it.
    const struct
    {
        QLocale locale;
        const char *cName;
    } locales[] = {{QLocale::c(), "C"},
                   {QLocale(QLocale::English, QLocale::UnitedStates), "en_US.UTF-8"},
                   {QLocale(QLocale::German, QLocale::Germany), "de_DE.UTF-8"}};
    for (const auto &[locale, cName] : locales) {
        QLocale::setDefault(locale);
        std::setlocale(LC_ALL, cName);
        QCOMPARE(Module1::AmountOf(u"1.234,5").toDouble(), 1234.5);
        QCOMPARE(Module1::FormatNumber(1936.27), u"1936,27");
        QCOMPARE(Module1::CurrencyToEuroText(Module1::AmountOf(u"1000"),
                                             Module1::AmountOf(u"1936,27"), 2),
                 u"0,52");
    }
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
}

QTEST_APPLESS_MAIN(tst_amount)
#include "tst_amount.moc"

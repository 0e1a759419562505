// Every amount in whole ranges against a reference in plain integer arithmetic: rates are
// taken as integer numerators over a power of ten, so nothing here rounds but the final
// half-to-even step.
#include "core/Decimal.h"

#include <QTest>

#include <cstdint>

namespace {

using u64 = std::uint64_t;

u64 powerOfTen(int n)
{
    u64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

u64 divideHalfEven(u64 num, u64 den)
{
    const u64 q = num / den;
    const u64 twice = (num % den) * 2;
    return twice > den || (twice == den && q % 2 == 1) ? q + 1 : q;
}

// value / 10^decimals in the shortest form: no trailing zeros, comma only when needed.
QString referenceText(u64 value, int decimals)
{
    QString text = QString::number(value).rightJustified(decimals + 1, u'0');
    if (decimals > 0) {
        text.insert(text.size() - decimals, u',');
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u','))
            text.chop(1);
    }
    return text;
}

} // namespace

class tst_exactness : public QObject
{
    Q_OBJECT

private slots:
    void sweep_data();
    void sweep();
};

void tst_exactness::sweep_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<bool>("toCurrency");
    QTest::addColumn<int>("decimals");

    for (const char *rate : {"1936,27", "1,95583", "6,55957", "40,3399", "166,386", "0,787564"}) {
        for (int decimals : {0, 2}) {
            QTest::addRow("cents to own currency at %s, %d decimals", rate, decimals)
                    << QString::fromLatin1(rate) << true << decimals;
            QTest::addRow("own currency to euro at %s, %d decimals", rate, decimals)
                    << QString::fromLatin1(rate) << false << decimals;
        }
    }
}

void tst_exactness::sweep()
{
    QFETCH(QString, rate);
    QFETCH(bool, toCurrency);
    QFETCH(int, decimals);

    const Module1::Decimal exactRate = *Module1::ParseAmount(rate);
    const int rateScale = static_cast<int>(rate.size() - rate.indexOf(u',') - 1);
    const u64 rateUnits = QString(rate).remove(u',').toULongLong();
    const u64 last = 2'000'000; // 20.000,00 euro in cents, or own-currency units

    for (u64 n = 0; n <= last; ++n) {
        QString expected;
        QString actual;
        if (toCurrency) {
            const u64 scaled = divideHalfEven(n * rateUnits * powerOfTen(decimals),
                                              powerOfTen(2 + rateScale));
            expected = referenceText(scaled, decimals);
            const QString euro = referenceText(n, 2);
            actual = Module1::EuroToCurrencyText(Module1::AmountOf(euro), exactRate, decimals);
        } else {
            const u64 scaled = divideHalfEven(n * powerOfTen(decimals + rateScale), rateUnits);
            expected = referenceText(scaled, decimals);
            actual = Module1::CurrencyToEuroText(Module1::AmountOf(QString::number(n)), exactRate,
                                                 decimals);
        }
        if (actual != expected)
            QFAIL(qPrintable(
                    QStringLiteral("amount %1: got %2, expected %3").arg(n).arg(actual, expected)));
    }
}

QTEST_APPLESS_MAIN(tst_exactness)
#include "tst_exactness.moc"

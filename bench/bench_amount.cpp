// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/AmountRules.h"
#include "core/Decimal.h"

#include <benchmark/benchmark.h>

namespace {

const cambrivo::Decimal lira = *cambrivo::ParseAmount(u"1936,27");

void parseTypedAmount(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(cambrivo::ParseAmount(u"1.234.567,89"));
}
BENCHMARK(parseTypedAmount);

void euroToCurrency(benchmark::State &state)
{
    const cambrivo::Decimal euro = *cambrivo::ParseAmount(u"1.234,56");
    for (auto _ : state)
        benchmark::DoNotOptimize(cambrivo::EuroToCurrencyText(euro, lira, 0));
}
BENCHMARK(euroToCurrency);

void currencyToEuro(benchmark::State &state)
{
    const cambrivo::Decimal own = *cambrivo::ParseAmount(u"2.389.357");
    for (auto _ : state)
        benchmark::DoNotOptimize(cambrivo::CurrencyToEuroText(own, lira, 2));
}
BENCHMARK(currencyToEuro);

void hugeAmountToCurrency(benchmark::State &state)
{
    const cambrivo::Decimal euro = *cambrivo::ParseAmount(QString(300, u'9'));
    for (auto _ : state)
        benchmark::DoNotOptimize(cambrivo::EuroToCurrencyText(euro, lira, 9));
}
BENCHMARK(hugeAmountToCurrency);

void groupLongText(benchmark::State &state)
{
    const QString text(state.range(0), u'7');
    for (auto _ : state)
        benchmark::DoNotOptimize(cambrivo::GroupThousands(text));
}
BENCHMARK(groupLongText)->Arg(16)->Arg(32767);

using Convert = QString (*)(const cambrivo::Decimal &, const cambrivo::Decimal &, int);

// What one typed digit costs the rules in a box already holding range(0) - 1 digits: the key
// filter, regrouping the box, converting it, and regrouping the other box.
void keyPath(benchmark::State &state, Convert convert, int decimals)
{
    const QString held
            = cambrivo::GroupThousands(QStringView(u"98765432109876").left(state.range(0) - 1));
    for (auto _ : state) {
        const qint16 key = cambrivo::FilterKey(u'5', held);
        const QString typed = cambrivo::GroupThousands(QString(held).append(QChar(key)));
        benchmark::DoNotOptimize(
                cambrivo::GroupThousands(convert(cambrivo::AmountOf(typed), lira, decimals)));
    }
}
BENCHMARK_CAPTURE(keyPath, euroToCurrency, cambrivo::EuroToCurrencyText, 0)->DenseRange(1, 15, 7);
BENCHMARK_CAPTURE(keyPath, currencyToEuro, cambrivo::CurrencyToEuroText, 2)->DenseRange(1, 15, 7);

} // namespace

BENCHMARK_MAIN();

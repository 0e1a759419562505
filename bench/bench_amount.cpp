// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Module1.h"

#include <benchmark/benchmark.h>

namespace {

const Module1::Decimal lira = *Module1::ParseAmount(u"1936,27");

void parseTypedAmount(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Module1::ParseAmount(u"1.234.567,89"));
}
BENCHMARK(parseTypedAmount);

void euroToCurrency(benchmark::State &state)
{
    const Module1::Decimal euro = *Module1::ParseAmount(u"1.234,56");
    for (auto _ : state)
        benchmark::DoNotOptimize(Module1::EuroToCurrencyText(euro, lira, 0));
}
BENCHMARK(euroToCurrency);

void currencyToEuro(benchmark::State &state)
{
    const Module1::Decimal own = *Module1::ParseAmount(u"2.389.357");
    for (auto _ : state)
        benchmark::DoNotOptimize(Module1::CurrencyToEuroText(own, lira, 2));
}
BENCHMARK(currencyToEuro);

void hugeAmountToCurrency(benchmark::State &state)
{
    const Module1::Decimal euro = *Module1::ParseAmount(QString(300, u'9'));
    for (auto _ : state)
        benchmark::DoNotOptimize(Module1::EuroToCurrencyText(euro, lira, 9));
}
BENCHMARK(hugeAmountToCurrency);

void groupLongText(benchmark::State &state)
{
    const QString text(state.range(0), u'7');
    for (auto _ : state)
        benchmark::DoNotOptimize(Module1::GroupThousands(text));
}
BENCHMARK(groupLongText)->Arg(16)->Arg(32767);

using Convert = QString (*)(const Module1::Decimal &, const Module1::Decimal &, int);

// What one typed digit costs the rules in a box already holding range(0) - 1 digits: the key
// filter, regrouping the box, converting it, and regrouping the other box.
void keyPath(benchmark::State &state, Convert convert, int decimals)
{
    const QString held
            = Module1::GroupThousands(QStringView(u"98765432109876").left(state.range(0) - 1));
    for (auto _ : state) {
        const qint16 key = Module1::FilterKey(u'5', held);
        const QString typed = Module1::GroupThousands(QString(held).append(QChar(key)));
        benchmark::DoNotOptimize(
                Module1::GroupThousands(convert(Module1::AmountOf(typed), lira, decimals)));
    }
}
BENCHMARK_CAPTURE(keyPath, euroToCurrency, Module1::EuroToCurrencyText, 0)->DenseRange(1, 15, 7);
BENCHMARK_CAPTURE(keyPath, currencyToEuro, Module1::CurrencyToEuroText, 2)->DenseRange(1, 15, 7);

} // namespace

BENCHMARK_MAIN();

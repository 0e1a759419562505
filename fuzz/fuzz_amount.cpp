// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/AmountRules.h"
#include "core/Decimal.h"

#include <optional>

using namespace cambrivo;

namespace {

__extension__ typedef unsigned __int128 Wide;

std::optional<Wide> scaled(Wide value, int places)
{
    for (; places > 0; --places, value *= 10)
        if (places > 7 || value > Wide(1) << 100)
            return std::nullopt;
    return value;
}

// Whether `shown` is num × 10^exponent / den rounded to `decimals` decimals as the law rounds:
// within half a unit, and a half away from zero. Cases that do not fit 128 bits, or whose result
// is long enough to be capped at 15 digits, pass unjudged.
bool roundedByLaw(Wide num, Wide den, int exponent, bool negative, const QString &shown,
                  int decimals)
{
    const auto result = ParseAmount(shown);
    // Beyond a double's range, from 309 integer digits on, a result is written out whole.
    if (!result)
        return shown.section(u',', 0, 0).remove(u'-').size() >= 309;
    if (result->negative && !negative)
        return false;
    const int common = std::min({exponent, result->exponent, -decimals});
    const auto value = scaled(num, exponent - common);
    const auto rounded = scaled(result->digits, result->exponent - common);
    const auto unit = scaled(1, -decimals - common);
    if (!value || !rounded || !unit || *value / den / *unit >= Wide(100000000000000))
        return true;
    const Wide product = *rounded * den;
    const Wide error = product > *value ? product - *value : *value - product;
    return 2 * error < *unit * den || (2 * error == *unit * den && product > *value);
}

} // namespace

// An amount, "|" and a rate; the input's length picks the decimals. The change handlers regroup
// every text put into a box, so grouping must settle at once and keep what the text counts as;
// a conversion's text has no group dot, at most the decimals asked for, and is the exact result
// rounded as the law rounds it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(QByteArrayView(data, static_cast<qsizetype>(size)));
    const QString text = input.section(u'|', 0, 0);
    const QString grouped = GroupThousands(text);
    if (GroupThousands(grouped) != grouped
        || (ParseAmount(text) && ParseAmount(grouped) != ParseAmount(text)))
        qFatal("grouping is not idempotent or changed what the text counts as");
    const Decimal amount = AmountOf(text);
    const Decimal rate = AmountOf(input.section(u'|', 1));
    const int decimals = static_cast<int>(size % 10);
    const QString toOwn = EuroToCurrencyText(amount, rate, decimals);
    const QString toEuro = CurrencyToEuroText(amount, rate, decimals);
    const bool negative = amount.negative != rate.negative;
    if (!roundedByLaw(Wide(amount.digits) * rate.digits, 1, amount.exponent + rate.exponent,
                      negative, toOwn, decimals)
        || (!rate.isZero()
            && !roundedByLaw(amount.digits, rate.digits, amount.exponent - rate.exponent, negative,
                             toEuro, decimals)))
        qFatal("a converted amount is not the exact result rounded half away from zero");
    for (const QString &shown : {toOwn, toEuro})
        if (shown.contains(u'.') || shown.section(u',', 1).size() > decimals
            || (ParseAmount(shown) && ParseAmount(GroupThousands(shown)) != ParseAmount(shown)))
            qFatal("a converted amount is grouped, too precise, or not stable under grouping");
    return 0;
}

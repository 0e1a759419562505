// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Decimal.h"
#include "core/Module1.h"

using namespace Module1;

// An amount, "|" and a rate; the input's length picks the decimals. The change handlers regroup
// every text put into a box, so grouping must settle at once and keep what the text counts as;
// a conversion's text has no group dot and at most the decimals asked for.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(QByteArrayView(data, static_cast<qsizetype>(size)));
    const QString text = input.section(u'|', 0, 0);
    const QString grouped = GroupThousands(text);
    if (GroupThousands(grouped) != grouped
        || (ParseAmount(text) && ParseAmount(grouped) != ParseAmount(text)))
        qFatal("grouping is not idempotent or changed what the text counts as");
    const Decimal rate = AmountOf(input.section(u'|', 1));
    const int decimals = static_cast<int>(size % 10);
    for (const QString &shown : {EuroToCurrencyText(AmountOf(text), rate, decimals),
                                 CurrencyToEuroText(AmountOf(text), rate, decimals)})
        if (shown.contains(u'.') || shown.section(u',', 1).size() > decimals
            || (ParseAmount(shown) && ParseAmount(GroupThousands(shown)) != ParseAmount(shown)))
            qFatal("a converted amount is grouped, too precise, or not stable under grouping");
    return 0;
}

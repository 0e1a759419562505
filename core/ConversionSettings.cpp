// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ConversionSettings.h"

#include "Currencies.h"
#include "platform/Settings.h"

#include <algorithm>

namespace cambrivo {

double dblCambio = 0;
Decimal exactCambio;
qint16 intEuroDecimal = 0;
qint16 intCurrencyDecimal = 0;
qint16 intUseSeparator = 0;

std::function<void(const QString &)> &currencyDescriptionSink()
{
    static std::function<void(const QString &)> sink;
    return sink;
}

namespace {

// The one listed currency that `matches`, or nullptr when none or several do.
template<typename Predicate> const Currency *onlyCurrency(Predicate matches)
{
    const auto first = std::find_if(Currencies.begin(), Currencies.end(), matches);
    if (first == Currencies.end()
        || std::find_if(first + 1, Currencies.end(), matches) != Currencies.end())
        return nullptr;
    return &*first;
}

// The listed currency a stored rate and symbol name, either of them null when not stored.
const Currency *namedCurrency(const QString &rate, const QString &symbol)
{
    const auto value = UsableRate(rate);
    if (value && !symbol.isNull())
        if (const Currency *match = MatchingCurrency(rate, symbol))
            return match;
    if (!symbol.isNull())
        if (const Currency *match = onlyCurrency(
                    [&symbol](const Currency &currency) { return currency.symbol == symbol; }))
            return match;
    if (!value)
        return nullptr;
    return onlyCurrency(
            [&value](const Currency &currency) { return ParseAmount(currency.rate) == value; });
}

} // namespace

ConversionSettings ReadConversionSettings(QLocale::Territory home)
{
    const auto read = [](const char *key, const QString &defaultText = {}) {
        return platform::GetSetting(QString::fromLatin1(key), defaultText);
    };
    const QString rate = read("Value");
    const QString symbol = read("CurrencyDescription");
    const Currency *named = namedCurrency(rate, symbol);
    const Currency &currency = named ? *named : HomeCurrency(home);
    return {
            rate.isNull() ? currency.rate.toString() : rate,
            symbol.isNull() ? currency.symbol.toString() : symbol,
            DecimalsOf(read("EuroDecimal", QStringLiteral("2")), 2),
            DecimalsOf(read("CurrencyDecimal", QString::number(currency.decimals)),
                       currency.decimals),
            UseSeparatorOf(read("UseSeparator", QStringLiteral("1"))),
            &currency,
    };
}

void LoadSettings(QLocale::Territory home)
{
    const ConversionSettings stored = ReadConversionSettings(home);
    intEuroDecimal = stored.euroDecimals;
    intCurrencyDecimal = stored.currencyDecimals;
    const auto rate = UsableRate(stored.rate);
    exactCambio = rate ? *rate : *ParseAmount(stored.currency->rate);
    dblCambio = exactCambio.toDouble();
    if (currencyDescriptionSink())
        currencyDescriptionSink()(stored.symbol);
    intUseSeparator = stored.useSeparator;
}

std::optional<Decimal> UsableRate(QStringView Text)
{
    const auto rate = ParseAmount(Text);
    // A zero or negative rate would make every conversion meaningless.
    if (!rate || rate->isZero() || rate->negative)
        return std::nullopt;
    QStringView integerPart = Text.trimmed();
    if (integerPart.startsWith(u'+'))
        integerPart = integerPart.sliced(1);
    const qsizetype comma = integerPart.indexOf(u',');
    if (comma >= 0)
        integerPart.truncate(comma);
    const QList<QStringView> groups = integerPart.split(u'.');
    if (groups.size() == 1)
        return rate;
    // A grouped number never starts with "0.": that is a decimal point as well.
    const bool grouped = groups.front().size() <= 3 && !groups.front().startsWith(u'0')
            && std::all_of(groups.begin() + 1, groups.end(),
                           [](QStringView group) { return group.size() == 3; });
    return grouped ? rate : std::nullopt;
}

qint16 DecimalsOf(QStringView Text, qint16 defaultValue)
{
    bool ok = false;
    const int value = Text.trimmed().toInt(&ok);
    return ok && value >= 0 && value <= 9 ? static_cast<qint16>(value) : defaultValue;
}

qint16 UseSeparatorOf(QStringView Text)
{
    bool ok = false;
    const int value = Text.trimmed().toInt(&ok);
    return ok ? static_cast<qint16>(std::clamp(value, -32768, 32767)) : qint16(1);
}

} // namespace cambrivo

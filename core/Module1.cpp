// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Module1.h"

#include "Currencies.h"
#include "platform/Settings.h"

#include <algorithm>

namespace Module1 {

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

ConversionSettings ReadConversionSettings(QLocale::Territory home)
{
    const Currency &currency = HomeCurrency(home);
    const auto read = [](const QString &key, QStringView defaultText) {
        return platform::GetSetting(key, defaultText.toString());
    };
    return {
            read(QStringLiteral("Value"), currency.rate),
            read(QStringLiteral("CurrencyDescription"), currency.symbol),
            DecimalsOf(read(QStringLiteral("EuroDecimal"), u"2"), 2),
            DecimalsOf(read(QStringLiteral("CurrencyDecimal"), QString::number(currency.decimals)),
                       currency.decimals),
            UseSeparatorOf(read(QStringLiteral("UseSeparator"), u"1")),
    };
}

void LoadSettings(QLocale::Territory home)
{
    const ConversionSettings stored = ReadConversionSettings(home);
    intEuroDecimal = stored.euroDecimals;
    intCurrencyDecimal = stored.currencyDecimals;
    const auto rate = UsableRate(stored.rate);
    exactCambio = rate ? *rate : *ParseAmount(HomeCurrency(home).rate);
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

qint16 FilterKey(qint16 KeyAscii, QStringView Text)
{
    if (KeyAscii >= '0' && KeyAscii <= '9')
        return KeyAscii;
    if (KeyAscii == 8)
        return KeyAscii;
    if (KeyAscii == '.' || KeyAscii == ',')
        return Text.contains(u',') ? qint16(0) : qint16(',');
    return 0;
}

QString GroupThousands(QStringView Text)
{
    if (Text.isEmpty())
        return {};
    // Blanks and a sign in front, and blanks behind a whole number, stay out of the groups: a
    // dot between them and the digits would turn an amount into text that is no number. Dots
    // there are dropped like all others, so that grouping again finds the same boundaries.
    const auto blankOrDot = [](QChar c) {
        return c.isSpace() || c == u'.';
    };
    QString result;
    qsizetype begin = 0;
    for (; begin < Text.size() && blankOrDot(Text[begin]); ++begin) {
        if (Text[begin] != u'.')
            result += Text[begin];
    }
    if (begin < Text.size() && (Text[begin] == u'-' || Text[begin] == u'+'))
        result += Text[begin++];
    qsizetype p = Text.indexOf(u',');
    if (p < 0) {
        p = Text.size();
        while (p > begin && blankOrDot(Text[p - 1]))
            --p;
    }
    p = std::max(p, begin);

    // Counting the kept characters first lets the text be built front to back: prepending, as
    // the rule reads, would be quadratic on long pastes. A surrogate pair counts as one
    // character, so a pasted symbol is never split by a dot.
    const QStringView integerPart = Text.sliced(begin, p - begin);
    const auto isTrail = [](QChar c) {
        return c.isLowSurrogate();
    };
    qsizetype left = integerPart.size() - integerPart.count(u'.')
            - std::count_if(integerPart.begin(), integerPart.end(), isTrail);
    const qsizetype kept = left;
    result.reserve(Text.size() + kept / 3);
    for (QChar c : integerPart) {
        if (c == u'.')
            continue;
        if (!isTrail(c)) {
            if (left != kept && left % 3 == 0)
                result += u'.';
            --left;
        }
        result += c;
    }
    const QStringView rest = Text.sliced(p);
    if (rest.startsWith(u','))
        result += rest;
    else
        std::copy_if(rest.begin(), rest.end(), std::back_inserter(result),
                     [](QChar c) { return c != u'.'; });
    return result;
}

} // namespace Module1

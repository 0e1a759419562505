#include "Module1.h"

#include "platform/Settings.h"

#include <algorithm>

namespace Module1 {

double dblCambio = 0;
Decimal exactCambio;
qint16 intEuroDecimal = 0;
qint16 intCurrencyDecimal = 0;
qint16 intUseSeparator = 0;

namespace {

constexpr double defaultRate = 1936.27;

// A count of decimals the boxes can show; anything else is a damaged or hand-edited value.
qint16 readDecimals(const QString &key, qint16 defaultValue)
{
    bool ok = false;
    const int value = platform::GetSetting(key, QString::number(defaultValue)).trimmed().toInt(&ok);
    return ok && value >= 0 && value <= 9 ? static_cast<qint16>(value) : defaultValue;
}

} // namespace

std::function<void(const QString &)> &currencyDescriptionSink()
{
    static std::function<void(const QString &)> sink;
    return sink;
}

void LoadSettings()
{
    intEuroDecimal = readDecimals(QStringLiteral("EuroDecimal"), 2);
    intCurrencyDecimal = readDecimals(QStringLiteral("CurrencyDecimal"), 0);

    const QString defaultRateText = FormatNumber(defaultRate);
    const auto rate = ParseAmount(platform::GetSetting(QStringLiteral("Value"), defaultRateText));
    // A zero, negative or unreadable rate would make every conversion meaningless.
    exactCambio
            = rate && !rate->isZero() && !rate->negative ? *rate : *ParseAmount(defaultRateText);
    dblCambio = exactCambio.toDouble();

    const QString description
            = platform::GetSetting(QStringLiteral("CurrencyDescription"), QStringLiteral("Lit"));
    if (currencyDescriptionSink())
        currencyDescriptionSink()(description);

    bool ok = false;
    const int separator = platform::GetSetting(QStringLiteral("UseSeparator"), QStringLiteral("1"))
                                  .trimmed()
                                  .toInt(&ok);
    intUseSeparator = ok ? static_cast<qint16>(std::clamp(separator, -32768, 32767)) : qint16(1);
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

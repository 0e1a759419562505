// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AmountRules.h"

#include <QList>

#include <algorithm>
#include <iterator>

namespace cambrivo {

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

namespace {

bool isGroupBlank(QChar c)
{
    return c == u' ' || c == u'\u00A0' || c == u'\u202F' || c == u'\u2009';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Removes `affix` from the front (or the back) of text, with the blanks that part it from the
// rest; false when the text does not begin (end) with it.
bool dropAffix(QStringView &text, QStringView affix, bool front)
{
    if (affix.isEmpty() || !(front ? text.startsWith(affix) : text.endsWith(affix)))
        return false;
    if (front) {
        text = text.sliced(affix.size());
        while (!text.isEmpty() && text.front().isSpace())
            text = text.sliced(1);
    } else {
        text.chop(affix.size());
        while (!text.isEmpty() && text.back().isSpace())
            text.chop(1);
    }
    return true;
}

// Whether the blanks and dots of an integer part stand between groups of three digits after a
// first group of one to three.
bool blanksGroup(QStringView integerPart)
{
    qsizetype group = 0;
    bool first = true;
    for (const QChar c : integerPart) {
        if (isDigit(c)) {
            ++group;
        } else if ((c == u'.' || isGroupBlank(c)) && group > 0 && group <= 3
                   && (first || group == 3)) {
            first = false;
            group = 0;
        } else {
            return false;
        }
    }
    return group == 3 || (first && group > 0);
}

} // namespace

QString PastedAmount(QStringView Text, QStringView symbol)
{
    QString kept;
    kept.reserve(Text.size());
    for (const char32_t c : Text.toUcs4())
        if (QChar::category(c) != QChar::Other_Format)
            kept += QStringView(QChar::fromUcs4(c));

    QStringView amount = QStringView(kept).trimmed();
    // A symbol made of amount characters would eat into the amount.
    if (std::any_of(symbol.begin(), symbol.end(),
                    [](QChar c) { return isDigit(c) || c == u',' || c == u'.'; }))
        symbol = {};
    bool dropped = false;
    for (const bool front : {true, false})
        dropped = dropAffix(amount, u"€", front) || dropAffix(amount, symbol, front) || dropped;
    QString result = dropped ? amount.toString() : kept;

    const QStringView whole = QStringView(result).trimmed();
    qsizetype begin = whole.data() - result.constData();
    const qsizetype end = whole.contains(u',') ? result.indexOf(u',') : begin + whole.size();
    if (whole.startsWith(u'-') || whole.startsWith(u'+'))
        ++begin;
    const QStringView integerPart
            = QStringView(result).sliced(begin, std::max(end - begin, qsizetype(0)));
    if (std::any_of(integerPart.begin(), integerPart.end(), isGroupBlank)
        && blanksGroup(integerPart))
        std::replace_if(result.begin() + begin, result.begin() + end, isGroupBlank, u'.');
    return result;
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

    // Counting the digits first lets the text be built front to back: prepending, as the rule
    // reads, would be quadratic on long pastes. Only digits are counted, and a dot goes only
    // between two of them: anything else in the text is no part of a group.
    const QStringView integerPart = Text.sliced(begin, p - begin);
    qsizetype left = std::count_if(integerPart.begin(), integerPart.end(), isDigit);
    result.reserve(Text.size() + left / 3);
    bool afterDigit = false;
    for (QChar c : integerPart) {
        if (c == u'.')
            continue;
        const bool digit = isDigit(c);
        if (digit) {
            if (afterDigit && left % 3 == 0)
                result += u'.';
            --left;
        }
        afterDigit = digit;
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

} // namespace cambrivo

// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Decimal.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace cambrivo {

namespace {

using BigInt = boost::multiprecision::cpp_int;

constexpr int significantDigits = 15;

// Below this power of ten an amount is zero even as a double; bounding the exponents keeps every
// intermediate of the exact arithmetic small.
constexpr int smallestExponent = -340;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The double nearest to digits × 10^exponent; nothing when it overflows, 0 when it underflows.
std::optional<double> scientificToDouble(const std::string &digits, int exponent)
{
    const std::string text = digits + 'e' + std::to_string(exponent);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return exponent + static_cast<int>(digits.size()) > 0 ? std::nullopt
                                                              : std::optional<double>(0.0);
    return value;
}

BigInt powerOfTen(int n)
{
    BigInt power = 1;
    for (; n > 0; --n)
        power *= 10;
    return power;
}

// num / den rounded to the nearest whole number, both non-negative. A half goes up, away from
// zero once the sign is put back, as the laws that fixed the rates round converted amounts.
BigInt divideRounded(const BigInt &num, const BigInt &den)
{
    BigInt quotient;
    BigInt remainder;
    boost::multiprecision::divide_qr(num, den, quotient, remainder);
    if (remainder * 2 >= den)
        ++quotient;
    return quotient;
}

// Rounds a decimal digit string (no leading zeros) to `keep` digits, a half away from zero.
// Returns the number of places the exponent grows by.
int roundDigits(std::string &digits, std::size_t keep)
{
    if (digits.size() <= keep)
        return 0;
    const int dropped = static_cast<int>(digits.size() - keep);
    const char first = digits[keep];
    digits.resize(keep);
    if (first >= '5') {
        auto it = digits.rbegin();
        for (; it != digits.rend() && *it == '9'; ++it)
            *it = '0';
        if (it == digits.rend())
            digits.insert(digits.begin(), '1');
        else
            ++*it;
    }
    return dropped;
}

// The text of a non-negative integer × 10^exponent in the program's format without grouping.
QString formatScaled(const BigInt &value, int exponent, bool negative)
{
    std::string digits = value.str();
    if (digits == "0")
        return QStringLiteral("0");
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    std::string text = negative ? "-" : "";
    if (exponent >= 0) {
        text += digits;
        text.append(static_cast<std::size_t>(exponent), '0');
    } else {
        const auto fraction = static_cast<std::size_t>(-exponent);
        if (digits.size() > fraction) {
            text += digits.substr(0, digits.size() - fraction) + ','
                    + digits.substr(digits.size() - fraction);
        } else {
            text += "0,";
            text.append(fraction - digits.size(), '0');
            text += digits;
        }
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The text of num / den × 10^exponent rounded to `decimals` decimals, or to 15 significant digits
// where those are fewer. Rounded once, from the exact value: rounding to the decimals first and
// then to 15 digits would turn ...49,6 into ...50 and carry it up a second time.
QString formatQuotient(const BigInt &num, const BigInt &den, int exponent, int decimals,
                       bool negative)
{
    for (int places = decimals;;) {
        const int scale = exponent + places;
        const BigInt rounded = scale >= 0 ? divideRounded(num * powerOfTen(scale), den)
                                          : divideRounded(num, den * powerOfTen(-scale));
        // A carry to the next power of ten may leave a 16th digit, a zero.
        const auto length = static_cast<int>(rounded.str().size());
        if (length <= significantDigits || places < decimals)
            return formatScaled(rounded, -places, negative && rounded != 0);
        places -= length - significantDigits;
    }
}

template<typename Float> QString formatShortest(Float value)
{
    char buffer[400];
    const auto result
            = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    text.replace(u'.', u',');
    return text;
}

} // namespace

double Decimal::toDouble() const
{
    // The parser keeps amounts in range; saturating keeps a hand-built one finite too.
    const double value = scientificToDouble(std::to_string(digits), exponent)
                                 .value_or(std::numeric_limits<double>::max());
    return negative ? -value : value;
}

std::optional<Decimal> ParseAmount(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }

    std::string digits;
    int fractionDigits = 0;
    bool inFraction = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            if (!(digits.empty() && c == u'0'))
                digits += static_cast<char>(c);
            fractionDigits += inFraction ? 1 : 0;
        } else if (c == u'.' && !inFraction && i > 0 && i + 1 < text.size()
                   && isAsciiDigit(text[i - 1]) && isAsciiDigit(text[i + 1])) {
            continue;
        } else if (c == u',' && !inFraction) {
            inFraction = true;
        } else {
            return std::nullopt;
        }
    }
    if (std::none_of(text.begin(), text.end(), isAsciiDigit))
        return std::nullopt;

    Decimal amount;
    if (digits.empty())
        return amount;
    // The range is the value's the text denotes: rounded to 15 digits first, the largest
    // amounts below the limit would round past it.
    if (!scientificToDouble(digits, -fractionDigits))
        return std::nullopt;
    int exponent = -fractionDigits + roundDigits(digits, significantDigits);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    if (exponent + static_cast<int>(digits.size()) < smallestExponent)
        return amount;
    // At most 15 digits are left, well within 64 bits.
    std::from_chars(digits.data(), digits.data() + digits.size(), amount.digits);
    amount.exponent = exponent;
    amount.negative = negative;
    return amount;
}

Decimal AmountOf(QStringView text)
{
    return ParseAmount(text).value_or(Decimal{});
}

QString EuroToCurrencyText(const Decimal &euro, const Decimal &rate, int decimals)
{
    return formatQuotient(BigInt(euro.digits) * rate.digits, 1, euro.exponent + rate.exponent,
                          decimals, euro.negative != rate.negative);
}

QString CurrencyToEuroText(const Decimal &own, const Decimal &rate, int decimals)
{
    if (rate.isZero())
        return QStringLiteral("0");
    return formatQuotient(BigInt(own.digits), BigInt(rate.digits), own.exponent - rate.exponent,
                          decimals, own.negative != rate.negative);
}

QString FormatNumber(double value)
{
    return formatShortest(value);
}

QString FormatNumber(float value)
{
    return formatShortest(value);
}

} // namespace cambrivo

// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace cambrivo {

/// An amount as the decimal its text denotes: (-1)^negative × digits × 10^exponent, with at
/// most 15 significant digits. Arithmetic on it is exact, so the rounding rules hold to the
/// last digit where binary doubles would be off by one unit.
struct Decimal
{
    std::uint64_t digits = 0;
    int exponent = 0;
    bool negative = false;

    bool isZero() const { return digits == 0; }
    /// The nearest 64-bit float; never infinite or NaN.
    double toDouble() const;
    friend bool operator==(const Decimal &, const Decimal &) = default;
};

/// The numeric test: blanks around, an optional sign, digits with "." only between two digits
/// of the integer part, at most one decimal ",", and a value in the range of a 64-bit float.
/// Anything else (exponents, "inf", "nan", letters, a lone comma, empty text) fails.
std::optional<Decimal> ParseAmount(QStringView text);

/// The amount of a text: its value when it passes the numeric test, else 0.
Decimal AmountOf(QStringView text);

/// Rounded result of euro × rate, written as text with `decimals` decimals.
QString EuroToCurrencyText(const Decimal &euro, const Decimal &rate, int decimals);

/// Rounded result of own ÷ rate, written as text with `decimals` decimals; "0" for a zero rate.
QString CurrencyToEuroText(const Decimal &own, const Decimal &rate, int decimals);

/// A number in the program's format, in the shortest form that reads back as the same value:
/// "1936,27", "0,5", "2"; never a group dot or an exponent.
QString FormatNumber(double value);
QString FormatNumber(float value);

} // namespace cambrivo

// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QStringView>

#include <array>

namespace cambrivo {

/// A currency the euro replaced, at the rate the law fixed for it.
struct Currency
{
    QStringView code; ///< ISO 4217
    QStringView name; ///< in its own language
    QStringView rate; ///< units for one euro, written as the law writes it
    QStringView symbol; ///< at most three characters
    qint16 decimals; ///< usually shown
};

/// The former currencies in code order. Static data: nothing is built at start-up.
extern const std::array<Currency, 21> Currencies;

/// The former currency of `territory`, whose figures the settings take where nothing is
/// stored; the lira for every other territory, as before any of them was known.
const Currency &HomeCurrency(QLocale::Territory territory);

/// The country of the user's locale for money, as C programs take it: from the first of
/// `LC_ALL`, `LC_MONETARY` and `LANG` that is set and not empty, and never from `LANGUAGE`, which
/// lists interface languages. AnyTerritory for "C", "POSIX" and names without a country.
QLocale::Territory UserTerritory();

/// The currency whose rate, compared as a number, and symbol are these; nullptr when none is.
/// Where two currencies share a rate the symbol tells them apart.
const Currency *MatchingCurrency(QStringView rate, QStringView symbol);

} // namespace cambrivo

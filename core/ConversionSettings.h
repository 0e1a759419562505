// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Currencies.h"
#include "Decimal.h"

#include <QLocale>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace cambrivo {

/// Own-currency units for one euro, as a float and as the exact decimal the conversions use.
extern double dblCambio;
extern Decimal exactCambio;
/// Decimals shown for euro and own-currency amounts.
extern qint16 intEuroDecimal;
extern qint16 intCurrencyDecimal;
/// 1 groups thousands in the amount boxes; any other value leaves them plain.
extern qint16 intUseSeparator;

/// The five conversion settings as the store holds them. The rate, symbol and own decimals are
/// one currency: where one is not stored, or the decimals are unusable, it comes from the
/// listed currency the stored ones name (by a usable rate and the symbol, else by a symbol or a
/// usable rate that only one currency has), else from the former currency of the `home`
/// territory (the lira for any other territory). A stored rate stays as stored, usable or not.
/// The euro takes two decimals and grouping is on where nothing usable is stored.
struct ConversionSettings
{
    QString rate;
    QString symbol;
    qint16 euroDecimals;
    qint16 currencyDecimals;
    qint16 useSeparator;
    const Currency *currency; ///< whose figures stand in for what is missing or unusable
};
ConversionSettings ReadConversionSettings(QLocale::Territory home);

/// Fills the working variables from the settings store, with the defaults of the `home`
/// territory, and hands the currency symbol to currencyDescriptionSink().
void LoadSettings(QLocale::Territory home = UserTerritory());

/// The rate a text stands for when it is usable: it passes the numeric test, its value is
/// greater than zero, and any group dots stand between groups of exactly three digits after a
/// first group of one to three. "1936.27" or "6.55957" is a decimal point typed by mistake, not
/// a rate a hundred or a hundred thousand times larger.
std::optional<Decimal> UsableRate(QStringView Text);

/// The count of decimals a stored text gives: a whole number 0 to 9, else defaultValue.
qint16 DecimalsOf(QStringView Text, qint16 defaultValue);

/// The grouping flag a stored text gives: its number held in 16 bits, 1 when unreadable.
qint16 UseSeparatorOf(QStringView Text);

/// Receives the currency symbol each time LoadSettings runs; the main window fills it in.
std::function<void(const QString &)> &currencyDescriptionSink();

} // namespace cambrivo

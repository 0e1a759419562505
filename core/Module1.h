// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Decimal.h"

#include <QLocale>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace Module1 {

/// Own-currency units for one euro, as a float and as the exact decimal the conversions use.
extern double dblCambio;
extern Decimal exactCambio;
/// Decimals shown for euro and own-currency amounts.
extern qint16 intEuroDecimal;
extern qint16 intCurrencyDecimal;
/// 1 groups thousands in the amount boxes; any other value leaves them plain.
extern qint16 intUseSeparator;

/// The five conversion settings as the store holds them. Where nothing is stored under a key,
/// and where decimals or grouping make no sense, the former currency of the `home` territory
/// gives the rate, symbol and own decimals (the lira for any other territory), and the euro
/// takes two decimals with grouping on. The rate and symbol stay as stored.
struct ConversionSettings
{
    QString rate;
    QString symbol;
    qint16 euroDecimals;
    qint16 currencyDecimals;
    qint16 useSeparator;
};
ConversionSettings ReadConversionSettings(QLocale::Territory home);

/// Fills the working variables from the settings store, with the defaults of the `home`
/// territory (the system locale's), and hands the currency symbol to currencyDescriptionSink().
/// A rate that cannot be used gives the default rate.
void LoadSettings(QLocale::Territory home = QLocale::system().territory());

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

/// The character to insert in place of KeyAscii in an amount box holding Text; 0 refuses it.
qint16 FilterKey(qint16 KeyAscii, QStringView Text);

/// Text with the thousands dots of its integer part rebuilt from the right.
QString GroupThousands(QStringView Text);

} // namespace Module1

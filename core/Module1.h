#pragma once

#include "Decimal.h"

#include <QString>
#include <QStringView>

#include <functional>

namespace Module1 {

/// Own-currency units for one euro, as a float and as the exact decimal the conversions use.
extern double dblCambio;
extern Decimal exactCambio;
/// Decimals shown for euro and own-currency amounts.
extern qint16 intEuroDecimal;
extern qint16 intCurrencyDecimal;
/// 1 groups thousands in the amount boxes; any other value leaves them plain.
extern qint16 intUseSeparator;

/// Fills the working variables from the settings store and hands the currency symbol to
/// currencyDescriptionSink(). Values that do not make sense give their defaults.
void LoadSettings();

/// Receives the currency symbol each time LoadSettings runs; the main window fills it in.
std::function<void(const QString &)> &currencyDescriptionSink();

/// The character to insert in place of KeyAscii in an amount box holding Text; 0 refuses it.
qint16 FilterKey(qint16 KeyAscii, QStringView Text);

/// Text with the thousands dots of its integer part rebuilt from the right.
QString GroupThousands(QStringView Text);

} // namespace Module1

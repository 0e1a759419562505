// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace cambrivo {

/// The character to insert in place of KeyAscii in an amount box holding Text; 0 refuses it.
qint16 FilterKey(qint16 KeyAscii, QStringView Text);

/// Text pasted from elsewhere, web pages above all, in the form the numeric test reads: invisible
/// format characters (Unicode Cf) dropped, a "€" or `symbol` at either end, with any blanks
/// between it and the amount, removed, and blanks (space, no-break, narrow no-break or thin
/// space) between groups of three digits made group dots. Any other text comes back as it was
/// apart from the format characters, so that a typed amount keeps its rules.
QString PastedAmount(QStringView Text, QStringView symbol);

/// Text with the thousands dots of its integer part rebuilt from the right, only ever between
/// two digits.
QString GroupThousands(QStringView Text);

} // namespace cambrivo

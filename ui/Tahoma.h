// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

// The forms' captions are set in Tahoma at sizes between whole points, which a .ui file cannot
// state; where Tahoma is missing, main() names its stand-ins.
inline QFont tahoma(qreal points, bool bold = false)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

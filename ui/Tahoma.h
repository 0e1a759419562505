// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "i18n/Language.h"

#include <QFont>

// The forms' captions are set in Tahoma at sizes between whole points, which a .ui file cannot
// state. The first caption to ask for it names its stand-ins, so that no form is ever laid out
// in the wide default sans-serif where Tahoma is missing.
inline QFont tahoma(qreal points, bool bold = false)
{
    static const bool standIns = (cambrivo::SubstituteFonts(), true);
    Q_UNUSED(standIns)
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

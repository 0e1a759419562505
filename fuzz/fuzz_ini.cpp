// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/IniFile.h"

#include <QRegularExpression>

// A value fits a buffer of 255 characters with its terminator and never spans a line; the same
// bytes always give the same values.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QRegularExpression lineEnd(QStringLiteral("[\\0\\r\\n]"));
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const platform::IniValues ini = platform::ParseIni(bytes);
    for (const QString &value : ini)
        if (value.toUcs4().size() > 254 || value.contains(lineEnd))
            qFatal("value too long or not on one line");
    if (platform::ParseIni(bytes) != ini)
        qFatal("the same bytes gave other values");
    return 0;
}

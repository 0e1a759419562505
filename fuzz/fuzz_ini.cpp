// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/IniFile.h"

#include <QRegularExpression>

#include <algorithm>

// A value fits a buffer of 255 characters with its terminator and never spans a line; the same
// bytes always give the same values, whichever of them are asked for.
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
    // Asked for some keys (every other one, and for an odd count one that is not there), it
    // gives exactly those.
    QStringList keys = ini.keys();
    std::sort(keys.begin(), keys.end());
    QSet<QString> wanted;
    for (qsizetype i = 0; i < keys.size(); i += 2)
        wanted.insert(keys[i]);
    if (keys.size() % 2 != 0)
        wanted.insert(platform::IniKey(u"frmmain", u"missing"));
    platform::IniValues some = ini;
    some.removeIf([&wanted](auto entry) { return !wanted.contains(entry.key()); });
    if (platform::ParseIni(bytes, wanted) != some)
        qFatal("asked for some keys, the reader gave others or other values");
    return 0;
}

// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringView>

#include <optional>

namespace platform {

/// The values of an INI text, each under its section's name and its key's name, both folded to
/// ASCII lower case and joined by a line feed; look them up through IniValue(). One flat table,
/// because a file of many tiny sections would otherwise cost a table each.
using IniValues = QHash<QString, QString>;

/// The Windows code page in which older tools saved the texts of `language` (an ISO 639 code
/// such as "bg"): the code page of its script, Windows-1252 for the languages of western Europe
/// and for any language the table does not know.
const char *LegacyCodePage(QStringView language);

/// Parses the bytes of an INI file. The encoding follows a UTF-8 or UTF-16 byte-order mark;
/// without one, valid UTF-8 is UTF-8 and anything else the code page `legacy` names. Lines end at
/// CR LF, LF or CR, and a NUL character ends its line early. "[name]" opens a section (the header
/// ends at its first "]"); "key=value" splits at the first "="; a line starting with ";" and a line
/// without "=" are ignored. Blanks (space, tab, VT, FF) around names and values are trimmed,
/// one pair of matching quotes around a value is removed, and a value keeps at most its first
/// 254 characters (code points). The first section of a name counts, and in it the first
/// occurrence of a key. With `wanted` (names joined and folded as in the result), only those
/// values are kept: a large file then costs no more memory than a small one.
IniValues ParseIni(QByteArrayView bytes, const QSet<QString> &wanted = {},
                   const char *legacy = "windows-1252");

/// Parses the regular file at `path`. A file that cannot be read, is no regular file, or is
/// larger than 1 MiB gives no values. Never blocks on a FIFO or a device.
IniValues ReadIniFile(const QString &path, const QSet<QString> &wanted = {},
                      const char *legacy = "windows-1252");

/// `section` and `key` joined and folded as ParseIni() keeps them.
QString IniKey(QStringView section, QStringView key);

/// The value of `key` in `section`, names compared without regard to ASCII case.
std::optional<QString> IniValue(const IniValues &ini, QStringView section, QStringView key);

/// The full path of the language file in `folder`: the first, in case-insensitive name order,
/// of the visible regular files (or links to one) whose names end in ".lgf" in any case and
/// that ReadIniFile() can read: an unreadable or too large file is passed over. Empty when
/// there is none.
QString FindLanguageFile(const QString &folder);

} // namespace platform

#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>

#include <optional>

namespace platform {

/// The sections of an INI text by name, each holding its keys and values. Names are stored
/// folded to ASCII lower case; look them up through IniValue().
using IniSections = QHash<QString, QHash<QString, QString>>;

/// Parses the bytes of an INI file. The encoding follows a UTF-8 or UTF-16 byte-order mark;
/// without one, valid UTF-8 is UTF-8 and anything else Windows-1252. Lines end at CR LF, LF or
/// CR, and a NUL character ends its line early. "[name]" opens a section (the header ends at
/// its first "]"); "key=value" splits at the first "="; a line starting with ";" and a line
/// without "=" are ignored. Blanks (space, tab, VT, FF) around names and values are trimmed,
/// one pair of matching quotes around a value is removed, and a value keeps at most its first
/// 254 characters (code points). The first section of a name counts, and in it the first
/// occurrence of a key.
IniSections ParseIni(QByteArrayView bytes);

/// Parses the regular file at `path`. A file that cannot be read, is no regular file, or is
/// larger than 1 MiB gives no sections. Never blocks on a FIFO or a device.
IniSections ReadIniFile(const QString &path);

/// The value of `key` in `section`, names compared without regard to ASCII case.
std::optional<QString> IniValue(const IniSections &ini, QStringView section, QStringView key);

/// The full path of the language file in `folder`: the first, in case-insensitive name order,
/// of the visible regular files (or links to one) whose names end in ".lgf" in any case.
/// Empty when there is none.
QString FindLanguageFile(const QString &folder);

} // namespace platform

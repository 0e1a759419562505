// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Settings.h"

#include "Xdg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>
#include <QStringList>
#include <QVariant>

#include <cstdio>
#include <optional>

namespace platform {

namespace {

constexpr QLatin1String section("Parameters");

// Where the per-user store of "Cambrivo" lies, named here so that it can be looked at before
// the toolkit opens it.
QString storePath()
{
    return XdgHome("XDG_CONFIG_HOME", ".config") + QStringLiteral("/Cambrivo/Cambrivo.conf");
}

// The file that the store's path names. A user who keeps the store elsewhere (a folder of
// dotfiles) links it, perhaps before the file exists: it is read, set aside and written at the
// link's end, and the link stays. The toolkit, given the link, would replace it by a file. Empty
// when the links go round, or end in a folder that does not exist, which is not made here.
QString storeFile(const QString &path)
{
    QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    for (int links = 0; info.isSymLink(); ++links) {
        if (links == 40)
            return {};
        info.setFile(info.symLinkTarget());
    }
    return info.dir().exists() ? info.filePath() : QString();
}

// Whether the store may be opened: a regular file, or absent. Opening a FIFO put in its place
// would wait for a writer forever, and a device could be read without end.
bool openable(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

// Whether the file holds text the toolkit reads as it was meant: UTF-8 (a UTF-8 byte-order mark
// is skipped) without a NUL. Anything else, UTF-16 for one, was read as junk, and writing the
// store would replace it for good.
bool readable(const QString &path, const QSettings &store)
{
    QFile file(path);
    if (!file.exists())
        return true;
    if (store.status() == QSettings::FormatError || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.contains('\0'))
        return false;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    // The decoder decodes only when its result becomes a string.
    [[maybe_unused]] const QString text = utf8(bytes);
    return !utf8.hasError();
}

// Moves an unreadable store aside under the first free name, so that its bytes stay whole.
bool keepAside(const QString &path)
{
    const QString aside = path + QStringLiteral(".unreadable");
    for (int n = 0; n < 1000; ++n) {
        const QString name = n == 0 ? aside : aside + u'.' + QString::number(n);
        if (!QFileInfo::exists(name) && !QFileInfo(name).isSymLink())
            return QFile::rename(path, name);
    }
    return false;
}

} // namespace

QString GetSetting(const QString &key, const QString &defaultText)
{
    const QString path = storeFile(storePath());
    if (path.isEmpty() || !openable(path))
        return defaultText;
    const QSettings store(path, QSettings::IniFormat);
    const QVariant value = store.value(section + u'/' + key);
    // A hand-edited "Value=1936,27" has an unquoted comma, which the INI reader splits.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultText;
    return value.toString();
}

bool SaveSettings(const QList<std::pair<QString, QString>> &entries)
{
    const QString path = storeFile(storePath());
    bool stored = false;
    if (!path.isEmpty() && openable(path)) {
        std::optional<QSettings> store(std::in_place, path, QSettings::IniFormat);
        bool writable = readable(path, *store);
        // Without the old file the store starts empty, and its read error is forgotten.
        if (!writable && keepAside(path)) {
            store.emplace(path, QSettings::IniFormat);
            writable = true;
        }
        if (writable) {
            store->beginGroup(section);
            for (const auto &[key, value] : entries)
                store->setValue(key, value);
            store->endGroup();
            store->sync();
            stored = store->status() == QSettings::NoError;
        }
    }
    static bool reported = false;
    if (!stored && !reported) {
        reported = true;
        std::fprintf(stderr, "cambrivo: cannot write the settings to %s\n",
                     qPrintable(storePath()));
    }
    return stored;
}

} // namespace platform

// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Xdg.h"

#include <QDir>

namespace platform {

// The toolkit's own lookup takes a relative path against the working folder, so that the
// files found would change with the folder the program is started from.
QString XdgHome(const char *variable, const char *fallback)
{
    const QString folder = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(folder) ? folder
                                        : QDir::homePath() + u'/' + QLatin1StringView(fallback);
}

QStringList XdgDirs(const char *variable, const char *fallback)
{
    QStringList folders = qEnvironmentVariable(variable).split(u':');
    folders.removeIf([](const QString &folder) { return !QDir::isAbsolutePath(folder); });
    return folders.isEmpty() ? QStringList{QLatin1StringView(fallback)} : folders;
}

} // namespace platform

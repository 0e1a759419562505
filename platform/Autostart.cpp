// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Autostart.h"

#include "IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace platform {

namespace {

// The Exec key's form of `program`: quoted when it holds a reserved character, with the
// escapes of the desktop entry format on top of those of its quoting.
QString execArgument(const QString &program)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (!std::any_of(program.begin(), program.end(), [](QChar c) { return reserved.contains(c); }))
        return QString(program).replace(u'%', QStringLiteral("%%"));
    QString quoted;
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'%', QStringLiteral("%%"));
    return u'"' + quoted.replace(u'\\', QStringLiteral("\\\\")) + u'"';
}

} // namespace

QString AutostartPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/autostart/org.example.cambrivo.desktop");
}

bool StartsAtLogin()
{
    const QFileInfo entry(AutostartPath());
    if (!entry.isFile())
        return false;
    const std::optional<QString> hidden
            = IniValue(ReadIniFile(entry.filePath()), u"Desktop Entry", u"Hidden");
    return hidden.value_or(QString()).trimmed() != u"true";
}

bool WriteAutostart(const QString &name, const QString &program)
{
    const QString found = QStandardPaths::findExecutable(name);
    const bool onPath = !found.isEmpty()
            && QFileInfo(found).canonicalFilePath() == QFileInfo(program).canonicalFilePath();
    const QString path = AutostartPath();
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringLiteral("[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Cambrivo\n"
                              "Comment=Convert amounts between your own currency and the euro\n"
                              "Icon=cambrivo\n"
                              "Exec=%1\n"
                              "Terminal=false\n")
                       .arg(execArgument(onPath ? name : program))
                       .toUtf8());
    return file.commit();
}

bool RemoveAutostart()
{
    QFile::remove(AutostartPath());
    return !QFileInfo::exists(AutostartPath()) && !QFileInfo(AutostartPath()).isSymLink();
}

} // namespace platform

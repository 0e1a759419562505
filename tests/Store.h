// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTest>
#include <QtCore>

namespace test {

// The columns of a data-driven test, one type for each name.
template<typename... T> void columns(const std::array<const char *, sizeof...(T)> &names)
{
    int i = 0;
    (QTest::addColumn<T>(names[i++]), ...);
}

// A named row of a data-driven test; text literals fill QString columns.
template<typename... T> void row(const char *name, T... values)
{
    (QTest::newRow(name) << ... << values);
}

// Environment variables set from "NAME=value ..." for as long as it lives, then put back.
class Environment
{
public:
    explicit Environment(const QString &settings)
    {
        for (const QString &setting : settings.split(u' ', Qt::SkipEmptyParts)) {
            const QByteArray name = setting.section(u'=', 0, 0).toLatin1();
            m_saved.append({name, qgetenv(name)});
            qputenv(name, setting.section(u'=', 1).toUtf8());
        }
    }
    ~Environment()
    {
        for (const auto &[name, value] : m_saved)
            qputenv(name, value);
    }

private:
    QList<std::pair<QByteArray, QByteArray>> m_saved;
};

// A private settings store for one test.
struct Store
{
    QTemporaryDir dir;
    Store() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path())); }
    // With asFolder false, a plain file takes the place of the store's folder.
    void write(const QByteArray &lines, bool asFolder = true) const
    {
        QFile f(dir.filePath(asFolder && QDir(dir.path()).mkpath("Cambrivo")
                                     ? "Cambrivo/Cambrivo.conf"
                                     : "Cambrivo"));
        if (f.open(QIODevice::WriteOnly) && asFolder)
            f.write("[Parameters]\n" + lines);
    }
};

} // namespace test

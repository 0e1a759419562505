#pragma once

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace test {

// A private settings store for one test, and the text of its file.
class Store
{
public:
    Store() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path()); }

    QString file() const { return m_dir.filePath(QStringLiteral("Cambrivo/Cambrivo.conf")); }

    // With asFolder false, a plain file takes the place of the store's folder.
    void write(const QByteArray &lines, bool asFolder = true) const
    {
        if (!asFolder) {
            QFile(m_dir.filePath(QStringLiteral("Cambrivo"))).open(QIODevice::WriteOnly);
            return;
        }
        QDir(m_dir.path()).mkpath(QStringLiteral("Cambrivo"));
        QFile f(file());
        if (f.open(QIODevice::WriteOnly))
            f.write("[Parameters]\n" + lines);
    }

    QString text() const
    {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private:
    QTemporaryDir m_dir;
};

} // namespace test

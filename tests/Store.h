#pragma once

#include <QtCore>

namespace test {

// A private settings store for one test, and the text of its file.
struct Store
{
    QTemporaryDir dir;
    Store() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path()); }
    QString file() const { return dir.filePath("Cambrivo/Cambrivo.conf"); }
    // With asFolder false, a plain file takes the place of the store's folder.
    void write(const QByteArray &lines, bool asFolder = true) const
    {
        QFile f(asFolder && QDir(dir.path()).mkpath("Cambrivo") ? file()
                                                                : dir.filePath("Cambrivo"));
        if (f.open(QIODevice::WriteOnly) && asFolder)
            f.write("[Parameters]\n" + lines);
    }
    QString text() const
    {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

} // namespace test

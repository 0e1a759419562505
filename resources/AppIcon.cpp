#include "AppIcon.h"

#include <QImageReader>
#include <QPixmap>

namespace resources {

// Every size the artwork is drawn at, so that Qt scales down from the nearest larger one and
// never blows a small one up.
QIcon appIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 256}) {
        // Told the format, the reader goes straight to the built-in PNG decoder; left to guess,
        // it would load every image-format plug-in to ask each whether it reads PNG.
        QImageReader reader(QStringLiteral(":/icons/cambrivo-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

} // namespace resources

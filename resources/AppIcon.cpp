#include "AppIcon.h"

namespace resources {

// Every size the artwork is drawn at, so that Qt scales down from the nearest larger one and
// never blows a small one up.
QIcon appIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/cambrivo-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace resources

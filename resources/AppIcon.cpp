// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppIcon.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>

namespace resources {

namespace {

// Every size the artwork is drawn at, so that Qt scales down from the nearest larger one and
// never blows a small one up.
constexpr std::array sizes{16, 32, 48, 256};

// Decodes the artwork at each request and keeps nothing: a window hands its icon to the window
// system once, and the 256-pixel image alone would hold a quarter of a megabyte for good.
class ArtworkEngine : public QIconEngine
{
public:
    QPixmap pixmap(const QSize &size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override
    {
        const auto drawn = std::lower_bound(sizes.begin(), sizes.end(),
                                            std::max(size.width(), size.height()));
        // Told the format, the reader goes straight to the built-in PNG decoder; left to
        // guess, it would load every image-format plug-in to ask each whether it reads PNG.
        QImageReader reader(QStringLiteral(":/icons/cambrivo-%1.png")
                                    .arg(drawn == sizes.end() ? sizes.back() : *drawn),
                            "png");
        reader.setAutoDetectImageFormat(false);
        QImage image = reader.read();
        if (image.size() != size)
            image = image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return QPixmap::fromImage(std::move(image));
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QSize actualSize(const QSize &size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override
    {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override
    {
        QList<QSize> all;
        for (const int side : sizes)
            all.append(QSize(side, side));
        return all;
    }

    QIconEngine *clone() const override { return new ArtworkEngine; }
};

} // namespace

QIcon appIcon()
{
    return QIcon(new ArtworkEngine);
}

} // namespace resources

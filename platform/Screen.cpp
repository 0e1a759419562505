#include "Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <limits>

namespace platform {

namespace {

float twipsPerPixel(qreal logicalDpi)
{
    // With high-DPI scaling Qt reports the logical resolution, normally 96: 15 twips a pixel.
    return logicalDpi > 0 ? static_cast<float>(1440.0 / logicalDpi) : 15.0F;
}

} // namespace

ScreenMetrics Screen()
{
    ScreenMetrics metrics;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return metrics;
    metrics.TwipsPerPixelX = twipsPerPixel(screen->logicalDotsPerInchX());
    metrics.TwipsPerPixelY = twipsPerPixel(screen->logicalDotsPerInchY());
    const QRect geometry = screen->geometry();
    metrics.Left = static_cast<float>(geometry.x()) * metrics.TwipsPerPixelX;
    metrics.Top = static_cast<float>(geometry.y()) * metrics.TwipsPerPixelY;
    metrics.Width = static_cast<float>(geometry.width()) * metrics.TwipsPerPixelX;
    metrics.Height = static_cast<float>(geometry.height()) * metrics.TwipsPerPixelY;
    return metrics;
}

qint32 RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    // nearbyint follows the default rounding mode, which rounds halves to even.
    return static_cast<qint32>(std::nearbyint(std::clamp(value, lowest, highest)));
}

qint32 ToPixels(float twips, float twipsPerPixel)
{
    return RoundHalfEven(static_cast<double>(twips) / static_cast<double>(twipsPerPixel));
}

void SetStaysOnTop(QWidget &window, bool on)
{
    const Qt::WindowFlags flags = window.windowFlags().setFlag(Qt::WindowStaysOnTopHint, on);
    // QWidget::setWindowFlags would hide and re-create the native window; the QWindow changes
    // the window manager's state of the mapped window in place.
    window.overrideWindowFlags(flags);
    if (QWindow *handle = window.windowHandle())
        handle->setFlags(flags);
    if (!window.isVisible()) {
        window.setAttribute(Qt::WA_ShowWithoutActivating);
        window.show();
    }
}

} // namespace platform

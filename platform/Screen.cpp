// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

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

ScreenMetrics metricsOf(const QScreen *screen)
{
    ScreenMetrics metrics;
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return metrics;
    // One twip is one twip everywhere: the primary monitor's resolution converts all of them.
    metrics.TwipsPerPixelX = twipsPerPixel(primary->logicalDotsPerInchX());
    metrics.TwipsPerPixelY = twipsPerPixel(primary->logicalDotsPerInchY());
    if (!screen)
        return metrics;
    const QRect geometry = screen->geometry();
    metrics.Left = static_cast<float>(geometry.x()) * metrics.TwipsPerPixelX;
    metrics.Top = static_cast<float>(geometry.y()) * metrics.TwipsPerPixelY;
    metrics.Width = static_cast<float>(geometry.width()) * metrics.TwipsPerPixelX;
    metrics.Height = static_cast<float>(geometry.height()) * metrics.TwipsPerPixelY;
    return metrics;
}

} // namespace

ScreenMetrics Screen()
{
    return metricsOf(QGuiApplication::primaryScreen());
}

const QScreen *NearestScreen(QPoint point)
{
    // A strip dragged past the outer edge of a monitor has its centre on none; the nearest one
    // is the monitor it came from, where the primary would throw it across the desk.
    const auto distance = [point](const QScreen *screen) {
        const QRect r = screen->geometry();
        const qint64 dx = std::max({r.left() - point.x(), 0, point.x() - r.right()});
        const qint64 dy = std::max({r.top() - point.y(), 0, point.y() - r.bottom()});
        return dx * dx + dy * dy;
    };
    const QScreen *primary = QGuiApplication::primaryScreen();
    const QScreen *nearest = primary && !primary->geometry().isEmpty() ? primary : nullptr;
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (!screen->geometry().isEmpty() && (!nearest || distance(screen) < distance(nearest)))
            nearest = screen;
    }
    return nearest;
}

namespace {

// Before it is mapped a window's frame is unknown: centred then, the window itself lies on the
// centre and its frame hangs low by the title bar. Once the frame is known, it is centred.
class FrameCentring : public QObject
{
public:
    FrameCentring(QWidget &window, QPoint centre)
        : QObject(&window), m_window(window), m_centre(centre)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window
            && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
            const QRect frame = m_window.frameGeometry();
            if (frame != m_window.geometry()) {
                m_window.removeEventFilter(this);
                deleteLater();
                // move() places the frame of a window whose frame is known.
                m_window.move(m_centre - QRect(QPoint(), frame.size()).center());
            }
        }
        return false;
    }

private:
    QWidget &m_window;
    QPoint m_centre;
};

} // namespace

void CentreFrame(QWidget &window, QPoint centre)
{
    window.move(centre - window.rect().center());
    new FrameCentring(window, centre);
}

ScreenMetrics MonitorAt(float x, float y)
{
    const ScreenMetrics primary = Screen();
    return metricsOf(NearestScreen(
            {ToPixels(x, primary.TwipsPerPixelX), ToPixels(y, primary.TwipsPerPixelY)}));
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

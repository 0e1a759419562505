// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>

class QScreen;
class QWidget;

namespace platform {

/// The primary screen in twips (1/1440 inch) and the twips in one pixel along each axis. Its
/// origin is (0, 0) unless other monitors lie left of or above it.
struct ScreenMetrics
{
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    float TwipsPerPixelX = 15;
    float TwipsPerPixelY = 15;
};

ScreenMetrics Screen();

/// The monitor nearest to the point (pixels): the one that holds it, else the one at the least
/// distance; the primary wins a tie. Monitors without area do not count; null if none is left.
const QScreen *NearestScreen(QPoint point);

/// Centres a window about to be shown on the point, and once the window manager has framed it,
/// centres the frame.
void CentreFrame(QWidget &window, QPoint centre);

/// NearestScreen() for a point in twips.
ScreenMetrics MonitorAt(float x, float y);

/// Rounds to a 32-bit integer, halves to the even one; values beyond the range stop at its
/// ends and NaN gives 0.
qint32 RoundHalfEven(double value);

/// A twips quantity as whole pixels on the window system, halves to the even one.
qint32 ToPixels(float twips, float twipsPerPixel);

/// Moves a shown window into or out of the always-on-top band at once, keeping its position
/// and size, without hiding, re-creating or activating it.
void SetStaysOnTop(QWidget &window, bool on);

} // namespace platform

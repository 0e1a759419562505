// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DialogRecall.h"

#include <QCoreApplication>
#include <QWidget>

#include <cstdint>
#include <cstring>

namespace platform {

namespace {

// The X protocol's numbers: a core key or button press names its window at byte 12; where the
// server has the input extension, the toolkit takes buttons from it, whose press names its
// window at byte 24.
constexpr std::uint8_t keyPress = 2;
constexpr std::uint8_t buttonPress = 4;
constexpr std::uint8_t genericEvent = 35;
constexpr std::uint16_t inputButtonPress = 4;

// The window a key or button press happened in, or 0 for any other event.
std::uint32_t pressedIn(const unsigned char *event)
{
    std::uint32_t window = 0;
    std::uint16_t subtype = 0;
    switch (event[0] & 0x7F) {
    case keyPress:
    case buttonPress: // where the server lacks the input extension
        std::memcpy(&window, event + 12, sizeof window);
        break;
    case genericEvent:
        std::memcpy(&subtype, event + 8, sizeof subtype);
        if (subtype == inputButtonPress)
            std::memcpy(&window, event + 24, sizeof window);
        break;
    default:
        break;
    }
    return window;
}

} // namespace

DialogRecall::DialogRecall(const QWidget &window, QWidget &dialog)
    : m_window(window), m_dialog(dialog)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

DialogRecall::~DialogRecall()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool DialogRecall::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    // Other window systems keep a modal dialog in reach themselves.
    if (eventType != "xcb_generic_event_t")
        return false;
    if (pressedIn(static_cast<const unsigned char *>(message)) != m_window.winId())
        return false;
    m_dialog.showNormal();
    m_dialog.raise();
    m_dialog.activateWindow();
    return false;
}

} // namespace platform

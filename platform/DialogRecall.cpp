// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DialogRecall.h"

#include <QCoreApplication>
#include <QWidget>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

namespace platform {

namespace {

// The window a key or button press happened in, or 0 for any other event. Where the server has
// the input extension, the toolkit takes buttons from it, and its presses come as generic events.
xcb_window_t pressedIn(const xcb_generic_event_t &event)
{
    switch (event.response_type & ~0x80) { // the top bit marks an event another client sent
    case XCB_KEY_PRESS:
        return reinterpret_cast<const xcb_key_press_event_t &>(event).event;
    case XCB_BUTTON_PRESS: // where the server lacks the input extension
        return reinterpret_cast<const xcb_button_press_event_t &>(event).event;
    case XCB_GE_GENERIC:
        if (reinterpret_cast<const xcb_ge_generic_event_t &>(event).event_type
            != XCB_INPUT_BUTTON_PRESS)
            return 0;
        return reinterpret_cast<const xcb_input_button_press_event_t &>(event).event;
    default:
        return 0;
    }
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
    if (pressedIn(*static_cast<const xcb_generic_event_t *>(message)) != m_window.winId())
        return false;
    m_dialog.showNormal();
    m_dialog.raise();
    m_dialog.activateWindow();
    return false;
}

} // namespace platform

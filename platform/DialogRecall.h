// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractNativeEventFilter>

class QWidget;

namespace platform {

/// While it lives, a key or button pressed on `window` brings `dialog` back to the front,
/// restored and focused. A window manager may let the user minimise a modal dialog, and the
/// window it blocks then takes no input, with nothing on screen to say why.
class DialogRecall : public QAbstractNativeEventFilter
{
public:
    DialogRecall(const QWidget &window, QWidget &dialog);
    ~DialogRecall() override;
    DialogRecall(const DialogRecall &) = delete;
    DialogRecall &operator=(const DialogRecall &) = delete;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    const QWidget &m_window;
    QWidget &m_dialog;
};

} // namespace platform

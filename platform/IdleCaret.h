// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

namespace platform {

/// Stops the text caret's blinking once no key, click or focus change has come for `timeout`,
/// and lets it blink again at the next one, so that a window nobody uses wakes nothing up. The
/// caret stays drawn while it rests. Watches the whole application from construction on; needs
/// the application object.
class IdleCaret : public QObject
{
    Q_OBJECT

public:
    explicit IdleCaret(std::chrono::milliseconds timeout = std::chrono::seconds(10),
                       QObject *parent = nullptr);
    ~IdleCaret() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rest();
    void wake();

    QTimer m_idle;
    int m_flashTime = 0; // the user's blink period while the caret rests, else 0
};

} // namespace platform

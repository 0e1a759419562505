// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "IdleCaret.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

#include <utility>

namespace platform {

IdleCaret::IdleCaret(std::chrono::milliseconds timeout, QObject *parent) : QObject(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(timeout);
    connect(&m_idle, &QTimer::timeout, this, &IdleCaret::rest);
    QCoreApplication::instance()->installEventFilter(this);
    m_idle.start();
}

IdleCaret::~IdleCaret()
{
    wake();
}

bool IdleCaret::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::FocusIn:
        wake();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void IdleCaret::rest()
{
    // Every line edit follows the flash time: at 0 it kills its blink timer and draws the caret
    // steadily; at any other value it starts blinking again, caret shown first.
    QStyleHints *hints = QGuiApplication::styleHints();
    m_flashTime = hints->cursorFlashTime();
    hints->setCursorFlashTime(0);
}

void IdleCaret::wake()
{
    if (m_flashTime != 0)
        QGuiApplication::styleHints()->setCursorFlashTime(std::exchange(m_flashTime, 0));
    m_idle.start();
}

} // namespace platform

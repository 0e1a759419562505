// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Beep.h"

#include <QApplication>

namespace platform {

std::function<void()> &beepFunction()
{
    static std::function<void()> function = [] {
        QApplication::beep();
    };
    return function;
}

void Beep()
{
    if (beepFunction())
        beepFunction()();
}

} // namespace platform

// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

namespace platform {

/// Sounds the system beep through beepFunction(), which a test may replace to count beeps.
void Beep();
std::function<void()> &beepFunction();

} // namespace platform

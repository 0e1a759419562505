// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

namespace platform {

/// Ends the process at once: no destructor, unload or exit handler runs. Goes through
/// endProcessFunction(), which a test may replace.
void EndProcess();
std::function<void()> &endProcessFunction();

/// Chooses the X11 platform when the user has not chosen one and an X display is there: under
/// Wayland a client can neither place its window nor keep it above others. Call before the
/// application object exists.
void PreferX11();

/// Takes that choice, if PreferX11 made it, back out of the environment once the application
/// object exists, so that programs started from here (a browser) choose their own platform.
void ForgetX11Preference();

/// From here until DisplayOpened(), a toolkit that cannot open a display ends the process with
/// one line on standard error that names the display it tried, and status 1, instead of its
/// own abort and core dump. The toolkit's platform messages of that time are held back and
/// shown only if the display opens.
void ExplainMissingDisplay();
void DisplayOpened();

} // namespace platform

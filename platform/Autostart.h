// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace platform {

/// The user's autostart entry of this program: $XDG_CONFIG_HOME/autostart/<app id>.desktop.
QString AutostartPath();

/// Whether the desktop starts the program at login: its entry is there and not Hidden=true.
bool StartsAtLogin();

/// Writes the entry, which starts `program` (an absolute path) by name when `program` is the
/// one the PATH finds under `name`, else by its path. False when it cannot be written.
bool WriteAutostart(const QString &name, const QString &program);

/// Removes the entry; false when it is still there.
bool RemoveAutostart();

} // namespace platform

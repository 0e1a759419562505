// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

namespace platform {

/// The user's folder that `variable` (XDG_CONFIG_HOME, XDG_DATA_HOME) names, else the home
/// folder's `fallback` (".config"). A relative path is invalid there and counts as unset.
QString XdgHome(const char *variable, const char *fallback);

/// The absolute folders of the colon-separated list in `variable` (XDG_CONFIG_DIRS), in order,
/// relative ones left out; `fallback` when it names none.
QStringList XdgDirs(const char *variable, const char *fallback);

} // namespace platform

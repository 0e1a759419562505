// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;
class frmMenus;

namespace cambrivo {

/// Pops up the command menu with its top-left corner at the strip's bottom-left corner and
/// returns once it has closed. Opened by keyboard, it starts with its first item active.
void ShowMenu(const QWidget &main, frmMenus &menus, bool byKeyboard = false);

/// Sets the "always on top" check mark to `state` and moves the strip into or out of the
/// always-on-top band to match the check mark.
void SetAlwaysOnTop(QWidget &main, frmMenus &menus, bool state);

} // namespace cambrivo

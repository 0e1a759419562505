// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Module1.h"

#include "frmMenus.h"
#include "platform/Screen.h"

#include <QAction>
#include <QMenu>

namespace Module1 {

void ShowMenu(const QWidget &main, frmMenus &menus)
{
    menus.mnuBar()->exec(main.geometry().bottomLeft() + QPoint(0, 1));
}

void SetAlwaysOnTop(QWidget &main, frmMenus &menus, bool state)
{
    menus.mnuAlwaysOnTop()->setChecked(state);
    // The check mark is the only record of the state: follow it, not the argument.
    platform::SetStaysOnTop(main, menus.mnuAlwaysOnTop()->isChecked());
}

} // namespace Module1

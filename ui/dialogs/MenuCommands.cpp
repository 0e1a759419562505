// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MenuCommands.h"

#include "frmMenus.h"
#include "platform/Screen.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace cambrivo {

void ShowMenu(const QWidget &main, frmMenus &menus, bool byKeyboard)
{
    QMenu *menu = menus.mnuBar();
    if (byKeyboard) {
        // Once the menu shows: a screen reader then hears the item right after the menu.
        QMetaObject::invokeMethod(
                menu,
                [menu] {
                    const QList<QAction *> actions = menu->actions();
                    const auto first = std::find_if(actions.begin(), actions.end(), [](QAction *a) {
                        return !a->isSeparator() && a->isVisible() && a->isEnabled();
                    });
                    if (first != actions.end())
                        menu->setActiveAction(*first);
                },
                Qt::QueuedConnection);
    }
    menu->exec(main.geometry().bottomLeft() + QPoint(0, 1));
}

void SetAlwaysOnTop(QWidget &main, frmMenus &menus, bool state)
{
    menus.mnuAlwaysOnTop()->setChecked(state);
    // The check mark is the only record of the state: follow it, not the argument.
    platform::SetStaysOnTop(main, menus.mnuAlwaysOnTop()->isChecked());
}

} // namespace cambrivo

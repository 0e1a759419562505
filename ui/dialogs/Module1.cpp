#include "Module1.h"

#include "frmMenus.h"
#include "platform/Screen.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QMenu>

namespace Module1 {

void ShowMenu(const frmMain &main, frmMenus &menus)
{
    const platform::ScreenMetrics screen = platform::Screen();
    const QPoint corner(platform::ToPixels(main.Left(), screen.TwipsPerPixelX),
                        platform::ToPixels(main.Top() + main.Height(), screen.TwipsPerPixelY));
    menus.mnuBar()->exec(corner);
}

void SetAlwaysOnTop(frmMain &main, frmMenus &menus, bool state)
{
    menus.mnuAlwaysOnTop()->setChecked(state);
    // The check mark is the only record of the state: follow it, not the argument.
    platform::SetStaysOnTop(main, menus.mnuAlwaysOnTop()->isChecked());
}

} // namespace Module1

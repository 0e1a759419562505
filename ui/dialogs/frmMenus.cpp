// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmMenus.h"
#include "ui_frmMenus.h"

#include "MenuCommands.h"
#include "frmAbout.h"
#include "frmConfigure.h"
#include "platform/Autostart.h"
#include "platform/Beep.h"
#include "platform/DialogRecall.h"
#include "platform/Process.h"
#include "platform/Screen.h"
#include "platform/Settings.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>

frmMenus::frmMenus(QWidget &main) : m_main(main), ui(std::make_unique<Ui::frmMenus>())
{
    ui->setupUi(this);
    // A separator shows only its line: the Fusion style would draw its "-" caption too.
    for (QAction *separator : {ui->mnuSeparator1, ui->mnuSeparator2}) {
        separator->setSeparator(true);
        separator->setText(QString());
    }

    connect(ui->mnuConfigure, &QAction::triggered, this, &frmMenus::mnuConfigure_Click);
    connect(ui->mnuAlwaysOnTop, &QAction::triggered, this, &frmMenus::mnuAlwaysOnTop_Click);
    connect(ui->mnuAutostart, &QAction::triggered, this, &frmMenus::mnuAutostart_Click);
    // The desktop's own settings may add or disable the entry while the strip runs.
    connect(ui->mnuBar, &QMenu::aboutToShow, this,
            [this] { ui->mnuAutostart->setChecked(platform::StartsAtLogin()); });
    connect(ui->mnuAbout, &QAction::triggered, this, &frmMenus::mnuAbout_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &frmMenus::mnuExit_Click);
}

frmMenus::~frmMenus() = default;

QMenu *frmMenus::mnuBar() const
{
    return ui->mnuBar;
}

QAction *frmMenus::mnuAlwaysOnTop() const
{
    return ui->mnuAlwaysOnTop;
}

void frmMenus::mnuConfigure_Click()
{
    frmConfigure dialog;
    dialog.Form_Load();
    showModal(dialog);
}

void frmMenus::mnuAlwaysOnTop_Click()
{
    // A checkable action has already flipped its own check mark when it reports the choice;
    // flipping it here again would undo the user's choice.
    cambrivo::SetAlwaysOnTop(m_main, *this, ui->mnuAlwaysOnTop->isChecked());
}

void frmMenus::mnuAutostart_Click()
{
    const bool wanted = ui->mnuAutostart->isChecked();
    if (wanted)
        platform::WriteAutostart(QStringLiteral("cambrivo"), QApplication::applicationFilePath());
    else
        platform::RemoveAutostart();
    ui->mnuAutostart->setChecked(platform::StartsAtLogin());
    if (ui->mnuAutostart->isChecked() != wanted)
        platform::Beep();
}

void frmMenus::mnuAbout_Click()
{
    frmAbout dialog;
    dialog.Form_Load();
    showModal(dialog);
}

void frmMenus::mnuExit_Click()
{
    // The place the strip was sent to, not where a window manager's frame shifted it: stored
    // shifted, it would creep by the frame on every start.
    const QVariant placed = m_main.property("placed");
    const QPoint at = placed.isValid() ? placed.toPoint() : m_main.pos();
    platform::SaveSettings({
            {QStringLiteral("Top"), QString::number(at.y())},
            {QStringLiteral("Left"), QString::number(at.x())},
            {QStringLiteral("OnTop"),
             ui->mnuAlwaysOnTop->isChecked() ? QStringLiteral("1") : QStringLiteral("0")},
    });
    platform::EndProcess();
}

void frmMenus::showModal(QDialog &dialog)
{
    // An always-on-top strip would otherwise cover a dialog that opens where it lies.
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint, ui->mnuAlwaysOnTop->isChecked());
    // Centred on the strip's monitor, where the user is looking, not on the pointer's.
    if (const QScreen *screen = platform::NearestScreen(m_main.geometry().center()))
        platform::CentreFrame(dialog, screen->geometry().center());
    const platform::DialogRecall recall(m_main, dialog);
    dialog.exec();
}

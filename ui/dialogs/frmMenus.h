// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include <memory>

class QAction;
class QDialog;
class QMenu;

namespace Ui {
class frmMenus;
}

// Never shown: it owns the strip's command menu and runs the chosen command. It holds the menu
// itself rather than a menu bar, whose construction loads every image-format plug-in.
class frmMenus : public QWidget
{
    Q_OBJECT

public:
    /// `main` is the strip the menu belongs to.
    explicit frmMenus(QWidget &main);
    ~frmMenus() override;

    QMenu *mnuBar() const;
    QAction *mnuAlwaysOnTop() const;

    void mnuConfigure_Click();
    void mnuAlwaysOnTop_Click();
    void mnuAutostart_Click();
    void mnuAbout_Click();
    void mnuExit_Click();

    // Runs a dialog modally, above the strip even while the strip stays on top.
    void showModal(QDialog &dialog);

private:
    QWidget &m_main;
    std::unique_ptr<Ui::frmMenus> ui;
};

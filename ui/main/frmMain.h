// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/Accessibility.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QMouseEvent;
class QScreen;
class frmMenus;

namespace Ui {
class frmMain;
}

class frmMain : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QPoint placed READ placed)

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    void Form_Load();

    // Geometry in twips, as stored and as the placement rules reason about it.
    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;

    /// Pulls the position (twips) wholly onto the screen, in place, and moves the window there.
    void MoveForm(float &X, float &Y);

    frmMenus *menus() const { return m_menus.get(); }

    /// Shows the strip where it was, above other windows, with the focus in the euro box; a
    /// dialog open on it comes up instead.
    void Present();
    /// Hides a visible strip in place, or presents a hidden one.
    void ToggleShown();
    /// Where the program last sent the strip (pixels): the place to store, whatever frame the
    /// window manager puts around it.
    QPoint placed() const { return m_placed; }

    // The last converted pair, unrounded.
    double dblValuta = 0;
    double dblEuro = 0;

    // Where the pointer grabbed cmdMenu (twips) when a drag began.
    float StartPosX = 0;
    float StartPosY = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void txtEuro_KeyPress(qint16 &KeyAscii, const QString &text);
    void txtEuro_Change();
    void txtEuro_KeyUp();
    void txtEuro_GotFocus();
    void txtCurrency_KeyPress(qint16 &KeyAscii, const QString &text);
    void txtCurrency_Change();
    void txtCurrency_KeyUp();
    void txtCurrency_GotFocus();
    void cmdMenu_MouseDown(int Button, float X, float Y);
    void cmdMenu_MouseMove(int Button, float X, float Y);

    void placeFromSettings();
    void followScreen(const QScreen *screen);
    void keepOnScreens();
    void settle();
    void applyStoredOnTop();
    bool handleMouse(QMouseEvent *event);
    /// Opens the command menu when the event asks for it (the context-menu key, Shift+F10),
    /// returning once it has closed; the result says whether it did.
    bool openMenuIfAsked(const QEvent *event);
    void filterComposed(QLineEdit *box, QInputMethodEvent *event);
    /// Opens the command menu with its first item active, as a keyboard user expects.
    void showMenuByKeyboard();
    /// Has a screen reader speak the converted amount once the typing in a box has settled.
    void announceResult();

    bool filterKeyPress(QLineEdit *box, const QKeyEvent *event);
    void keyPress(QLineEdit *box, const QString &text, qint16 &KeyAscii);
    static void refuseOrKeep(const QString &text, qint16 &KeyAscii);
    static void regroup(QLineEdit *box);
    static void selectAll(QLineEdit *box);

    std::unique_ptr<Ui::frmMain> ui;
    std::unique_ptr<frmMenus> m_menus;
    // The strip's position (pixels) as last requested while the left button drags it.
    std::optional<QPoint> m_requested;
    QPoint m_placed;
    // Until the window manager first places the mapped strip: some map a window with their
    // frame at the requested position, or stretched to a least size, yet honour a later request.
    bool m_mapping = false;
    // The own-currency box's name for a screen reader, "%1" standing for the currency's symbol.
    QString m_currencyName = QStringLiteral("Importo in %1");
    // Runs once the converted amount has stopped changing; never while nothing changes.
    QTimer m_settled;
    accessibility::Announcer m_announcer{*this};
};

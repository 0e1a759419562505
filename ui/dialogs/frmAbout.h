// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QLabel>

#include <memory>

class QColor;

namespace Ui {
class frmAbout;
}

// The About box's link: Tab reaches it, Enter, Space or a click follows it, and a screen reader
// reads it as a link. The box decides what following it does and how it looks under the mouse.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(QWidget *parent = nullptr);

signals:
    void activated();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

// The About box: title, version, description and a link to the maker's web site.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);
    ~frmAbout() override;

    void Form_Load();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void cmdOK_Click();
    void Form_MouseMove();
    void lblLink_MouseMove();
    void lblLink_Click();

    void setLinkColour(const QColor &colour);
    void fitLinkRow();

    std::unique_ptr<Ui::frmAbout> ui;
};

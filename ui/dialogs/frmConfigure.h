// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include <memory>

class QLineEdit;

namespace Ui {
class frmConfigure;
}

// The five conversion settings: shown fresh from the store on every opening, written back
// together on Save.
class frmConfigure : public QDialog
{
    Q_OBJECT

public:
    explicit frmConfigure(QWidget *parent = nullptr);
    ~frmConfigure() override;

    void Form_Load();
    void cmdOK_Click();
    void cmdExit_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cmbValuta_Click(int index);
    void showMatchingCurrency();
    static void refuse(QLineEdit *box);

    std::unique_ptr<Ui::frmConfigure> ui;
};

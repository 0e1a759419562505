#pragma once

#include <QWidget>

#include <memory>

class QKeyEvent;
class QLineEdit;

namespace Ui {
class frmMain;
}

class frmMain : public QWidget
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    void Form_Load();

    // The last converted pair, unrounded.
    double dblValuta = 0;
    double dblEuro = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void txtEuro_KeyPress(qint16 &KeyAscii);
    void txtEuro_Change();
    void txtEuro_KeyUp();
    void txtEuro_GotFocus();
    void txtCurrency_KeyPress(qint16 &KeyAscii);
    void txtCurrency_Change();
    void txtCurrency_KeyUp();
    void txtCurrency_GotFocus();

    bool filterKeyPress(QLineEdit *box, const QKeyEvent *event);
    static void refuseOrKeep(QLineEdit *box, qint16 &KeyAscii);
    static void regroup(QLineEdit *box);
    static void selectAll(QLineEdit *box);

    std::unique_ptr<Ui::frmMain> ui;
};

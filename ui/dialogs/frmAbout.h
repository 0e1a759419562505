#pragma once

#include <QDialog>

#include <memory>

class QColor;

namespace Ui {
class frmAbout;
}

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

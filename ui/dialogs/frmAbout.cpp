// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmAbout.h"
#include "ui_frmAbout.h"

#include "i18n/Language.h"
#include "resources/AppIcon.h"
#include "ui/BuildInfo.h"
#include "ui/Tahoma.h"

#include <QAccessibleWidget>
#include <QDesktopServices>
#include <QIcon>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QUrl>

#include <algorithm>

namespace {

class LinkAccessible : public QAccessibleWidget
{
public:
    explicit LinkAccessible(LinkLabel *link) : QAccessibleWidget(link, QAccessible::Link) { }

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        return t == QAccessible::Name && own.isEmpty() ? static_cast<QLabel *>(widget())->text()
                                                       : own;
    }
    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << pressAction();
    }
    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            emit static_cast<LinkLabel *>(widget())->activated();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *linkAccessible(const QString &className, QObject *object)
{
    auto *link = qobject_cast<LinkLabel *>(object);
    return link && className == u"LinkLabel" ? new LinkAccessible(link) : nullptr;
}

} // namespace

LinkLabel::LinkLabel(QWidget *parent) : QLabel(parent)
{
    static const bool readAsLink = (QAccessible::installFactory(linkAccessible), true);
    Q_UNUSED(readAsLink)
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    // Enter would otherwise reach the box and close it through its default button.
    const int key = event->key();
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier
        && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space))
        emit activated();
    else
        QLabel::keyPressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()))
        emit activated();
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                      | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::frmAbout>())
{
    // The title, description and link keep fixed colours chosen for a light background; under a
    // dark colour scheme the box keeps the light one that goes with them.
    setPalette(QPalette(QColor(240, 240, 240)));
    ui->setupUi(this);
    ui->Line11->setObjectName(QStringLiteral("Line1"));
    // The program's name and the link are the program's own, in every language.
    for (QLabel *label : {ui->lblTitle, static_cast<QLabel *>(ui->lblLink)})
        label->setProperty("programText", true);
    const QIcon icon = resources::appIcon();
    setWindowIcon(icon);
    ui->picIcon->setPixmap(icon.pixmap(32, 32));

    for (QLabel *label : {ui->lblVersion, ui->Label1, ui->lblDescription})
        label->setFont(tahoma(8.25));
    ui->lblTitle->setFont(tahoma(15.75));
    for (QLabel *label : {ui->lblTitle, ui->lblDescription}) {
        QPalette black = label->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(black);
    }
    QFont link = tahoma(8.25);
    link.setUnderline(true);
    ui->lblLink->setFont(link);
    ui->lblLink->setText(buildinfo::webHost());
    setLinkColour(QColor(0, 0, 255));
    fitLinkRow();
    setFixedSize(size());

    setMouseTracking(true);
    ui->lblLink->setMouseTracking(true);
    ui->lblLink->installEventFilter(this);
    connect(ui->lblLink, &LinkLabel::activated, this, &frmAbout::lblLink_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

frmAbout::~frmAbout() = default;

// The host is a packager's choice and the fonts are the desktop's: the sentence and its link
// keep to one line, and the box widens rather than cut either short.
void frmAbout::fitLinkRow()
{
    QLabel *sentence = ui->Label1;
    QLabel *link = ui->lblLink;
    const int margin = width() - link->x() - link->width();
    sentence->resize(std::max(sentence->width(), sentence->sizeHint().width()), sentence->height());
    link->setGeometry(std::max(link->x(), sentence->x() + sentence->width() + 1), link->y(),
                      std::max(link->width(), link->sizeHint().width()), link->height());
    const int grow = link->x() + link->width() + margin - width();
    if (grow <= 0)
        return;
    setFixedSize(width() + grow, height());
    ui->cmdOK->move(ui->cmdOK->x() + grow, ui->cmdOK->y());
    for (QWidget *line : {static_cast<QWidget *>(ui->Line1), static_cast<QWidget *>(ui->Line11)})
        line->resize(line->width() + grow, line->height());
}

void frmAbout::Form_Load()
{
    // A language file may re-word the title, "%1" standing for the program's name, and the
    // word before the version number; the name and the number are the program's.
    setWindowTitle(QStringLiteral("Informazioni su %1"));
    ui->lblVersion->setText(QStringLiteral("Versione"));
    ui->lblDescription->setText(buildinfo::description());
    cambrivo::ApplyLanguage(*this);
    setWindowTitle(windowTitle().replace(QStringLiteral("%1"), buildinfo::title()));
    ui->lblTitle->setText(buildinfo::title());
    const QString word = ui->lblVersion->text();
    ui->lblVersion->setText(word.isEmpty() ? buildinfo::version()
                                           : word + u' ' + buildinfo::version());
    // Orca reads a box's title and its longer texts when it opens, but skips a short label.
    // The title as shown: a "[*]" the file wrote is doubled in the window's own title.
    setAccessibleName(windowTitle().replace(QStringLiteral("[*][*]"), QStringLiteral("[*]"))
                      + QStringLiteral(", ") + ui->lblVersion->text());
    fitLinkRow();
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::Form_MouseMove()
{
    setLinkColour(QColor(0, 0, 255));
}

void frmAbout::lblLink_MouseMove()
{
    setLinkColour(QColor(0, 255, 0));
}

void frmAbout::lblLink_Click()
{
    // Whatever the desktop does with the address is its own affair; the box stays open.
    QDesktopServices::openUrl(QUrl(QStringLiteral("http://") + buildinfo::webHost()));
}

void frmAbout::setLinkColour(const QColor &colour)
{
    QPalette palette = ui->lblLink->palette();
    palette.setColor(QPalette::WindowText, colour);
    ui->lblLink->setPalette(palette);
}

void frmAbout::mouseMoveEvent(QMouseEvent *event)
{
    // Moves over the other labels never get here: without mouse tracking of their own they
    // are dropped, so the link keeps its colour until the pointer reaches the bare form.
    Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->lblLink && event->type() == QEvent::MouseMove) {
        lblLink_MouseMove();
        return true; // the form beneath must not see it and turn the link blue again
    }
    return QDialog::eventFilter(watched, event);
}

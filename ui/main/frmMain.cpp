#include "frmMain.h"
#include "ui_frmMain.h"

#include "core/Module1.h"
#include "platform/Beep.h"

#include <QIcon>
#include <QKeyEvent>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// The character a key press would insert, as the 16-bit code the key filter judges, or nothing
// for keys that move the focus or the caret rather than insert.
std::optional<qint16> keyAsciiOf(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty())
        return static_cast<qint16>(text.front().unicode());
    // Some platforms leave the text of Ctrl+letter empty; it still is the control character
    // that the filter refuses, so copy, cut and paste by keyboard stay closed on every platform.
    if (event->modifiers().testFlag(Qt::ControlModifier) && event->key() >= Qt::Key_A
        && event->key() <= Qt::Key_Z)
        return static_cast<qint16>(event->key() - Qt::Key_A + 1);
    return std::nullopt;
}

double saturated(double value)
{
    constexpr double largest = std::numeric_limits<double>::max();
    return std::clamp(value, -largest, largest);
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ui(std::make_unique<Ui::frmMain>())
{
    ui->setupUi(this);
    setFixedSize(size());
    setWindowIcon(QIcon(QStringLiteral(":/cambrivo.xpm")));

    QFont labelFont(QStringLiteral("Tahoma"));
    labelFont.setPointSizeF(9.75);
    labelFont.setBold(true);
    ui->lblCurrencyDescription->setFont(labelFont);
    ui->lblEuroDescription->setFont(labelFont);

    QPalette handle = ui->cmdMenu->palette();
    handle.setColor(QPalette::Button, handle.color(QPalette::Active, QPalette::Highlight));
    ui->cmdMenu->setPalette(handle);
    ui->cmdMenu->setAutoFillBackground(true);

    connect(ui->txtEuro, &QLineEdit::textChanged, this, &frmMain::txtEuro_Change);
    connect(ui->txtCurrency, &QLineEdit::textChanged, this, &frmMain::txtCurrency_Change);
    for (QWidget *w :
         {static_cast<QWidget *>(ui->txtEuro), static_cast<QWidget *>(ui->txtCurrency)})
        w->installEventFilter(this);

    Module1::currencyDescriptionSink() = [label = ui->lblCurrencyDescription](const QString &text) {
        label->setText(text);
    };
}

frmMain::~frmMain()
{
    Module1::currencyDescriptionSink() = nullptr;
}

void frmMain::Form_Load()
{
    show();
    Module1::LoadSettings();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    const bool euro = watched == ui->txtEuro;
    if (!euro && watched != ui->txtCurrency)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::KeyPress:
        return filterKeyPress(static_cast<QLineEdit *>(watched), static_cast<QKeyEvent *>(event));
    case QEvent::KeyRelease:
        euro ? txtEuro_KeyUp() : txtCurrency_KeyUp();
        break;
    case QEvent::FocusIn:
        euro ? txtEuro_GotFocus() : txtCurrency_GotFocus();
        break;
    default:
        break;
    }
    return false;
}

bool frmMain::filterKeyPress(QLineEdit *box, const QKeyEvent *event)
{
    const std::optional<qint16> typed = keyAsciiOf(event);
    if (!typed)
        return false;
    qint16 KeyAscii = *typed;
    box == ui->txtEuro ? txtEuro_KeyPress(KeyAscii) : txtCurrency_KeyPress(KeyAscii);
    if (KeyAscii == *typed)
        return false;
    // The filter swallowed the key or replaced it (a point becomes the decimal comma).
    if (KeyAscii != 0)
        box->insert(QString(QChar(static_cast<char16_t>(KeyAscii))));
    return true;
}

void frmMain::refuseOrKeep(QLineEdit *box, qint16 &KeyAscii)
{
    KeyAscii = Module1::FilterKey(KeyAscii, box->text());
    if (KeyAscii == 0)
        platform::Beep();
}

void frmMain::regroup(QLineEdit *box)
{
    if (Module1::intUseSeparator != 1)
        return;
    // Setting the grouped text raises the change once more; that text is already grouped, so
    // the second write changes nothing and the recursion ends there.
    box->setText(Module1::GroupThousands(box->text()));
    box->setCursorPosition(static_cast<int>(box->text().size()));
}

void frmMain::selectAll(QLineEdit *box)
{
    box->setSelection(0, static_cast<int>(box->text().size()));
}

void frmMain::txtEuro_KeyPress(qint16 &KeyAscii)
{
    refuseOrKeep(ui->txtEuro, KeyAscii);
}

void frmMain::txtCurrency_KeyPress(qint16 &KeyAscii)
{
    refuseOrKeep(ui->txtCurrency, KeyAscii);
}

void frmMain::txtEuro_Change()
{
    regroup(ui->txtEuro);
}

void frmMain::txtCurrency_Change()
{
    regroup(ui->txtCurrency);
}

void frmMain::txtEuro_GotFocus()
{
    selectAll(ui->txtEuro);
}

void frmMain::txtCurrency_GotFocus()
{
    selectAll(ui->txtCurrency);
}

void frmMain::txtEuro_KeyUp()
{
    const Module1::Decimal euro = Module1::AmountOf(ui->txtEuro->text());
    dblEuro = euro.toDouble();
    dblValuta = saturated(Module1::dblCambio * dblEuro);
    ui->txtCurrency->setText(
            Module1::EuroToCurrencyText(euro, Module1::exactCambio, Module1::intCurrencyDecimal));
}

void frmMain::txtCurrency_KeyUp()
{
    const Module1::Decimal own = Module1::AmountOf(ui->txtCurrency->text());
    dblValuta = own.toDouble();
    dblEuro = Module1::dblCambio == 0 ? 0 : saturated(dblValuta / Module1::dblCambio);
    ui->txtEuro->setText(
            Module1::CurrencyToEuroText(own, Module1::exactCambio, Module1::intEuroDecimal));
}

// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmMain.h"
#include "ui_frmMain.h"

#include "core/AmountRules.h"
#include "core/ConversionSettings.h"
#include "i18n/Language.h"
#include "platform/Beep.h"
#include "platform/Screen.h"
#include "platform/Settings.h"
#include "resources/AppIcon.h"
#include "ui/Accessibility.h"
#include "ui/Tahoma.h"
#include "ui/dialogs/MenuCommands.h"
#include "ui/dialogs/frmMenus.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QValidator>

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

// How long the converted amount must stay unchanged before a screen reader speaks it: longer
// than the pause between the keys of a fast typist, short enough to follow the last key's echo.
constexpr int settleMilliseconds = 400;

// An amount box holds at most this many characters once its amount is grouped.
constexpr int longestAmount = 32767;

// Reads text pasted from elsewhere as the amount it shows (see PastedAmount), and refuses an
// edit whose amount would not fit the box once grouped. A length limit alone would cut a long
// paste short, silently turning one amount into another.
class AmountFits : public QValidator
{
public:
    AmountFits(const QLabel *symbol, QObject *parent) : QValidator(parent), m_symbol(symbol) { }

    State validate(QString &input, int &pos) const override
    {
        if (QString amount = cambrivo::PastedAmount(input, m_symbol->text()); amount != input) {
            input = std::move(amount);
            pos = static_cast<int>(input.size());
        }
        const qsizetype length = cambrivo::intUseSeparator == 1
                ? cambrivo::GroupThousands(input).size()
                : input.size();
        return length <= longestAmount ? Acceptable : Invalid;
    }

private:
    const QLabel *m_symbol;
};

// A stored position in whole pixels; text that is not a number counts as absent.
qint32 storedPixels(const QString &key, float defaultValue)
{
    const QString fallback = cambrivo::FormatNumber(defaultValue);
    const auto stored = cambrivo::ParseAmount(platform::GetSetting(key, fallback));
    const auto value = stored ? stored : cambrivo::ParseAmount(fallback);
    return platform::RoundHalfEven(value ? value->toDouble() : 0.0);
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ui(std::make_unique<Ui::frmMain>())
{
    accessibility::install();
    ui->setupUi(this);
    setFixedSize(size());

    ui->lblCurrencyDescription->setFont(tahoma(9.75, true));
    ui->lblEuroDescription->setFont(tahoma(9.75, true));

    QPalette handle = ui->cmdMenu->palette();
    handle.setColor(QPalette::Button, handle.color(QPalette::Active, QPalette::Highlight));
    ui->cmdMenu->setPalette(handle);
    ui->cmdMenu->setAutoFillBackground(true);

    connect(ui->txtEuro, &QLineEdit::textChanged, this, &frmMain::txtEuro_Change);
    connect(ui->txtCurrency, &QLineEdit::textChanged, this, &frmMain::txtCurrency_Change);
    // A paste from the box's own menu, a middle click or a drop changes the amount without a
    // key; the other box must follow it as it follows a key.
    connect(ui->txtEuro, &QLineEdit::textEdited, this, &frmMain::txtEuro_KeyUp);
    connect(ui->txtCurrency, &QLineEdit::textEdited, this, &frmMain::txtCurrency_KeyUp);
    for (QLineEdit *box : {ui->txtEuro, ui->txtCurrency}) {
        // The validator is the limit: the box's own would cut a paste before it is judged.
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setValidator(new AmountFits(ui->lblCurrencyDescription, box));
        connect(box, &QLineEdit::inputRejected, this, [] { platform::Beep(); });
    }
    m_settled.setSingleShot(true);
    m_settled.setInterval(settleMilliseconds);
    connect(&m_settled, &QTimer::timeout, this, &frmMain::announceResult);
    // The amount that follows the typed one is news for a screen reader; without one listening
    // nothing is scheduled at all.
    for (auto [typed, result] :
         {std::pair{ui->txtEuro, ui->txtCurrency}, std::pair{ui->txtCurrency, ui->txtEuro}}) {
        connect(result, &QLineEdit::textChanged, this, [this, typed = typed] {
            if (typed->hasFocus() && QAccessible::isActive())
                m_settled.start();
        });
    }
    // Space, Enter and a screen reader's press open the menu too, once the key is handled.
    connect(ui->cmdMenu, &QPushButton::clicked, this, &frmMain::showMenuByKeyboard,
            Qt::QueuedConnection);
    for (QWidget *w : std::initializer_list<QWidget *>{ui->txtEuro, ui->txtCurrency, ui->cmdMenu})
        w->installEventFilter(this);

    // The focus chain follows creation order, which starts at the button; the own-currency box
    // is first in tab order and takes the focus when the window opens.
    ui->txtCurrency->setFocus(Qt::ActiveWindowFocusReason);

    cambrivo::currencyDescriptionSink() = [this](const QString &text) {
        ui->lblCurrencyDescription->setText(text);
        // A screen reader names the box by the currency it holds, as the label beside it shows.
        ui->txtCurrency->setAccessibleName(
                QString(m_currencyName).replace(QStringLiteral("%1"), text));
    };
}

frmMain::~frmMain()
{
    cambrivo::currencyDescriptionSink() = nullptr;
}

void frmMain::Form_Load()
{
    m_menus = std::make_unique<frmMenus>(*this);
    // The language file may re-word the own box's name, "%1" standing for the symbol.
    ui->txtCurrency->setAccessibleName(m_currencyName);
    cambrivo::ApplyLanguage({this, m_menus.get()});
    m_currencyName = ui->txtCurrency->accessibleName();
    placeFromSettings(); // reads the position, then LoadSettings, then places
    // A monitor unplugged or shrunk would leave the strip where nobody can reach it.
    for (const QScreen *screen : QGuiApplication::screens())
        followScreen(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this](const QScreen *screen) {
        followScreen(screen);
        keepOnScreens();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, &frmMain::keepOnScreens);
    m_mapping = true;
    // Shown once placed: a window manager places a new window itself, and a move after the map
    // to the position Qt still assumes, (0, 0) for one, would never reach the window system.
    show();
    applyStoredOnTop();
    // Once the map request is out: decoding the artwork, up to 256 pixels, would hold back the
    // strip's first appearance by milliseconds, and window managers follow a changed icon.
    setWindowIcon(resources::appIcon());
}

void frmMain::placeFromSettings()
{
    const platform::ScreenMetrics screen = platform::Screen();
    const qint32 top = storedPixels(QStringLiteral("Top"), 0.0F);
    // Centred on the primary monitor, or at its left edge while it has no size yet.
    const float centred
            = screen.Width > 0 ? screen.Left + (screen.Width - Width()) / 2 : screen.Left;
    const qint32 left = storedPixels(QStringLiteral("Left"), centred / screen.TwipsPerPixelX);
    cambrivo::LoadSettings();
    float y = screen.TwipsPerPixelY * static_cast<float>(top);
    float x = screen.TwipsPerPixelX * static_cast<float>(left);
    MoveForm(x, y);
}

void frmMain::followScreen(const QScreen *screen)
{
    connect(screen, &QScreen::geometryChanged, this, &frmMain::keepOnScreens);
    connect(screen, &QScreen::availableGeometryChanged, this, &frmMain::keepOnScreens);
}

void frmMain::keepOnScreens()
{
    float x = Left();
    float y = Top();
    MoveForm(x, y);
}

void frmMain::settle()
{
    if (!m_mapping || !isVisible())
        return;
    m_mapping = false;
    // Asked once more, not insisted on: a window manager that places windows its own way is
    // left to it.
    if (geometry() != QRect(m_placed, minimumSize()))
        setGeometry(QRect(m_placed, minimumSize()));
}

void frmMain::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (pos() != m_placed)
        settle();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (size() != minimumSize())
        settle();
}

void frmMain::applyStoredOnTop()
{
    const bool on = platform::GetSetting(QStringLiteral("OnTop"), QStringLiteral("1")) == u"1";
    cambrivo::SetAlwaysOnTop(*this, *m_menus, on);
}

float frmMain::Left() const
{
    return static_cast<float>(m_requested.value_or(m_placed).x())
            * platform::Screen().TwipsPerPixelX;
}

float frmMain::Top() const
{
    return static_cast<float>(m_requested.value_or(m_placed).y())
            * platform::Screen().TwipsPerPixelY;
}

float frmMain::Width() const
{
    return static_cast<float>(width()) * platform::Screen().TwipsPerPixelX;
}

float frmMain::Height() const
{
    return static_cast<float>(height()) * platform::Screen().TwipsPerPixelY;
}

void frmMain::MoveForm(float &X, float &Y)
{
    // The upper bounds come last, so a window larger than the screen keeps its bottom and right
    // edges on the screen's edges. The bounds are those of the monitor the strip would be on;
    // with no monitor to hold it the strip stays where it was asked to be until one appears.
    const platform::ScreenMetrics screen = platform::MonitorAt(X + Width() / 2, Y + Height() / 2);
    if (screen.Width > 0 && screen.Height > 0) {
        if (Y < screen.Top)
            Y = screen.Top;
        if (X < screen.Left)
            X = screen.Left;
        if (Y > screen.Top + screen.Height - Height())
            Y = screen.Top + screen.Height - Height();
        if (X > screen.Left + screen.Width - Width())
            X = screen.Left + screen.Width - Width();
    }
    m_placed = QPoint(platform::ToPixels(X, screen.TwipsPerPixelX),
                      platform::ToPixels(Y, screen.TwipsPerPixelY));
    if (m_requested)
        m_requested = m_placed;
    move(m_placed);
}

void frmMain::cmdMenu_MouseDown(int Button, float X, float Y)
{
    if (Button == Qt::LeftButton) {
        StartPosX = X;
        StartPosY = Y;
    } else if (Button & Qt::RightButton) {
        cambrivo::ShowMenu(*this, *m_menus);
    }
}

void frmMain::cmdMenu_MouseMove(int Button, float X, float Y)
{
    if (Button != Qt::LeftButton)
        return;
    float top = Y - StartPosY + Top();
    float left = X - StartPosX + Left();
    MoveForm(left, top);
}

bool frmMain::handleMouse(QMouseEvent *event)
{
    const int button = static_cast<int>(event->buttons()
                                        & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
    // During a drag the strip is where it was last sent, not where the window manager last
    // reported it: counting a move still in flight twice would make the strip jitter.
    if (event->type() != QEvent::MouseMove && button == Qt::LeftButton)
        m_requested = mapToGlobal(QPoint(0, 0));
    const QPointF origin = m_requested.value_or(mapToGlobal(QPoint(0, 0))) + ui->cmdMenu->pos();
    const QPointF local = event->globalPosition() - origin;
    const platform::ScreenMetrics screen = platform::Screen();
    const auto x = static_cast<float>(local.x()) * screen.TwipsPerPixelX;
    const auto y = static_cast<float>(local.y()) * screen.TwipsPerPixelY;
    if (event->type() != QEvent::MouseMove)
        cmdMenu_MouseDown(button, x, y);
    else
        cmdMenu_MouseMove(button, x, y);
    return true;
}

bool frmMain::openMenuIfAsked(const QEvent *event)
{
    // The context-menu key arrives as a keyboard context-menu request, ahead of its key press;
    // Shift+F10 arrives as a plain key press.
    bool wanted = false;
    if (event->type() == QEvent::ContextMenu) {
        wanted = static_cast<const QContextMenuEvent *>(event)->reason()
                == QContextMenuEvent::Keyboard;
    } else if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        wanted = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
    }
    if (wanted)
        showMenuByKeyboard();
    return wanted;
}

void frmMain::showMenuByKeyboard()
{
    if (m_menus)
        cambrivo::ShowMenu(*this, *m_menus, true);
}

void frmMain::announceResult()
{
    const bool euro = ui->txtEuro->hasFocus();
    if (!euro && !ui->txtCurrency->hasFocus())
        return;
    const QLineEdit *result = euro ? ui->txtCurrency : ui->txtEuro;
    const QLabel *unit = euro ? ui->lblCurrencyDescription : ui->lblEuroDescription;
    m_announcer.say(result->text() + u' ' + unit->text());
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Closing the strip while the hidden menu form lives on would leave an invisible process;
    // the window system's close is the menu's exit.
    event->ignore();
    if (m_menus)
        m_menus->mnuExit_Click();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (openMenuIfAsked(event))
        return true;
    if (watched == ui->cmdMenu) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: // the second press of a double click
        case QEvent::MouseMove:
            return handleMouse(static_cast<QMouseEvent *>(event));
        case QEvent::MouseButtonRelease:
            if (!static_cast<QMouseEvent *>(event)->buttons().testFlag(Qt::LeftButton))
                m_requested.reset();
            return true;
        case QEvent::KeyPress: {
            // A push button takes Space by itself, but Enter only as a dialog's default.
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
                return QWidget::eventFilter(watched, event);
            ui->cmdMenu->click();
            return true;
        }
        case QEvent::ContextMenu:
            // A right press has opened the menu already.
            return static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Mouse;
        default:
            return QWidget::eventFilter(watched, event);
        }
    }

    const bool euro = watched == ui->txtEuro;
    if (!euro && watched != ui->txtCurrency)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::KeyPress:
        return filterKeyPress(static_cast<QLineEdit *>(watched), static_cast<QKeyEvent *>(event));
    case QEvent::InputMethod:
        filterComposed(static_cast<QLineEdit *>(watched), static_cast<QInputMethodEvent *>(event));
        break;
    case QEvent::KeyRelease:
        euro ? txtEuro_KeyUp() : txtCurrency_KeyUp();
        break;
    case QEvent::FocusIn:
        // A closing pop-up menu hands the focus back; the user never left the box.
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            euro ? txtEuro_GotFocus() : txtCurrency_GotFocus();
        break;
    case QEvent::FocusOut:
        // Typing in the other box, or again after a visit elsewhere, deserves hearing the
        // amount again even where it comes out the same.
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            m_announcer.forget();
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
    keyPress(box, box->text(), KeyAscii);
    if (KeyAscii == *typed)
        return false;
    // The filter swallowed the key or replaced it (a point becomes the decimal comma).
    if (KeyAscii != 0)
        box->insert(QString(QChar(static_cast<char16_t>(KeyAscii))));
    return true;
}

void frmMain::filterComposed(QLineEdit *box, QInputMethodEvent *event)
{
    // Dead keys, compose sequences and input methods commit text without key presses; each
    // character still has to pass the key filter.
    const QString committed = event->commitString();
    QString kept;
    for (QChar c : committed) {
        qint16 KeyAscii = static_cast<qint16>(c.unicode());
        // Each character is judged against the text as the commit grows it, so that one commit
        // cannot bring a second decimal comma.
        keyPress(box, box->text() + kept, KeyAscii);
        if (KeyAscii != 0)
            kept += QChar(static_cast<char16_t>(KeyAscii));
    }
    if (kept != committed)
        event->setCommitString(kept, event->replacementStart(), event->replacementLength());
}

void frmMain::keyPress(QLineEdit *box, const QString &text, qint16 &KeyAscii)
{
    box == ui->txtEuro ? txtEuro_KeyPress(KeyAscii, text) : txtCurrency_KeyPress(KeyAscii, text);
}

void frmMain::refuseOrKeep(const QString &text, qint16 &KeyAscii)
{
    KeyAscii = cambrivo::FilterKey(KeyAscii, text);
    if (KeyAscii == 0)
        platform::Beep();
}

void frmMain::regroup(QLineEdit *box)
{
    if (cambrivo::intUseSeparator != 1)
        return;
    // Setting the grouped text raises the change once more; that text is already grouped, so
    // the second write changes nothing and the recursion ends there.
    box->setText(cambrivo::GroupThousands(box->text()));
    box->setCursorPosition(static_cast<int>(box->text().size()));
}

void frmMain::selectAll(QLineEdit *box)
{
    box->setSelection(0, static_cast<int>(box->text().size()));
}

void frmMain::txtEuro_KeyPress(qint16 &KeyAscii, const QString &text)
{
    refuseOrKeep(text, KeyAscii);
}

void frmMain::txtCurrency_KeyPress(qint16 &KeyAscii, const QString &text)
{
    refuseOrKeep(text, KeyAscii);
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
    const cambrivo::Decimal euro = cambrivo::AmountOf(ui->txtEuro->text());
    dblEuro = euro.toDouble();
    dblValuta = cambrivo::dblCambio * dblEuro;
    ui->txtCurrency->setText(cambrivo::EuroToCurrencyText(euro, cambrivo::exactCambio,
                                                          cambrivo::intCurrencyDecimal));
}

void frmMain::txtCurrency_KeyUp()
{
    const cambrivo::Decimal own = cambrivo::AmountOf(ui->txtCurrency->text());
    dblValuta = own.toDouble();
    dblEuro = cambrivo::dblCambio == 0 ? 0 : dblValuta / cambrivo::dblCambio;
    ui->txtEuro->setText(
            cambrivo::CurrencyToEuroText(own, cambrivo::exactCambio, cambrivo::intEuroDecimal));
}

void frmMain::Present()
{
    show();
    raise();
    activateWindow();
    ui->txtEuro->setFocus(Qt::OtherFocusReason);
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

void frmMain::ToggleShown()
{
    if (isVisible())
        hide();
    else
        Present();
}

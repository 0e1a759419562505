// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmConfigure.h"
#include "ui_frmConfigure.h"

#include "core/ConversionSettings.h"
#include "core/Currencies.h"
#include "i18n/Language.h"
#include "platform/Beep.h"
#include "platform/Settings.h"
#include "ui/Accessibility.h"
#include "ui/Tahoma.h"

#include <QTextBoundaryFinder>
#include <QValidator>

#include <algorithm>

namespace {

// Holds what the user types or pastes to a number of characters as a reader counts them. A
// length limit counts UTF-16 units and would keep half of an emoji or drop the accent of an "e"
// typed as two code points; like that limit, it keeps what was there and as much of an
// insertion as fits. Text the program puts in (a longer symbol stored by a hand edit) stays
// whole, so that saving does not cut what nobody touched; edits may shorten it, not lengthen it.
class CharacterLimit : public QValidator
{
public:
    CharacterLimit(qsizetype limit, QLineEdit *box)
        : QValidator(box), m_limit(limit), m_box(box) { }

    State validate(QString &input, int &pos) const override
    {
        dropUnpairedSurrogates(input, pos);
        QList<qsizetype> bounds = boundaries(input);
        // setText() leaves the box unmodified; so does undoing every edit.
        const qsizetype limit
                = m_box->isModified() ? std::max(m_limit, m_count) : bounds.size() - 1;
        if (bounds.size() - 1 > limit) {
            // The insertion ends at the cursor: drop its last characters first.
            const qsizetype end
                    = std::upper_bound(bounds.cbegin(), bounds.cend(), pos) - bounds.cbegin() - 1;
            const qsizetype start = std::max<qsizetype>(0, end - (bounds.size() - 1 - limit));
            input.remove(bounds[start], bounds[end] - bounds[start]);
            pos = static_cast<int>(bounds[start]);
            bounds = boundaries(input);
            if (bounds.size() - 1 > limit) { // more than fitted before the insertion
                input.truncate(bounds[limit]);
                pos = std::min(pos, static_cast<int>(input.size()));
                bounds = boundaries(input);
            }
        }
        m_count = bounds.size() - 1;
        return Acceptable;
    }

private:
    static void dropUnpairedSurrogates(QString &text, int &pos)
    {
        for (qsizetype i = text.size() - 1; i >= 0; --i) {
            const QChar c = text[i];
            const bool unpaired = (c.isHighSurrogate()
                                   && (i + 1 == text.size() || !text[i + 1].isLowSurrogate()))
                    || (c.isLowSurrogate() && (i == 0 || !text[i - 1].isHighSurrogate()));
            if (unpaired) {
                text.remove(i, 1);
                pos -= pos > i ? 1 : 0;
            }
        }
    }

    static QList<qsizetype> boundaries(const QString &text)
    {
        QList<qsizetype> bounds{0};
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        for (qsizetype p = finder.toNextBoundary(); p > 0; p = finder.toNextBoundary())
            bounds.append(p);
        return bounds;
    }

    qsizetype m_limit;
    QLineEdit *m_box;
    mutable qsizetype m_count = 0; // characters after the last change: what was there
};

} // namespace

frmConfigure::frmConfigure(QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::frmConfigure>())
{
    accessibility::install();
    ui->setupUi(this);
    // uic gives the second label of the pair a name of its own; a language file addresses
    // both by the one name.
    ui->lblDecimalPlaces1->setObjectName(QStringLiteral("lblDecimalPlaces"));
    setFixedSize(size());

    setFont(tahoma(8.25));
    for (int i = 0; i <= 9; ++i) {
        ui->cmbEuroDecimal->addItem(QString::number(i));
        ui->cmbValutaDecimal->addItem(QString::number(i));
    }
    for (const cambrivo::Currency &currency : cambrivo::Currencies)
        ui->cmbValuta->addItem(QStringLiteral("%1 \u2013 %2").arg(currency.code, currency.name));
    // A wheel turned over the list on the way to another control would silently replace rate,
    // symbol and decimals: the list takes the wheel only once the user has gone to it.
    ui->cmbValuta->setFocusPolicy(Qt::StrongFocus);
    ui->cmbValuta->installEventFilter(this);
    ui->txtTestoValuta->setValidator(new CharacterLimit(3, ui->txtTestoValuta));
    ui->txtCambio->setFocus();

    connect(ui->cmbValuta, &QComboBox::activated, this, &frmConfigure::cmbValuta_Click);
    for (QLineEdit *box : {ui->txtCambio, ui->txtTestoValuta})
        connect(box, &QLineEdit::textEdited, this, &frmConfigure::showMatchingCurrency);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmConfigure::cmdOK_Click);
    connect(ui->cmdExit, &QPushButton::clicked, this, &frmConfigure::cmdExit_Click);
}

frmConfigure::~frmConfigure() = default;

bool frmConfigure::eventFilter(QObject *watched, QEvent *event)
{
    // Ignored rather than swallowed, the turn scrolls whatever lies under the list.
    if (event->type() == QEvent::Wheel && watched == ui->cmbValuta && !ui->cmbValuta->hasFocus()) {
        event->ignore();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmConfigure::Form_Load()
{
    // Stored values the lists cannot show select what the program actually uses.
    const cambrivo::ConversionSettings stored
            = cambrivo::ReadConversionSettings(cambrivo::UserTerritory());
    ui->txtCambio->setText(stored.rate);
    ui->txtTestoValuta->setText(stored.symbol);
    ui->cmbEuroDecimal->setCurrentIndex(stored.euroDecimals);
    ui->cmbValutaDecimal->setCurrentIndex(stored.currencyDecimals);
    ui->chkUseSeparator->setChecked(stored.useSeparator == 1);
    showMatchingCurrency();
    cambrivo::ApplyLanguage(*this);
}

// The list follows the rate and the symbol: the currency they belong to, else "other".
void frmConfigure::showMatchingCurrency()
{
    const cambrivo::Currency *match
            = cambrivo::MatchingCurrency(ui->txtCambio->text(), ui->txtTestoValuta->text());
    ui->cmbValuta->setCurrentIndex(match ? static_cast<int>(match - cambrivo::Currencies.data()) + 1
                                         : 0);
}

void frmConfigure::cmbValuta_Click(int index)
{
    if (index <= 0) // "other" keeps whatever rate and symbol are there
        return;
    const cambrivo::Currency &currency
            = cambrivo::Currencies.at(static_cast<std::size_t>(index - 1));
    ui->txtCambio->setText(currency.rate.toString());
    ui->txtTestoValuta->setText(currency.symbol.toString());
    ui->cmbValutaDecimal->setCurrentIndex(currency.decimals);
}

void frmConfigure::refuse(QLineEdit *box)
{
    platform::Beep();
    box->setFocus();
    box->selectAll();
}

void frmConfigure::cmdOK_Click()
{
    if (!cambrivo::UsableRate(ui->txtCambio->text())) {
        refuse(ui->txtCambio);
        return;
    }
    if (ui->txtTestoValuta->text().trimmed().isEmpty()) {
        refuse(ui->txtTestoValuta);
        return;
    }
    platform::SaveSettings({
            {QStringLiteral("Value"), ui->txtCambio->text()},
            {QStringLiteral("CurrencyDescription"), ui->txtTestoValuta->text()},
            {QStringLiteral("EuroDecimal"), QString::number(ui->cmbEuroDecimal->currentIndex())},
            {QStringLiteral("CurrencyDecimal"),
             QString::number(ui->cmbValutaDecimal->currentIndex())},
            {QStringLiteral("UseSeparator"),
             ui->chkUseSeparator->isChecked() ? QStringLiteral("1") : QStringLiteral("0")},
    });
    accept();
    cambrivo::LoadSettings();
}

void frmConfigure::cmdExit_Click()
{
    reject();
}

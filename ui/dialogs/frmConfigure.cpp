#include "frmConfigure.h"
#include "ui_frmConfigure.h"

#include "core/Module1.h"
#include "i18n/Module1.h"
#include "platform/Beep.h"
#include "platform/Settings.h"
#include "ui/Tahoma.h"

#include <QTextBoundaryFinder>
#include <QValidator>

#include <algorithm>

namespace {

// Holds the text to a number of characters as a reader counts them. A length limit counts
// UTF-16 units and would keep half of an emoji or drop the accent of an "e" typed as two code
// points; like that limit, it keeps what was there and as much of an insertion as fits.
class CharacterLimit : public QValidator
{
public:
    CharacterLimit(qsizetype limit, QObject *parent) : QValidator(parent), m_limit(limit) { }

    State validate(QString &input, int &pos) const override
    {
        dropUnpairedSurrogates(input, pos);
        QList<qsizetype> bounds = boundaries(input);
        if (bounds.size() - 1 > m_limit) {
            // The insertion ends at the cursor: drop its last characters first.
            const qsizetype end
                    = std::upper_bound(bounds.cbegin(), bounds.cend(), pos) - bounds.cbegin() - 1;
            const qsizetype start = std::max<qsizetype>(0, end - (bounds.size() - 1 - m_limit));
            input.remove(bounds[start], bounds[end] - bounds[start]);
            pos = static_cast<int>(bounds[start]);
            bounds = boundaries(input);
            if (bounds.size() - 1 > m_limit) { // more than fitted before the insertion
                input.truncate(bounds[m_limit]);
                pos = std::min(pos, static_cast<int>(input.size()));
            }
        }
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
};

} // namespace

frmConfigure::frmConfigure(QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::frmConfigure>())
{
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
    ui->txtTestoValuta->setValidator(new CharacterLimit(3, ui->txtTestoValuta));
    ui->txtCambio->setFocus();

    connect(ui->cmdOK, &QPushButton::clicked, this, &frmConfigure::cmdOK_Click);
    connect(ui->cmdExit, &QPushButton::clicked, this, &frmConfigure::cmdExit_Click);
}

frmConfigure::~frmConfigure() = default;

void frmConfigure::Form_Load()
{
    ui->txtCambio->setText(
            platform::GetSetting(QStringLiteral("Value"), QStringLiteral("1936,27")));
    ui->txtTestoValuta->setText(
            platform::GetSetting(QStringLiteral("CurrencyDescription"), QStringLiteral("Lit")));
    // Stored values the lists cannot show select what the program actually uses.
    ui->cmbEuroDecimal->setCurrentIndex(Module1::DecimalsOf(
            platform::GetSetting(QStringLiteral("EuroDecimal"), QStringLiteral("2")), 2));
    ui->cmbValutaDecimal->setCurrentIndex(Module1::DecimalsOf(
            platform::GetSetting(QStringLiteral("CurrencyDecimal"), QStringLiteral("0")), 0));
    ui->chkUseSeparator->setChecked(Module1::UseSeparatorOf(platform::GetSetting(
                                            QStringLiteral("UseSeparator"), QStringLiteral("1")))
                                    == 1);
    Module1::ApplyLanguage(*this);
}

void frmConfigure::refuse(QLineEdit *box)
{
    platform::Beep();
    box->setFocus();
    box->selectAll();
}

void frmConfigure::cmdOK_Click()
{
    if (!Module1::UsableRate(ui->txtCambio->text())) {
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
    Module1::LoadSettings();
}

void frmConfigure::cmdExit_Click()
{
    reject();
}

#include "core/Module1.h"
#include "platform/Beep.h"
#include "ui/main/frmMain.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class tst_frmmain : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void layoutKeepsNamesAndGeometry();
    void typingConverts_data();
    void typingConverts();
    void refusedKeysBeep_data();
    void refusedKeysBeep();
    void pointBecomesComma();
    void composedTextIsFiltered();
    void caretFollowsGrouping();
    void tabConvertsFromTheBoxItEnters();
    void focusSelectsWholeAmount();
    void pastedTextIsNotTrusted_data();
    void pastedTextIsNotTrusted();
    void labelShowsSymbolAsPlainText();

private:
    QLineEdit *box(const char *name) const { return m_form->findChild<QLineEdit *>(name); }

    QTemporaryDir m_dir;
    std::unique_ptr<frmMain> m_form;
    int m_beeps = 0;
};

void tst_frmmain::init()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    m_beeps = 0;
    platform::beepFunction() = [this] {
        ++m_beeps;
    };
    m_form = std::make_unique<frmMain>();
    m_form->Form_Load();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_frmmain::cleanup()
{
    m_form.reset();
}

void tst_frmmain::layoutKeepsNamesAndGeometry()
{
    QCOMPARE(m_form->objectName(), u"frmMain");
    QCOMPARE(m_form->size(), QSize(285, 19));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(m_form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(m_form->windowTitle(), u"Cambrivo");
    const QColor iconBar = m_form->windowIcon().pixmap(32).toImage().pixelColor(16, 11);
    QVERIFY2(qAbs(iconBar.hue() - 50) <= 10 && iconBar.saturation() > 200, "a yellow euro sign");

    const struct
    {
        const char *name;
        const char *kind;
        QRect geometry;
    } controls[] = {
            {"cmdMenu", "QPushButton", {0, 0, 17, 19}},
            {"txtEuro", "QLineEdit", {160, 0, 109, 19}},
            {"txtCurrency", "QLineEdit", {16, 0, 109, 19}},
            {"Shape1", "QFrame", {0, 0, 285, 19}},
            {"lblCurrencyDescription", "QLabel", {128, 0, 29, 17}},
            {"lblEuroDescription", "QLabel", {272, 0, 9, 17}},
    };
    for (const auto &control : controls) {
        const QWidget *w = m_form->findChild<QWidget *>(control.name);
        QVERIFY2(w, control.name);
        QVERIFY2(w->inherits(control.kind), control.name);
        QCOMPARE(w->geometry(), control.geometry);
        // Labels are read by their text; everything else carries a name of its own.
        QVERIFY2(!w->accessibleName().isEmpty() || w->inherits("QLabel"), control.name);
        QVERIFY2(!w->accessibleDescription().isEmpty(), control.name);
    }
    QCOMPARE(box("txtEuro")->text(), u"0");
    QCOMPARE(m_form->findChild<QLabel *>("lblEuroDescription")->text(), u"€");
    QCOMPARE(m_form->findChild<QLabel *>("lblEuroDescription")->font().pointSizeF(), 9.75);
    QVERIFY(m_form->findChild<QLabel *>("lblEuroDescription")->font().bold());
    QCOMPARE(box("txtCurrency")->toolTip(), u"Digitare l'importo nella valuta propria");

    // The own-currency box lies over the button's right edge and comes first in tab order.
    const auto nextTabStop = [](QWidget *w) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    QCOMPARE(nextTabStop(box("txtCurrency")), box("txtEuro"));
    QCOMPARE(nextTabStop(box("txtEuro")), m_form->findChild<QPushButton *>("cmdMenu"));
    QCOMPARE(nextTabStop(m_form->findChild<QPushButton *>("cmdMenu")), box("txtCurrency"));
    QCOMPARE(m_form->childAt(16, 5), box("txtCurrency"));
}

void tst_frmmain::typingConverts_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("sourceText");
    QTest::addColumn<QString>("targetText");

    QTest::newRow("1 euro") << "txtEuro"
                            << "1"
                            << "1"
                            << "1.936";
    QTest::newRow("100 euro") << "txtEuro"
                              << "100"
                              << "100"
                              << "193.627";
    QTest::newRow("1234 euro") << "txtEuro"
                               << "1234"
                               << "1.234"
                               << "2.389.357";
    QTest::newRow("half a euro") << "txtEuro"
                                 << "0,5"
                                 << "0,5"
                                 << "968";
    QTest::newRow("1000 lire") << "txtCurrency"
                               << "1000"
                               << "1.000"
                               << "0,52";
    QTest::newRow("a million lire") << "txtCurrency"
                                    << "1000000"
                                    << "1.000.000"
                                    << "516,46";
    QTest::newRow("backspace back to empty") << "txtEuro"
                                             << "5\b"
                                             << ""
                                             << "0";
}

void tst_frmmain::typingConverts()
{
    QFETCH(QString, source);
    QFETCH(QString, keys);
    QFETCH(QString, sourceText);
    QFETCH(QString, targetText);

    QLineEdit *from = box(source == u"txtEuro" ? "txtEuro" : "txtCurrency");
    QLineEdit *to = box(source == u"txtEuro" ? "txtCurrency" : "txtEuro");
    from->clear();
    QTest::keyClicks(from, keys);
    QCOMPARE(from->text(), sourceText);
    QCOMPARE(to->text(), targetText);
    QCOMPARE(m_beeps, 0);
}

void tst_frmmain::refusedKeysBeep_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");

    QTest::newRow("letter") << int(Qt::Key_A) << 0 << "a";
    QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << "-";
    QTest::newRow("space") << int(Qt::Key_Space) << 0 << " ";
    QTest::newRow("ctrl+v") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16";
    QTest::newRow("ctrl+v without text") << int(Qt::Key_V) << int(Qt::ControlModifier) << "";
    QTest::newRow("ctrl+x") << int(Qt::Key_X) << int(Qt::ControlModifier) << "\x18";
}

void tst_frmmain::refusedKeysBeep()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);

    QLineEdit *euro = box("txtEuro");
    euro->clear();
    QTest::keyClicks(euro, QStringLiteral("12"));
    QApplication::clipboard()->setText(QStringLiteral("99"));
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QApplication::sendEvent(euro, &press);
    QCOMPARE(euro->text(), u"12");
    QCOMPARE(m_beeps, 1);
}

void tst_frmmain::pointBecomesComma()
{
    QLineEdit *euro = box("txtEuro");
    euro->clear();
    QTest::keyClicks(euro, QStringLiteral("12."));
    QCOMPARE(euro->text(), u"12,");
    QCOMPARE(m_beeps, 0);
    QTest::keyClicks(euro, QStringLiteral("5,."));
    QCOMPARE(euro->text(), u"12,5");
    QCOMPARE(m_beeps, 2);
    QCOMPARE(box("txtCurrency")->text(), u"24.203");
}

void tst_frmmain::composedTextIsFiltered()
{
    QLineEdit *euro = box("txtEuro");
    euro->clear();
    const auto commit = [euro](const QString &text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(euro, &event);
    };
    commit(QStringLiteral("1"));
    commit(QString::fromUtf8("\xC3\xA9")); // a dead acute and "e"
    QCOMPARE(m_beeps, 1);
    commit(QStringLiteral("2."));
    QCOMPARE(euro->text(), u"12,");
    QCOMPARE(m_beeps, 1);
}

void tst_frmmain::caretFollowsGrouping()
{
    QLineEdit *euro = box("txtEuro");
    euro->clear();
    QTest::keyClicks(euro, QStringLiteral("124"));
    QTest::keyClick(euro, Qt::Key_Left);
    QTest::keyClick(euro, Qt::Key_3);
    QCOMPARE(euro->text(), u"1.234");
    QCOMPARE(euro->cursorPosition(), 5);

    Module1::intUseSeparator = 0;
    euro->clear();
    QTest::keyClicks(euro, QStringLiteral("124"));
    QTest::keyClick(euro, Qt::Key_Left);
    QTest::keyClick(euro, Qt::Key_3);
    QCOMPARE(euro->text(), u"1234");
    QCOMPARE(euro->cursorPosition(), 3);
    QCOMPARE(box("txtCurrency")->text(), u"2389357");
    Module1::intUseSeparator = 1;
}

void tst_frmmain::tabConvertsFromTheBoxItEnters()
{
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QLineEdit *euro = box("txtEuro");
    euro->setFocus();
    euro->clear();
    QTest::keyClicks(euro, QStringLiteral("1,234"));
    QCOMPARE(box("txtCurrency")->text(), u"2.389");

    // Shift+Tab moves to the own-currency box; the release lands there and converts back.
    QTest::keyPress(euro, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), box("txtCurrency"));
    QTest::keyRelease(box("txtCurrency"), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(euro->text(), u"1,23");
    QCOMPARE(m_beeps, 0);
}

void tst_frmmain::focusSelectsWholeAmount()
{
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QLineEdit *currency = box("txtCurrency");
    QLineEdit *euro = box("txtEuro");
    QCOMPARE(QApplication::focusWidget(), currency);
    QCOMPARE(currency->selectedText(), u"0");
    QTest::keyClicks(currency, QStringLiteral("5000"));
    euro->setFocus(Qt::TabFocusReason);
    QCOMPARE(euro->selectedText(), euro->text());
    currency->setFocus(Qt::MouseFocusReason);
    QCOMPARE(currency->selectedText(), u"5.000");
    QTest::keyClick(currency, Qt::Key_7);
    QCOMPARE(currency->text(), u"7");
}

void tst_frmmain::pastedTextIsNotTrusted_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("converted");

    QTest::newRow("exponent") << "1e5"
                              << "0";
    QTest::newRow("inf") << "inf"
                         << "0";
    QTest::newRow("words") << "dieci euro"
                           << "0";
    QTest::newRow("grouped amount") << "1.234,5"
                                    << "2.390.325";
    QTest::newRow("blanks around") << " 2 "
                                   << "3.873";
    QTest::newRow("huge but finite")
            << QString(300, u'9')
            << Module1::GroupThousands(QString("193627") + QString(298, u'0'));
}

void tst_frmmain::pastedTextIsNotTrusted()
{
    QFETCH(QString, pasted);
    QFETCH(QString, converted);

    QLineEdit *euro = box("txtEuro");
    euro->clear();
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(euro, Qt::Key_Insert, Qt::ShiftModifier);
    QVERIFY(!euro->text().isEmpty());
    QCOMPARE(box("txtCurrency")->text(), converted);
    QCOMPARE(m_beeps, 0);
}

void tst_frmmain::labelShowsSymbolAsPlainText()
{
    auto *label = m_form->findChild<QLabel *>("lblCurrencyDescription");
    QCOMPARE(label->text(), u"Lit");
    Module1::currencyDescriptionSink()(QStringLiteral("<b>"));
    QCOMPARE(label->text(), u"<b>");
    QCOMPARE(label->textFormat(), Qt::PlainText);
}

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"

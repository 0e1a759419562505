// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The strip's own handlers on the offscreen platform; the real X server tests show placement,
// the menu's position, exit and stacking.
#include "Store.h"
#include "platform/Beep.h"
#include "platform/IdleCaret.h"
#include "platform/Process.h"
#include "ui/dialogs/frmMenus.h"
#include "ui/main/frmMain.h"

#include <QtTest>
#include <QtWidgets>

using test::row;

class tst_strip : public QObject
{
    Q_OBJECT

    test::Store m_store;
    std::unique_ptr<frmMain> m_form;
    int m_beeps = 0;

    frmMain &open(const QByteArray &stored = {})
    {
        m_store.write(stored);
        m_form.reset(); // its destructor lets go of the symbol's receiver
        m_form = std::make_unique<frmMain>();
        m_form->Form_Load();
        m_beeps = 0;
        platform::beepFunction() = std::function<void()>([this] { ++m_beeps; });
        return *m_form;
    }
    QLineEdit *box(const char *name) const { return m_form->findChild<QLineEdit *>(name); }

private slots:
    void typing_data()
    {
        // stored settings, keys typed into the euro box, then both boxes and the beeps
        test::columns<QString, QString, QString, QString, int>(
                {"stored", "keys", "euro", "own", "beeps"});
        // clang-format off
        row("grouped", "", "1234", "1.234", "2.389.357", 0);
        row("without groups", "UseSeparator=0", "1234", "1234", "2389357", 0);
        row("only 1 groups", "UseSeparator=2", "1234", "1234", "2389357", 0);
        row("a dot is the decimal comma", "", "12.5", "12,5", "24.203", 0);
        row("backspace", "", "12\b3", "13", "25.172", 0);
        row("decimals alone", "", ",512", ",512", "991", 0);
        row("a second comma", "", "1,2,3", "1,23", "2.382", 1);
        row("letter, signs, blank", "", "a-+ 5", "5", "9.681", 4);
        row("nine own decimals", "CurrencyDecimal=9", "1,5", "1,5", "2.904,405", 0);
        // clang-format on
    }

    void typing()
    {
        QFETCH(QString, stored);
        QFETCH(QString, keys);
        open(stored.toUtf8());
        box("txtEuro")->clear();
        QTest::keyClicks(box("txtEuro"), keys);
        QTEST(box("txtEuro")->text(), "euro");
        QTEST(box("txtCurrency")->text(), "own");
        QTEST(m_beeps, "beeps");
    }

    void textWithoutKeys()
    {
        open();
        // Keys that edit without inserting pass the filter untouched, Delete with the character
        // an X server gives it; copy and paste keys do not.
        box("txtEuro")->setText("123");
        QTest::keyClick(box("txtEuro"), Qt::Key_Home);
        QTest::sendKeyEvent(QTest::Click, box("txtEuro"), Qt::Key_Delete, QChar(0x7F), {});
        QTest::keyClick(box("txtEuro"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box("txtEuro")->text(), "23");
        QCOMPARE(m_beeps, 1);
        // One commit of an input method is judged character by character as it grows.
        QInputMethodEvent commit;
        commit.setCommitString(",4,5");
        QApplication::sendEvent(box("txtEuro"), &commit);
        QCOMPARE(box("txtEuro")->text(), "23,45");
        QCOMPARE(m_beeps, 2);
        // A paste without a key converts at once, read as the web page shows it, and a sign
        // stays in front of the groups.
        const auto paste = [this](const QString &text) {
            QApplication::clipboard()->setText(text);
            box("txtCurrency")->selectAll();
            box("txtCurrency")->paste();
            return box("txtCurrency")->text();
        };
        QCOMPARE(paste("\u200F-1\u00A0234 Lit\u200F"), "-1.234");
        QCOMPARE(box("txtEuro")->text(), "-0,64");
        // One that grouping would push past the box's 32 767 characters is refused whole.
        QCOMPARE(paste("-" + QString(24576, '9')), "-1.234");
        QCOMPARE(m_beeps, 3);
        QCOMPARE(paste(QString(24576, '9')).size(), 32767);
    }

    void menuFromTheKeyboard()
    {
        frmMain &form = open();
        QVERIFY(form.windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
        for (QAction *item : form.menus()->mnuBar()->actions())
            QVERIFY(!item->isSeparator() || item->text().isEmpty()); // Fusion would draw the text
        const auto opens = [this](const std::function<void()> &press) {
            bool opened = false;
            QTimer::singleShot(0, this, [this, &opened] {
                if (QWidget *menu = QApplication::activePopupWidget())
                    opened = menu->close() && menu == m_form->menus()->mnuBar();
            });
            press();
            QCoreApplication::processEvents();
            return opened;
        };
        QVERIFY2(!opens([this] { QTest::keyClick(box("txtEuro"), Qt::Key_F10); }), "plain F10");
        QVERIFY(opens([this] { QTest::keyClick(box("txtEuro"), Qt::Key_F10, Qt::ShiftModifier); }));
        // The closed menu hands the focus back to the box the user was typing in.
        box("txtEuro")->setText("12");
        QFocusEvent back(QEvent::FocusIn, Qt::PopupFocusReason);
        QApplication::sendEvent(box("txtEuro"), &back);
        QVERIFY2(!box("txtEuro")->hasSelectedText(), "the next key would replace the amount");
        QVERIFY(opens([this] { // what the context-menu key sends
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, {});
            QApplication::sendEvent(box("txtEuro"), &menuKey);
        }));
    }

    void dragOnlyWithTheLeftButton()
    {
        frmMain &form = open("Left=100\nTop=100");
        auto *handle = form.findChild<QPushButton *>("cmdMenu");
        QTest::mousePress(handle, Qt::LeftButton, {}, {4, 4});
        for (const auto buttons :
             {Qt::LeftButton | Qt::RightButton, Qt::MouseButtons(Qt::LeftButton)}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(54, 4), handle->mapToGlobal(QPointF(54, 4)),
                             Qt::NoButton, buttons, {});
            QApplication::sendEvent(handle, &move);
        }
        QCOMPARE(form.pos(), QPoint(150, 100)); // the move with both buttons went nowhere
    }

    // Exit stores the place alone, keeping the other keys of a store with a BOM Qt skips.
    void exitStoresThePlaceAlone()
    {
        const QString path = m_store.dir.filePath("Cambrivo/Cambrivo.conf");
        platform::endProcessFunction() = std::function<void()>([] {});
        open();
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly)
                && file.write("\xEF\xBB\xBF[Parameters]\nValue=1.936,27\n"));
        file.close();
        m_form->menus()->mnuExit_Click();
        const QSettings store(path, QSettings::IniFormat);
        QCOMPARE(store.allKeys().join(' '),
                 "Parameters/Left Parameters/OnTop Parameters/Top Parameters/Value");
        QCOMPARE(store.value("Parameters/Value").toStringList().join(','), "1.936,27");
    }

    // X11 only where an X display is there and the user chose no platform: a Wayland session
    // without XWayland keeps the toolkit's choice, which can start.
    void x11Preference_data()
    {
        // platform: the user's choice
        test::columns<QByteArray, QByteArray, QByteArray>({"display", "platform", "chosen"});
        const QByteArray none, x(":0"), wayland("wayland");
        // clang-format off
        row("an X display", x, none, QByteArray("xcb")); row("Wayland only", none, none, none);
        row("the user's choice", x, wayland, wayland);
        // clang-format on
    }

    void x11Preference()
    {
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, platform);
        const test::Environment session("WAYLAND_DISPLAY=wayland-0 DISPLAY=" + display
                                        + " QT_QPA_PLATFORM=" + platform);
        platform::PreferX11();
        QTEST(qgetenv("QT_QPA_PLATFORM"), "chosen");
        platform::ForgetX11Preference(); // for the programs started from here
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), platform);
    }

    // The caret's blink timer belongs to the box's editing engine, its only child object.
    void caretRestsWhenIdleAndBlinksAgainOnKey()
    {
        const platform::IdleCaret idle(std::chrono::milliseconds(300));
        m_form.reset();
        QLineEdit box;
        box.show();
        QApplication::setActiveWindow(&box);
        const QAbstractEventDispatcher *events = QAbstractEventDispatcher::instance();
        QTRY_VERIFY(!events->registeredTimers(box.findChild<QObject *>()).isEmpty());
        QTRY_VERIFY(events->registeredTimers(box.findChild<QObject *>()).isEmpty());
        const QImage resting = box.grab().toImage();
        QTest::keyClick(&box, Qt::Key_End); // moves nothing
        QCOMPARE(box.grab().toImage(), resting); // the caret rested drawn, not hidden
        QVERIFY(!events->registeredTimers(box.findChild<QObject *>()).isEmpty());
        QTRY_VERIFY(events->registeredTimers(box.findChild<QObject *>()).isEmpty()); // again
        QTest::mouseClick(&box, Qt::LeftButton);
        QVERIFY(!events->registeredTimers(box.findChild<QObject *>()).isEmpty());
    }

    // A caret left alone past a second timeout rests on, and still blinks again when woken.
    void caretBlinksAgainAfterTwoRests()
    {
        QStyleHints *hints = QGuiApplication::styleHints();
        const int blink = hints->cursorFlashTime();
        {
            const platform::IdleCaret idle(std::chrono::milliseconds(0));
            QTRY_COMPARE(hints->cursorFlashTime(), 0);
            QCoreApplication::processEvents(); // the timeout's second turn
        } // its end wakes the caret as a key would
        QCOMPARE(hints->cursorFlashTime(), blink);
    }

    // Two monitors side by side, the second one lower and larger, and a third below the first:
    // the strip is kept on the monitor nearest to its centre.
    void placementOnMonitors_data()
    {
        test::columns<QString, QPoint>({"stored", "position"});
        // clang-format off
        row("on the second", "Left=2100\nTop=1100", QPoint(2019, 1100));
        row("on the first, above the second", "Left=700\nTop=181", QPoint(700, 181));
        row("centre on the second", "Left=1000\nTop=300", QPoint(1024, 300));
        row("on the first, not on top", "Left=100\nTop=700\nOnTop=0", QPoint(100, 700));
        row("below the second", "Left=1100\nTop=1210", QPoint(1100, 1205));
        row("below the third", "Left=100\nTop=1600", QPoint(100, 1517));
        row("beyond the second's outer edge", "Left=2400\nTop=300", QPoint(2019, 300));
        // clang-format on
    }

    void placementOnMonitors()
    {
        QFETCH(QString, stored);
        QCOMPARE(QGuiApplication::screens().size(), 3);
        QTEST(open(stored.toUtf8()).pos(), "position");
        std::pair<QRect, bool> dialog; // the dialogs open on the strip's monitor, on top as it is
        QTimer::singleShot(0, this, [&dialog] {
            QWidget *modal = QApplication::activeModalWidget();
            dialog = {modal->geometry(), modal->windowFlags().testFlag(Qt::WindowStaysOnTopHint)};
            modal->close();
        });
        m_form->menus()->mnuAbout_Click();
        QCOMPARE(dialog.first.center(),
                 QGuiApplication::screenAt(m_form->geometry().center())->geometry().center());
        QCOMPARE(dialog.second, m_form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
};

QTEST_MAIN(tst_strip)
#include "tst_strip.moc"

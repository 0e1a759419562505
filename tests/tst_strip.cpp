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

#include <sys/stat.h>

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
        platform::beepFunction() = [this] {
            ++m_beeps;
        };
        return *m_form;
    }
    QLineEdit *box(const char *name) const { return m_form->findChild<QLineEdit *>(name); }

private slots:
    void typing()
    {
        // stored settings, keys typed into the euro box, then both boxes and the beeps
        const char *rows[][5] = {{"", "1234", "1.234", "2.389.357", ""},
                                 {"UseSeparator=0", "1234", "1234", "2389357", ""},
                                 {"UseSeparator=2", "1234", "1234", "2389357", ""}, // only 1 groups
                                 {"", "12.5", "12,5", "24.203", ""},
                                 {"", "12\b3", "13", "25.172", ""},
                                 {"", ",512", ",512", "991", ""},
                                 {"", "1,2,3", "1,23", "2.382", "x"},
                                 {"", "a- 5", "5", "9.681", "xxx"},
                                 {"CurrencyDecimal=9", "1,5", "1,5", "2.904,405", ""}};
        for (const auto &[stored, keys, euro, own, beeps] : rows) {
            open(stored);
            box("txtEuro")->clear();
            QTest::keyClicks(box("txtEuro"), keys);
            QCOMPARE(box("txtEuro")->text(), euro);
            QCOMPARE(box("txtCurrency")->text(), own);
            QCOMPARE(m_beeps, int(qstrlen(beeps)));
        }
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

    // Exit stores the place alone; a store it could not read stays whole beside the new one,
    // and a FIFO in its place is neither opened nor replaced.
    void exitKeepsWhatItCannotRead()
    {
        const QString path = m_store.dir.filePath("Cambrivo/Cambrivo.conf");
        const QByteArray plain("\xEF\xBB\xBF[Parameters]\nValue=1.936,27\n"); // a BOM Qt skips
        const QByteArray utf16 = QStringEncoder(QStringEncoder::Utf16LE,
                                                QStringEncoder::Flag::WriteBom)(QString(plain));
        platform::endProcessFunction() = [] {
        };
        const char *place = "Parameters/Left Parameters/OnTop Parameters/Top";
        for (const auto &[before, aside] :
             {std::pair{plain, ""}, {utf16, ".unreadable"}, {plain + '\0', ".unreadable.1"}}) {
            open();
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
            file.close();
            m_form->menus()->mnuExit_Click();
            const QSettings store(path, QSettings::IniFormat);
            QCOMPARE(store.allKeys().join(' '),
                     *aside ? place : place + QString(" Parameters/Value"));
            QVERIFY(*aside
                    || store.value("Parameters/Value").toStringList().join(',') == "1.936,27");
            QFile kept(path + aside);
            QVERIFY(!*aside || (kept.open(QIODevice::ReadOnly) && kept.readAll() == before));
        }
        QVERIFY(QFile::remove(path) && ::mkfifo(QFile::encodeName(path), 0600) == 0);
        frmMain form; // would wait for a writer forever
        form.Form_Load();
        form.menus()->mnuExit_Click();
        QVERIFY(!QFileInfo(path).isFile() && QFileInfo::exists(path) && QFile::remove(path));
    }

    void onTopAtStart()
    {
        for (const char *stored :
             {"", "OnTop=1", "OnTop=0", "OnTop=\"\"", "OnTop=true", "OnTop=01"}) {
            const bool on = !*stored || qstrcmp(stored, "OnTop=1") == 0;
            frmMain &form = open(stored);
            QCOMPARE(form.menus()->mnuAlwaysOnTop()->isChecked(), on);
            QCOMPARE(form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), on);
        }
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

    // Two monitors side by side, the second one lower and larger: the strip is kept on the
    // monitor nearest to its centre.
    void placementOnTwoMonitors()
    {
        QCOMPARE(QGuiApplication::screens().size(), 2);
        const std::pair<QByteArray, QPoint> rows[]
                = {{"Left=2100\nTop=1100", {2019, 1100}}, // on the second
                   {"Left=700\nTop=181", {700, 181}}, // on the first, above the second
                   {"Left=1000\nTop=300", {1024, 300}}, // centre on the second
                   {"Left=100\nTop=700", {100, 700}}, // on the first
                   {"Left=1100\nTop=1210", {1100, 1205}}, // below the second
                   {"Left=2400\nTop=300", {2019, 300}}}; // beyond the second's outer edge
        for (const auto &[stored, position] : rows)
            QCOMPARE(open(stored).pos(), position);
        QRect dialog; // the dialogs open on the strip's monitor
        QTimer::singleShot(0, this, [&dialog] {
            dialog = QApplication::activeModalWidget()->geometry();
            QApplication::activeModalWidget()->close();
        });
        m_form->menus()->mnuAbout_Click();
        QCOMPARE(dialog.center(), QGuiApplication::screens()[1]->geometry().center());
    }
};

QTEST_MAIN(tst_strip)
#include "tst_strip.moc"

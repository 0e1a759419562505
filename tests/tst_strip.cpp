// The strip's own handlers on the offscreen platform; the real X server tests show placement,
// the menu's position, exit and stacking.
#include "Store.h"
#include "platform/Beep.h"
#include "platform/IdleCaret.h"
#include "ui/dialogs/frmMenus.h"
#include "ui/main/frmMain.h"

#include <QtTest>
#include <QtWidgets>

class tst_strip : public QObject
{
    Q_OBJECT

    test::Store m_store;
    std::unique_ptr<frmMain> m_form;
    int m_beeps = 0;

    frmMain &open(const QByteArray &stored = {})
    {
        m_store.write(stored);
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
        // Keys that edit without inserting pass the filter untouched; copy and paste keys do not.
        box("txtEuro")->setText("123");
        QTest::keyClick(box("txtEuro"), Qt::Key_Home);
        QTest::keyClick(box("txtEuro"), Qt::Key_Delete);
        QTest::keyClick(box("txtEuro"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box("txtEuro")->text(), "23");
        QCOMPARE(m_beeps, 1);
        // One commit of an input method is judged character by character as it grows.
        QInputMethodEvent commit;
        commit.setCommitString(",4,5");
        QApplication::sendEvent(box("txtEuro"), &commit);
        QCOMPARE(box("txtEuro")->text(), "23,45");
        QCOMPARE(m_beeps, 2);
        // A paste without a key converts at once, and a sign stays in front of the groups.
        QApplication::clipboard()->setText("-1234");
        box("txtCurrency")->selectAll();
        box("txtCurrency")->paste();
        QCOMPARE(box("txtCurrency")->text(), "-1.234");
        QCOMPARE(box("txtEuro")->text(), "-0,64");
    }

    void menuFromTheKeyboard()
    {
        frmMain &form = open();
        for (QAction *item : form.menus()->mnuBar()->actions())
            QVERIFY(!item->isSeparator() || item->text().isEmpty()); // Fusion would draw the text
        bool opened = false;
        QTest::keyClick(box("txtEuro"), Qt::Key_F10);
        QTimer::singleShot(0, this, [&opened] {
            opened = QApplication::activePopupWidget();
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        });
        QTest::keyClick(box("txtEuro"), Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(opened);
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
    }

    // Two monitors side by side, the second one lower and larger: the strip is kept on the
    // monitor that holds its centre.
    void placementOnTwoMonitors()
    {
        QCOMPARE(QGuiApplication::screens().size(), 2);
        const std::pair<QByteArray, QPoint> rows[]
                = {{"Left=2000\nTop=1100", {2000, 1100}}, // on the second
                   {"Left=1000\nTop=300", {1024, 300}}, // centre on the second
                   {"Left=100\nTop=700", {100, 700}}, // on the first
                   {"Left=1100\nTop=1210", {1100, 1205}}}; // below the second
        for (const auto &[stored, position] : rows)
            QCOMPARE(open(stored).pos(), position);
    }
};

QTEST_MAIN(tst_strip)
#include "tst_strip.moc"

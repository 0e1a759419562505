// The strip's own handlers on the offscreen platform; the real X server tests show placement,
// the menu's position, exit and stacking.
#include "Store.h"
#include "platform/Beep.h"
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
    void mouse(QEvent::Type type, QPoint global, Qt::MouseButtons buttons)
    {
        auto *button = m_form->findChild<QPushButton *>("cmdMenu");
        QMouseEvent event(type, button->mapFromGlobal(QPointF(global)), QPointF(global),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    }

private slots:
    void typing_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("keys"); // typed into the euro box
        QTest::addColumn<QString>("euro");
        QTest::addColumn<QString>("own");
        QTest::addColumn<int>("beeps");
        QTest::newRow("grouped") << QByteArray() << "1234"
                                 << "1.234"
                                 << "2.389.357" << 0;
        QTest::newRow("plain") << QByteArray("UseSeparator=0") << "1234"
                               << "1234"
                               << "2389357" << 0;
        QTest::newRow("only 1 groups") << QByteArray("UseSeparator=2") << "1234"
                                       << "1234"
                                       << "2389357" << 0;
        QTest::newRow("point is comma") << QByteArray() << "12.5"
                                        << "12,5"
                                        << "24.203" << 0;
        QTest::newRow("comma first") << QByteArray() << ",512"
                                     << ",512"
                                     << "991" << 0;
        QTest::newRow("second comma") << QByteArray() << "1,2,3"
                                      << "1,23"
                                      << "2.382" << 1;
        QTest::newRow("refused") << QByteArray() << "a- 5"
                                 << "5"
                                 << "9.681" << 3;
        QTest::newRow("decimals") << QByteArray("CurrencyDecimal=9") << "1,5"
                                  << "1,5"
                                  << "2.904,405" << 0;
    }

    void typing()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, keys);
        open(stored);
        box("txtEuro")->clear();
        QTest::keyClicks(box("txtEuro"), keys);
        QTEST(box("txtEuro")->text(), "euro");
        QTEST(box("txtCurrency")->text(), "own");
        QTEST(m_beeps, "beeps");
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

    void dragFollowsPointer()
    {
        frmMain &form = open("Top=100\nLeft=200");
        mouse(QEvent::MouseButtonPress, QPoint(205, 106), Qt::LeftButton);
        QCOMPARE(form.StartPosX, 75.0F);
        QCOMPARE(form.StartPosY, 90.0F);
        const std::pair<QPoint, QPoint> path[] = {{{245, 116}, {240, 110}},
                                                  {{-500, -500}, {0, 0}},
                                                  {{25, 26}, {20, 20}},
                                                  {{5000, 5000}, {739, 749}}};
        for (const auto &[pointer, position] : path) {
            mouse(QEvent::MouseMove, pointer, Qt::LeftButton);
            QCOMPARE(form.pos(), position);
        }
        mouse(QEvent::MouseMove, QPoint(300, 300), Qt::LeftButton | Qt::RightButton);
        mouse(QEvent::MouseMove, QPoint(300, 300), Qt::MiddleButton);
        QCOMPARE(form.pos(), QPoint(739, 749));
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
        QCOMPARE(m_beeps, 0);
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
};

QTEST_MAIN(tst_strip)
#include "tst_strip.moc"

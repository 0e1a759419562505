// The strip's own handlers on the offscreen platform: typing, placement, drag and menu.
#include "Store.h"
#include "platform/Beep.h"
#include "platform/Process.h"
#include "ui/dialogs/frmMenus.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class tst_strip : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void typing_data();
    void typing();
    void textWithoutKeys();
    void placement();
    void dragFollowsPointer();
    void menu();
    void exitStoresWindowState();
    void onTopAtStart();

private:
    frmMain &open(const QByteArray &stored = {});
    QLineEdit *box(const char *name) const { return m_form->findChild<QLineEdit *>(name); }
    // Runs `then` on the menu once it is open, from inside its event loop.
    void whenMenuOpens(const std::function<void(QMenu *)> &then);
    void mouse(QEvent::Type type, QPoint global, Qt::MouseButtons buttons);

    std::unique_ptr<test::Store> m_store;
    std::unique_ptr<frmMain> m_form;
    int m_beeps = 0;
    int m_ends = 0;
    QPoint m_menuAt;
};

void tst_strip::init()
{
    m_form.reset();
    m_store = std::make_unique<test::Store>();
    m_beeps = m_ends = 0;
    m_menuAt = {};
    platform::beepFunction() = [this] {
        ++m_beeps;
    };
    platform::endProcessFunction() = [this] {
        ++m_ends;
    };
}

frmMain &tst_strip::open(const QByteArray &stored)
{
    m_store->write(stored);
    m_form = std::make_unique<frmMain>();
    m_form->Form_Load();
    return *m_form;
}

void tst_strip::typing_data()
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

void tst_strip::typing()
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

void tst_strip::textWithoutKeys()
{
    open();
    // Keys that edit without inserting pass the filter untouched; copy and paste keys do not.
    box("txtEuro")->setText(QStringLiteral("123"));
    QTest::keyClick(box("txtEuro"), Qt::Key_Home);
    QTest::keyClick(box("txtEuro"), Qt::Key_Delete);
    QTest::keyClick(box("txtEuro"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box("txtEuro")->text(), u"23");
    QCOMPARE(m_beeps, 1);
    // One commit of an input method is judged character by character as it grows.
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral(",4,5"));
    QApplication::sendEvent(box("txtEuro"), &commit);
    QCOMPARE(box("txtEuro")->text(), u"23,45");
    QCOMPARE(m_beeps, 2);
    // A paste without a key converts at once, and a sign stays in front of the groups.
    QApplication::clipboard()->setText(QStringLiteral("-1234"));
    box("txtCurrency")->selectAll();
    box("txtCurrency")->paste();
    QCOMPARE(box("txtCurrency")->text(), u"-1.234");
    QCOMPARE(box("txtEuro")->text(), u"-0,64");
}

void tst_strip::placement()
{
    const std::pair<QByteArray, QPoint> rows[] = {{"", {370, 0}},
                                                  {"Left=0\nTop=0", {0, 0}},
                                                  {"Left=-50\nTop=-50", {0, 0}},
                                                  {"Left=5000\nTop=5000", {739, 749}},
                                                  {"Left=5\nTop=123,4667", {5, 123}},
                                                  {"Left=abc\nTop=1e3", {370, 0}}};
    for (const auto &[stored, position] : rows)
        QCOMPARE(open(stored).pos(), position);
}

void tst_strip::mouse(QEvent::Type type, QPoint global, Qt::MouseButtons buttons)
{
    auto *button = m_form->findChild<QPushButton *>(QStringLiteral("cmdMenu"));
    const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton
            : buttons & Qt::RightButton                       ? Qt::RightButton
                                                              : Qt::LeftButton;
    QMouseEvent event(type, button->mapFromGlobal(QPointF(global)), QPointF(global), changed,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(button, &event);
}

void tst_strip::dragFollowsPointer()
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

void tst_strip::whenMenuOpens(const std::function<void(QMenu *)> &then)
{
    QTimer::singleShot(0, this, [this, then] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        m_menuAt = menu->pos();
        then(menu);
    });
}

void tst_strip::menu()
{
    frmMain &form = open("Top=100\nLeft=200");
    const QString stored = m_store->text();
    for (QAction *item : form.menus()->mnuBar()->actions())
        QVERIFY(!item->isSeparator() || item->text().isEmpty()); // Fusion would draw the text
    // A right press opens it under the strip, wherever it lands, and leaves the grab point.
    whenMenuOpens([](QMenu *menu) { QTest::keyClick(menu, Qt::Key_P); });
    mouse(QEvent::MouseButtonPress, QPoint(209, 103), Qt::RightButton);
    QCOMPARE(m_menuAt, QPoint(200, 119));
    QCOMPARE(form.StartPosX, 0.0F);
    QVERIFY(!form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    // Shift+F10 opens it from an amount box; F10 alone does not.
    m_menuAt = {};
    QTest::keyClick(box("txtEuro"), Qt::Key_F10);
    QCOMPARE(m_menuAt, QPoint());
    whenMenuOpens([](QMenu *menu) { QTest::keyClick(menu, Qt::Key_Escape); });
    QTest::keyClick(box("txtEuro"), Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(m_menuAt, QPoint(200, 119));
    QCOMPARE(m_ends, 0);
    QCOMPARE(m_store->text(), stored);
}

void tst_strip::exitStoresWindowState()
{
    frmMain &form = open("Top=100\nLeft=200\nValue=2");
    whenMenuOpens([](QMenu *menu) { QTest::keyClick(menu, Qt::Key_E); });
    mouse(QEvent::MouseButtonPress, QPoint(209, 103), Qt::RightButton);
    QCOMPARE(m_ends, 1);
    QCOMPARE(QSettings(m_store->file(), QSettings::IniFormat).allKeys().size(), 4);
    for (const char *line : {"Top=100", "Left=200", "OnTop=1", "Value=2"})
        QVERIFY2(m_store->text().contains(QLatin1String(line)), line);
    form.menus()->mnuAlwaysOnTop()->trigger();
    form.close(); // the window manager's close is the menu's exit
    QCOMPARE(m_ends, 2);
    QVERIFY(m_store->text().contains(u"OnTop=0"));
}

void tst_strip::onTopAtStart()
{
    for (const char *stored : {"", "OnTop=1", "OnTop=0", "OnTop=\"\"", "OnTop=true", "OnTop=01"}) {
        const bool on = !*stored || qstrcmp(stored, "OnTop=1") == 0;
        frmMain &form = open(stored);
        QCOMPARE(form.menus()->mnuAlwaysOnTop()->isChecked(), on);
        QCOMPARE(form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), on);
    }
}

QTEST_MAIN(tst_strip)
#include "tst_strip.moc"

#include "platform/Process.h"
#include "ui/dialogs/Module1.h"
#include "ui/dialogs/frmMenus.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

// Runs on a 1024 × 768 screen at 96 dpi: 15 twips to the pixel.
class tst_menus : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void menuItems();
    void onTopAtStartUp_data();
    void onTopAtStartUp();
    void toggleFlipsOnceAndStoresNothing();
    void rightPressOpensMenuUnderTheStrip();
    void keyboardOpensTheSameMenu_data();
    void keyboardOpensTheSameMenu();
    void accessKeyChoosesItem();
    void exitWritesThreeKeysThenEnds();
    void windowCloseIsExit();
    void modalDialogStaysAboveStrip();

private:
    QString storeFile() const { return m_dir->filePath(QStringLiteral("Cambrivo/Cambrivo.conf")); }
    void writeStore(const QByteArray &lines);
    QString storeText() const;
    // Arranges for `then` to run on the menu once it is open, from inside its event loop.
    void whenMenuOpens(std::function<void(QMenu *)> then);
    bool staysOnTop() const
    {
        return m_form->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<frmMain> m_form;
    int m_ends = 0;
    QString m_storeAtEnd;
    QPoint m_menuAt;
    QString m_menuName;
};

void tst_menus::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
    m_ends = 0;
    m_menuAt = {};
    m_menuName.clear();
    platform::endProcessFunction() = [this] {
        ++m_ends;
        m_storeAtEnd = storeText();
    };
}

void tst_menus::cleanup()
{
    m_form.reset();
}

void tst_menus::writeStore(const QByteArray &lines)
{
    QDir(m_dir->path()).mkpath(QStringLiteral("Cambrivo"));
    QFile file(storeFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Parameters]\n" + lines);
}

QString tst_menus::storeText() const
{
    QFile file(storeFile());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void tst_menus::whenMenuOpens(std::function<void(QMenu *)> then)
{
    QTimer::singleShot(0, this, [this, then] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        m_menuAt = menu->pos();
        m_menuName = menu->objectName();
        then(menu);
    });
}

void tst_menus::menuItems()
{
    m_form = std::make_unique<frmMain>();
    m_form->Form_Load();
    QMenu *menu = m_form->menus()->mnuBar();
    QCOMPARE(menu->objectName(), u"mnuBar");
    QCOMPARE(menu->title(), u"Barra dei Menu");
    QVERIFY(!m_form->menus()->isVisible());

    const QList<QAction *> items = menu->actions();
    const QStringList names{"mnuConfigure", "mnuAlwaysOnTop", "mnuSeparator1",
                            "mnuAbout",     "mnuSeparator2",  "mnuExit"};
    const QStringList captions{"C&onfigura", "Sempre in &primo piano", "-", "&Su...", "-", "&Esci"};
    QCOMPARE(items.size(), names.size());
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i]->objectName(), names[i]);
        QCOMPARE(items[i]->isSeparator(), captions[i] == u"-");
        if (!items[i]->isSeparator())
            QCOMPARE(items[i]->text(), captions[i]);
    }
    QVERIFY(items[1]->isCheckable());
}

void tst_menus::onTopAtStartUp_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("on");

    QTest::newRow("absent") << QByteArray() << true;
    QTest::newRow("1") << QByteArray("OnTop=1\n") << true;
    QTest::newRow("0") << QByteArray("OnTop=0\n") << false;
    QTest::newRow("empty") << QByteArray("OnTop=\n") << false;
    QTest::newRow("true") << QByteArray("OnTop=true\n") << false;
    QTest::newRow("01") << QByteArray("OnTop=01\n") << false;
    QTest::newRow("blank before 1") << QByteArray("OnTop=\" 1\"\n") << false;
}

void tst_menus::onTopAtStartUp()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, on);
    writeStore(stored);
    m_form = std::make_unique<frmMain>();
    m_form->Form_Load();
    QCOMPARE(m_form->menus()->mnuAlwaysOnTop()->isChecked(), on);
    QCOMPARE(staysOnTop(), on);
    QVERIFY(m_form->isVisible());
}

void tst_menus::toggleFlipsOnceAndStoresNothing()
{
    m_form = std::make_unique<frmMain>();
    m_form->Form_Load();
    QWindow *native = m_form->windowHandle();
    QAction *item = m_form->menus()->mnuAlwaysOnTop();
    const QPoint position = m_form->pos();

    item->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(!staysOnTop());
    QCOMPARE(m_form->windowHandle(), native); // not re-created
    QCOMPARE(m_form->pos(), position);
    QVERIFY(m_form->isVisible());

    item->trigger();
    QVERIFY(item->isChecked());
    QVERIFY(staysOnTop());
    QVERIFY(!QFile::exists(storeFile()));
}

void tst_menus::rightPressOpensMenuUnderTheStrip()
{
    writeStore("Top=100\nLeft=200\n");
    m_form = std::make_unique<frmMain>();
    m_form->Form_Load();
    QCOMPARE(m_form->Left(), 3000.0F);
    QCOMPARE(m_form->Top(), 1500.0F);
    auto *button = m_form->findChild<QPushButton *>(QStringLiteral("cmdMenu"));

    m_form->StartPosX = 11;
    m_form->StartPosY = 22;
    whenMenuOpens([](QMenu *menu) { menu->close(); });
    QTest::mousePress(button, Qt::RightButton, Qt::NoModifier, QPoint(9, 3));
    QCOMPARE(m_menuAt, QPoint(200, 119));
    QCOMPARE(m_form->StartPosX, 11.0F);
    QCOMPARE(m_form->StartPosY, 22.0F);
    QCOMPARE(m_ends, 0);
}

void tst_menus::keyboardOpensTheSameMenu_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("menuKey");
    QTest::newRow("menu key in the euro box") << "txtEuro" << true;
    QTest::newRow("shift+F10 in the euro box") << "txtEuro" << false;
    QTest::newRow("menu key on the button") << "cmdMenu" << true;
}

void tst_menus::keyboardOpensTheSameMenu()
{
    QFETCH(QString, control);
    QFETCH(bool, menuKey);
    writeStore("Top=100\nLeft=200\n");
    m_form = std::make_unique<frmMain>();
    m_form->Form_Load();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    auto *target = m_form->findChild<QWidget *>(control);
    target->setFocus(Qt::TabFocusReason);
    auto *euro = m_form->findChild<QLineEdit *>(QStringLiteral("txtEuro"));
    euro->setText(QStringLiteral("534"));

    whenMenuOpens([](QMenu *menu) { QTest::keyClick(menu, Qt::Key_Escape); });
    if (menuKey) {
        // What the window system sends for the context-menu key.
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                  target->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(target, &request);
    } else {
        QTest::keyClick(target, Qt::Key_F10, Qt::ShiftModifier);
    }
    QCOMPARE(m_menuName, u"mnuBar");
    QCOMPARE(m_menuAt, QPoint(200, 119));
    QCOMPARE(euro->text(), u"534");
}

void tst_menus::accessKeyChoosesItem()
{
    m_form = std::make_unique<frmMain>();
    m_form->Form_Load();
    auto *button = m_form->findChild<QPushButton *>(QStringLiteral("cmdMenu"));

    whenMenuOpens([](QMenu *menu) { QTest::keyClick(menu, Qt::Key_P); });
    QTest::mousePress(button, Qt::RightButton);
    QVERIFY(!m_form->menus()->mnuAlwaysOnTop()->isChecked());
    QVERIFY(!staysOnTop());

    whenMenuOpens([](QMenu *menu) { QTest::keyClick(menu, Qt::Key_E); });
    QTest::mousePress(button, Qt::RightButton);
    QCOMPARE(m_ends, 1);
    QVERIFY2(m_storeAtEnd.contains(u"OnTop=0"), qPrintable(m_storeAtEnd));
}

void tst_menus::exitWritesThreeKeysThenEnds()
{
    writeStore("Top=100\nLeft=200\nValue=2\n");
    m_form = std::make_unique<frmMain>();
    m_form->Form_Load();
    m_form->menus()->mnuExit_Click();
    QCOMPARE(m_ends, 1);
    QVERIFY(!m_form->menus()->isVisible());

    // On disk before the process ends, and no key besides the three and those already there.
    const QSettings store(storeFile(), QSettings::IniFormat);
    QCOMPARE(store.allKeys(),
             (QStringList{"Parameters/Left", "Parameters/OnTop", "Parameters/Top",
                          "Parameters/Value"}));
    QVERIFY2(m_storeAtEnd.contains(u"Top=100"), qPrintable(m_storeAtEnd));
    QVERIFY2(m_storeAtEnd.contains(u"Left=200"), qPrintable(m_storeAtEnd));
    QVERIFY2(m_storeAtEnd.contains(u"OnTop=1"), qPrintable(m_storeAtEnd));
}

void tst_menus::windowCloseIsExit()
{
    m_form = std::make_unique<frmMain>();
    m_form->Form_Load();
    m_form->menus()->mnuAlwaysOnTop()->trigger();
    m_form->close();
    QCOMPARE(m_ends, 1);
    QVERIFY2(m_storeAtEnd.contains(u"OnTop=0"), qPrintable(m_storeAtEnd));
    QVERIFY2(m_storeAtEnd.contains(u"Left=370"), qPrintable(m_storeAtEnd));
}

void tst_menus::modalDialogStaysAboveStrip()
{
    m_form = std::make_unique<frmMain>();
    m_form->Form_Load();
    for (bool onTop : {true, false}) {
        Module1::SetAlwaysOnTop(*m_form, *m_form->menus(), onTop);
        QDialog dialog;
        bool above = !onTop;
        QTimer::singleShot(0, &dialog, [&] {
            above = dialog.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
            dialog.reject();
        });
        m_form->menus()->showModal(dialog);
        QCOMPARE(above, onTop);
    }
}

QTEST_MAIN(tst_menus)
#include "tst_menus.moc"

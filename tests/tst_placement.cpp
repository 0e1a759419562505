#include "platform/Process.h"
#include "platform/Screen.h"
#include "ui/main/frmMain.h"

#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Runs on a 1024 × 768 screen at 96 dpi: 15 twips to the pixel, 15360 × 11520 twips.
class tst_placement : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void screenInTwips();
    void roundingHalvesToEven();
    void moveFormClamps_data();
    void moveFormClamps();
    void windowLargerThanScreen();
    void startUpPlacement_data();
    void startUpPlacement();
    void leftButtonDrags();
    void otherButtonsDoNotDrag();
    void secondPressOfDoubleClickGrabs();
    void prefersX11UnlessChosen();
    void primaryMonitorRightOfAnother();

private:
    void storePosition(const QByteArray &lines);
    void press(frmMain &form, QPoint local, Qt::MouseButtons buttons);
    void moveBy(frmMain &form, QPoint local, Qt::MouseButtons buttons);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_placement::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
}

void tst_placement::storePosition(const QByteArray &lines)
{
    QDir(m_dir->path()).mkpath(QStringLiteral("Cambrivo"));
    QFile file(m_dir->filePath(QStringLiteral("Cambrivo/Cambrivo.conf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Parameters]\nOnTop=0\n" + lines);
}

void tst_placement::screenInTwips()
{
    const platform::ScreenMetrics screen = platform::Screen();
    QCOMPARE(screen.TwipsPerPixelX, 15.0F);
    QCOMPARE(screen.TwipsPerPixelY, 15.0F);
    QCOMPARE(screen.Width, 15360.0F);
    QCOMPARE(screen.Height, 11520.0F);
    frmMain form;
    QCOMPARE(form.Width(), 4275.0F);
    QCOMPARE(form.Height(), 285.0F);
}

void tst_placement::roundingHalvesToEven()
{
    QCOMPARE(platform::ToPixels(22.5F, 15.0F), 2); // 1.5 pixels
    QCOMPARE(platform::ToPixels(37.5F, 15.0F), 2); // 2.5 pixels
    QCOMPARE(platform::ToPixels(-22.5F, 15.0F), -2);
    QCOMPARE(platform::RoundHalfEven(369.5), 370);
    QCOMPARE(platform::RoundHalfEven(123.4667), 123);
    QCOMPARE(platform::RoundHalfEven(1e12), std::numeric_limits<qint32>::max());
    QCOMPARE(platform::RoundHalfEven(-1e12), std::numeric_limits<qint32>::min());
    QCOMPARE(platform::RoundHalfEven(std::nan("")), 0);
}

void tst_placement::moveFormClamps_data()
{
    QTest::addColumn<QPointF>("requested");
    QTest::addColumn<QPointF>("clamped");

    QTest::newRow("inside") << QPointF(3000, 1500) << QPointF(3000, 1500);
    QTest::newRow("negative") << QPointF(-100, -50) << QPointF(0, 0);
    QTest::newRow("beyond right") << QPointF(20000, 1500) << QPointF(11085, 1500);
    QTest::newRow("beyond bottom") << QPointF(3000, 20000) << QPointF(3000, 11235);
    QTest::newRow("beyond both") << QPointF(1e9, 1e9) << QPointF(11085, 11235);
}

void tst_placement::moveFormClamps()
{
    QFETCH(QPointF, requested);
    QFETCH(QPointF, clamped);
    frmMain form;
    float x = static_cast<float>(requested.x());
    float y = static_cast<float>(requested.y());
    form.MoveForm(x, y);
    QCOMPARE(QPointF(x, y), clamped);
    QCOMPARE(form.pos(), (clamped / 15).toPoint());
}

void tst_placement::windowLargerThanScreen()
{
    frmMain form;
    form.setFixedSize(2000, 1000);
    float x = 500;
    float y = 500;
    form.MoveForm(x, y);
    QCOMPARE(form.pos(), QPoint(1024 - 2000, 768 - 1000));
}

void tst_placement::startUpPlacement_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QPoint>("position");

    QTest::newRow("first start is centred, halves to even") << QByteArray() << QPoint(370, 0);
    QTest::newRow("stored position") << QByteArray("Top=100\nLeft=200\n") << QPoint(200, 100);
    QTest::newRow("far right stays on screen") << QByteArray("Left=5000\n") << QPoint(739, 0);
    QTest::newRow("decimal top") << QByteArray("Top=\"123,4667\"\nLeft=10\n") << QPoint(10, 123);
    QTest::newRow("negative") << QByteArray("Top=-40\nLeft=-7\n") << QPoint(0, 0);
    QTest::newRow("not numbers give defaults")
            << QByteArray("Top=abc\nLeft=1e3\n") << QPoint(370, 0);
    QTest::newRow("beyond 32 bits")
            << QByteArray("Top=99999999999999\nLeft=-99999999999999\n") << QPoint(0, 749);
}

void tst_placement::startUpPlacement()
{
    QFETCH(QByteArray, stored);
    QFETCH(QPoint, position);
    storePosition(stored);
    frmMain form;
    form.Form_Load();
    QCOMPARE(form.pos(), position);
}

void tst_placement::press(frmMain &form, QPoint local, Qt::MouseButtons buttons)
{
    auto *button = form.findChild<QPushButton *>(QStringLiteral("cmdMenu"));
    const Qt::MouseButton pressed
            = buttons.testFlag(Qt::RightButton) ? Qt::RightButton : Qt::LeftButton;
    QMouseEvent event(QEvent::MouseButtonPress, local, button->mapToGlobal(QPointF(local)), pressed,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(button, &event);
}

void tst_placement::moveBy(frmMain &form, QPoint local, Qt::MouseButtons buttons)
{
    auto *button = form.findChild<QPushButton *>(QStringLiteral("cmdMenu"));
    QMouseEvent event(QEvent::MouseMove, local, button->mapToGlobal(QPointF(local)), Qt::NoButton,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(button, &event);
}

void tst_placement::leftButtonDrags()
{
    storePosition("Top=100\nLeft=200\n");
    frmMain form;
    form.Form_Load();
    press(form, QPoint(5, 6), Qt::LeftButton);
    QCOMPARE(form.StartPosX, 75.0F);
    QCOMPARE(form.StartPosY, 90.0F);

    moveBy(form, QPoint(45, 16), Qt::LeftButton);
    QCOMPARE(form.pos(), QPoint(240, 110));
    // Past the top-left corner the window stops at the edges, and moves again from there.
    moveBy(form, QPoint(-500, -500), Qt::LeftButton);
    QCOMPARE(form.pos(), QPoint(0, 0));
    moveBy(form, QPoint(25, 26), Qt::LeftButton);
    QCOMPARE(form.pos(), QPoint(20, 20));
    moveBy(form, QPoint(5000, 5000), Qt::LeftButton);
    QCOMPARE(form.pos(), QPoint(739, 749));
}

void tst_placement::otherButtonsDoNotDrag()
{
    storePosition("Top=100\nLeft=200\n");
    frmMain form;
    form.Form_Load();
    press(form, QPoint(5, 6), Qt::LeftButton);
    moveBy(form, QPoint(50, 50), Qt::LeftButton | Qt::RightButton);
    moveBy(form, QPoint(50, 50), Qt::MiddleButton);
    moveBy(form, QPoint(50, 50), Qt::NoButton);
    QCOMPARE(form.pos(), QPoint(200, 100));
    press(form, QPoint(9, 9), Qt::MiddleButton);
    QCOMPARE(form.StartPosX, 75.0F);
}

void tst_placement::secondPressOfDoubleClickGrabs()
{
    frmMain form;
    form.Form_Load();
    auto *button = form.findChild<QPushButton *>(QStringLiteral("cmdMenu"));
    press(form, QPoint(5, 6), Qt::LeftButton);
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(8, 9),
                       button->mapToGlobal(QPointF(8, 9)), Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
    QApplication::sendEvent(button, &second);
    QCOMPARE(form.StartPosX, 120.0F);
    QCOMPARE(form.StartPosY, 135.0F);
}

void tst_placement::primaryMonitorRightOfAnother()
{
    if (platform::Screen().Left == 0)
        QSKIP("needs the two-monitor screen configuration");
    frmMain form;
    form.Form_Load();
    QCOMPARE(form.pos(), QPoint(1024 + 370, 0));
    float x = 0;
    float y = 0;
    form.MoveForm(x, y);
    QCOMPARE(form.pos(), QPoint(1024, 0));
}

void tst_placement::prefersX11UnlessChosen()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");

    qunsetenv("QT_QPA_PLATFORM");
    qputenv("DISPLAY", ":7");
    platform::PreferX11();
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), "xcb");

    qputenv("QT_QPA_PLATFORM", "wayland");
    platform::PreferX11();
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), "wayland");

    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    platform::PreferX11();
    QVERIFY(!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"));

    qputenv("QT_QPA_PLATFORM", platform);
    if (!display.isNull())
        qputenv("DISPLAY", display);
}

QTEST_MAIN(tst_placement)
#include "tst_placement.moc"

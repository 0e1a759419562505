// Two monitors side by side, the second one lower and larger: the strip is kept on the monitor
// that holds its centre, or on the primary one when it lies on none.
#include "Store.h"
#include "ui/main/frmMain.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

class tst_monitors : public QObject
{
    Q_OBJECT

private slots:
    void placement_data();
    void placement();
};

void tst_monitors::placement_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("second monitor") << QByteArray("Left=2000\nTop=1100") << QPoint(2000, 1100);
    QTest::newRow("centre on the second") << QByteArray("Left=1000\nTop=300") << QPoint(1024, 300);
    QTest::newRow("first monitor") << QByteArray("Left=100\nTop=700") << QPoint(100, 700);
    QTest::newRow("bottom of the second")
            << QByteArray("Left=1100\nTop=1210") << QPoint(1100, 1205);
}

void tst_monitors::placement()
{
    QCOMPARE(QGuiApplication::screens().size(), 2);
    QFETCH(QByteArray, stored);
    test::Store store;
    store.write(stored);
    frmMain form;
    form.Form_Load();
    QTEST(form.pos(), "position");
}

QTEST_MAIN(tst_monitors)
#include "tst_monitors.moc"

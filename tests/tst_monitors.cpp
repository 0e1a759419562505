// Two monitors side by side, the second one lower and larger: the strip is kept on the monitor
// that holds its centre.
#include "Store.h"
#include "ui/main/frmMain.h"

#include <QtTest>

class tst_monitors : public QObject
{
    Q_OBJECT

private slots:
    void placement()
    {
        QCOMPARE(QGuiApplication::screens().size(), 2);
        const std::pair<QByteArray, QPoint> rows[]
                = {{"Left=2000\nTop=1100", {2000, 1100}}, // on the second
                   {"Left=1000\nTop=300", {1024, 300}}, // centre on the second
                   {"Left=100\nTop=700", {100, 700}}, // on the first
                   {"Left=1100\nTop=1210", {1100, 1205}}}; // below the second
        for (const auto &[stored, position] : rows) {
            test::Store store;
            store.write(stored);
            frmMain form;
            form.Form_Load();
            QCOMPARE(form.pos(), position);
        }
    }
};

QTEST_MAIN(tst_monitors)
#include "tst_monitors.moc"

#include "platform/IdleCaret.h"

#include <QAbstractEventDispatcher>
#include <QLineEdit>
#include <QTest>

class tst_idlecaret : public QObject
{
    Q_OBJECT

    // The caret's blink timer belongs to the box's editing engine, its only child object.
    Q_SLOT void caretRestsWhenIdleAndBlinksAgainOnKey()
    {
        const platform::IdleCaret idle(std::chrono::milliseconds(300));
        QLineEdit box;
        box.show();
        const QAbstractEventDispatcher *events = QAbstractEventDispatcher::instance();
        QTRY_VERIFY(!events->registeredTimers(box.findChild<QObject *>()).isEmpty());
        QTRY_VERIFY(events->registeredTimers(box.findChild<QObject *>()).isEmpty());
        const QImage resting = box.grab().toImage();
        QTest::keyClick(&box, Qt::Key_End); // moves nothing
        QCOMPARE(box.grab().toImage(), resting); // the caret rested drawn, not hidden
        QVERIFY(!events->registeredTimers(box.findChild<QObject *>()).isEmpty());
    }
};

QTEST_MAIN(tst_idlecaret)
#include "tst_idlecaret.moc"

#include "VirtualClock.h"

#include <QStringList>
#include <QTest>

class TestVirtualClock : public QObject {
    Q_OBJECT
private slots:
    void firesInDueOrderWithTiesInStartOrder()
    {
        VirtualClock clock;
        auto a = clock.CreateTimerHost();
        auto b = clock.CreateTimerHost();
        QStringList fired;
        a->SetCallback([&](int id) { fired << QStringLiteral("a%1@%2").arg(id).arg(clock.Now()); });
        b->SetCallback([&](int id) { fired << QStringLiteral("b%1@%2").arg(id).arg(clock.Now()); });
        a->Start(1, 300);
        b->Start(5, 100);
        a->Start(2, 100);
        clock.Advance(99);
        QVERIFY(fired.isEmpty());
        clock.Advance(500);
        QCOMPARE(fired, (QStringList{"b5@100", "a2@100", "a1@300"}));
        QCOMPARE(clock.Now(), 599);
        QVERIFY(!a->IsRunning(1));
    }

    void handlersStartingTimersAreFiredWithinTheSameAdvance()
    {
        VirtualClock clock;
        auto host = clock.CreateTimerHost();
        QList<qint64> ticks;
        host->SetCallback([&](int id) {
            QVERIFY(!host->IsRunning(id));
            ticks << clock.Now();
            if (ticks.size() < 4)
                host->Start(id, 500);
        });
        host->Start(60, 500);
        clock.Advance(10000);
        QCOMPARE(ticks, (QList<qint64>{500, 1000, 1500, 2000}));
    }

    void restartStopAndRange()
    {
        VirtualClock clock;
        auto host = clock.CreateTimerHost();
        QList<int> fired;
        host->SetCallback([&](int id) { fired << id; });
        host->Start(1, 100);
        clock.Advance(50);
        host->Start(1, 100); // restart: due at 150
        for (int id = 2; id <= 5; ++id)
            host->Start(id, 120);
        host->Start(80, 90);
        host->StopRange(2, 79);
        QVERIFY(host->IsRunning(1));
        QVERIFY(!host->IsRunning(3));
        clock.Advance(90);
        QCOMPARE(fired, QList<int>{80});
        clock.Advance(10);
        QCOMPARE(fired, (QList<int>{80, 1}));
    }

    void destroyedHostNeverFires()
    {
        VirtualClock clock;
        int fired = 0;
        {
            auto host = clock.CreateTimerHost();
            host->SetCallback([&](int) { ++fired; });
            host->Start(1, 10);
        }
        clock.Advance(100);
        QCOMPARE(fired, 0);
    }
};

QTEST_APPLESS_MAIN(TestVirtualClock)
#include "tst_virtual_clock.moc"

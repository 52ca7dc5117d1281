#include "../support/RealController.h"

#include "LampLabel.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kIrQueryLog = QStringLiteral("A5 5B 01 0A 00 00 00 00 00 00 00 00 F5");

} // namespace

class TestConnectionEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void serialConnectUnplugAndReconnect()
    {
        QTemporaryDir dir;
        const QString tty = dir.filePath("matrix-tty");
        SimProcess sim({"--tcp", "127.0.66.1:8000", "--no-udp", "--pty-link", tty, "--verbose"});
        QVERIFY(sim.Started());
        SimLog log{sim, {}};
        RealController controller({tty});
        CGeneralPage& page = controller.General();
        page.ScanComPorts();
        QVERIFY(page.PortList().findText(tty) >= 0);
        page.PortList().setCurrentIndex(page.PortList().findText(tty));

        QTest::mouseClick(&page.ComButton(), Qt::LeftButton);
        QVERIFY(page.ComLamp().IsLit());
        QTRY_COMPARE_WITH_TIMEOUT(log.Count("<- pty " + kIrQueryLog), 1, 5000);

        QVERIFY(sim.Control("close-pty"));
        QTRY_VERIFY_WITH_TIMEOUT(!page.ComLamp().IsLit(), 5000);
        QCOMPARE(page.ComButton().text(), QStringLiteral("Connect"));
        QVERIFY(!controller.state.comConnected);

        QTest::mouseClick(&page.ComButton(), Qt::LeftButton);
        QVERIFY(page.ComLamp().IsLit());
        QTRY_COMPARE_WITH_TIMEOUT(log.Count("<- pty " + kIrQueryLog), 2, 5000);
    }

    void tcpConnect()
    {
        SimProcess sim({"--tcp", "127.0.66.2:8000", "--no-udp", "--verbose"});
        QVERIFY(sim.Started());
        SimLog log{sim, {}};
        RealController controller({});
        CGeneralPage& page = controller.General();
        QTest::mouseClick(&page.TcpModeRadio(), Qt::LeftButton);
        page.MatrixIpList().setEditText(QStringLiteral("127.0.66.2"));
        QTest::mouseClick(&page.TcpButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(page.TcpLamp().IsLit(), 5000);
        QCOMPARE(page.TcpButton().text(), QStringLiteral("Disconnect"));
        QVERIFY(controller.state.tcpLinkOpen);
        QTRY_COMPARE_WITH_TIMEOUT(log.Count("<- tcp " + kIrQueryLog), 1, 5000);
    }

    void tcpConnectToAClosedPortFailsWithinASecond()
    {
        RealController controller({});
        CGeneralPage& page = controller.General();
        QTest::mouseClick(&page.TcpModeRadio(), Qt::LeftButton);
        page.MatrixIpList().setEditText(QStringLiteral("127.0.66.3"));
        QElapsedTimer elapsed;
        elapsed.start();
        QTest::mouseClick(&page.TcpButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(controller.window->Popups().Message().isVisible(), 1000);
        QVERIFY(elapsed.elapsed() < 1000);
        QCOMPARE(controller.window->Popups().Message().LabelText(), QStringLiteral("Connect to Matrix failed!"));
        QVERIFY(!page.TcpLamp().IsLit());
        QCOMPARE(page.TcpButton().text(), QStringLiteral("Connect"));
    }
};

QTEST_MAIN(TestConnectionEndToEnd)
#include "tst_connection_e2e.moc"

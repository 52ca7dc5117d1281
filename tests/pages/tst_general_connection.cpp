#include "../support/HexFrames.h"
#include "../support/PageFixture.h"
#include "../support/ShellFixture.h"

#include "CGeneralPage.h"
#include "LampLabel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QByteArray kIrQuery = Hex("A5 5B 01 0A 00 00 00 00 00 00 00 00 F5");

QStringList Items(const QComboBox& list)
{
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items << list.itemText(i);
    return items;
}

struct GeneralFixture : PageFixture {
    CGeneralPage page{context};

    void Click(QAbstractButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }
    void UseTcp(const QString& ip)
    {
        Click(page.TcpModeRadio());
        page.MatrixIpList().setEditText(ip);
    }
};

} // namespace

class TestGeneralConnection : public QObject {
    Q_OBJECT
private slots:
    void modeRadiosEnableTheirColumn()
    {
        GeneralFixture f;
        f.page.show();
        QVERIFY(f.page.ComModeRadio().isChecked());
        QVERIFY(f.page.PortList().isEnabled());
        QVERIFY(f.page.ComButton().isEnabled());
        QVERIFY(!f.page.MatrixIpList().isEnabled());
        QVERIFY(!f.page.TcpButton().isEnabled());

        f.Click(f.page.TcpModeRadio());
        QCOMPARE(f.state.transport, Transport::Tcp);
        QVERIFY(!f.page.PortList().isEnabled());
        QVERIFY(!f.page.ComButton().isEnabled());
        QVERIFY(f.page.MatrixIpList().isEnabled());
        QVERIFY(f.page.TcpButton().isEnabled());

        // Back in serial mode with a COM link up, the port stays locked.
        f.link.ports = {"ttyUSB0"};
        f.page.ScanComPorts();
        f.Click(f.page.ComModeRadio());
        f.Click(f.page.ComButton());
        f.Click(f.page.TcpModeRadio());
        QVERIFY(f.page.ComLamp().IsLit());
        f.Click(f.page.ComModeRadio());
        QCOMPARE(f.state.transport, Transport::Serial);
        QVERIFY(!f.page.PortList().isEnabled());
        QVERIFY(f.page.ComButton().isEnabled());
        QVERIFY(!f.page.TcpButton().isEnabled());
    }

    void portListFollowsThePortsEvery500ms()
    {
        GeneralFixture f;
        QVERIFY(Items(f.page.PortList()).isEmpty());
        f.link.ports = {"ttyS0", "ttyUSB0"};
        f.clock.Advance(499);
        QVERIFY(Items(f.page.PortList()).isEmpty());
        f.clock.Advance(1);
        QCOMPARE(Items(f.page.PortList()), (QStringList{"ttyS0", "ttyUSB0"}));
        QCOMPARE(f.page.PortList().currentText(), QStringLiteral("ttyS0"));

        f.page.PortList().setCurrentIndex(1);
        f.link.ports = {"/tmp/matrix-tty", "ttyACM0", "ttyUSB0"};
        f.clock.Advance(500);
        QCOMPARE(Items(f.page.PortList()), f.link.ports);
        QCOMPARE(f.page.PortList().currentText(), QStringLiteral("ttyUSB0"));

        f.link.ports = {"/tmp/matrix-tty", "ttyACM0"};
        f.clock.Advance(500);
        QCOMPARE(f.page.PortList().currentText(), QStringLiteral("/tmp/matrix-tty"));
        f.link.ports.clear();
        f.clock.Advance(500);
        QCOMPARE(f.page.PortList().count(), 0);
        QVERIFY(f.link.openCalls.isEmpty());
    }

    void comConnectAndDisconnect()
    {
        GeneralFixture f;
        f.link.ports = {"ttyS0", "ttyUSB0"};
        f.page.ScanComPorts();
        f.page.PortList().setCurrentIndex(1);
        f.Click(f.page.ComButton());
        QCOMPARE(f.link.openCalls, QStringList{"ttyUSB0"});
        QVERIFY(f.state.comConnected);
        QCOMPARE(f.state.comPortName, QStringLiteral("ttyUSB0"));
        QCOMPARE(f.state.lineSettings.stopBits, 2);
        QCOMPARE(f.page.ComButton().text(), QStringLiteral("Disconnect"));
        QVERIFY(f.page.ComLamp().IsLit());
        QVERIFY(!f.page.PortList().isEnabled());
        QCOMPARE(f.link.sent.size(), 1);
        QCOMPARE(f.link.sent[0].transport, Transport::Serial);
        QCOMPARE(f.link.sent[0].bytes, kIrQuery);
        // No rescans while connected.
        f.link.ports = {"ttyS0"};
        f.clock.Advance(2000);
        QCOMPARE(f.page.PortList().count(), 2);

        f.Click(f.page.ComButton());
        QVERIFY(!f.state.comConnected);
        QVERIFY(!f.link.IsSerialOpen());
        QCOMPARE(f.page.ComButton().text(), QStringLiteral("Connect"));
        QVERIFY(!f.page.ComLamp().IsLit());
        QVERIFY(f.page.PortList().isEnabled());
        f.clock.Advance(500);
        QCOMPARE(f.page.PortList().count(), 1);
        QVERIFY(!f.messageShown());
    }

    void comConnectFailures_data()
    {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QStringList>("busy");
        QTest::addColumn<QStringList>("openCalls");
        QTest::newRow("no port listed") << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("port refuses to open") << QStringList{"ttyUSB0"} << QStringList{"ttyUSB0"}
                                              << QStringList{"ttyUSB0"};
    }
    void comConnectFailures()
    {
        QFETCH(QStringList, ports);
        QFETCH(QStringList, busy);
        QFETCH(QStringList, openCalls);
        GeneralFixture f;
        f.link.ports = ports;
        f.link.busyPorts = busy;
        f.page.ScanComPorts();
        f.Click(f.page.ComButton());
        QCOMPARE(f.link.openCalls, openCalls);
        QVERIFY(f.messageShown());
        QCOMPARE(f.messageText(), QStringLiteral("Open COM failed!"));
        QVERIFY(!f.state.comConnected);
        QCOMPARE(f.page.ComButton().text(), QStringLiteral("Connect"));
        QVERIFY(f.link.sent.isEmpty());
        f.clock.Advance(1499);
        QVERIFY(f.messageShown());
        f.clock.Advance(1);
        QVERIFY(!f.messageShown());
    }

    void tcpConnectWaitsForTheResult_data()
    {
        QTest::addColumn<int>("resultAfterMs"); // -1: never
        QTest::addColumn<bool>("connected");
        QTest::newRow("connected after 250 ms") << 250 << true;
        QTest::newRow("connected after 2.9 s") << 2900 << true;
        QTest::newRow("refused at once") << 1 << false;
        QTest::newRow("no answer within 3 s") << -1 << false;
    }
    void tcpConnectWaitsForTheResult()
    {
        QFETCH(int, resultAfterMs);
        QFETCH(bool, connected);
        GeneralFixture f;
        f.UseTcp(QStringLiteral("127.0.0.9"));
        f.Click(f.page.TcpButton());
        QCOMPARE(f.link.connectCalls, QStringList{"127.0.0.9"});
        QCOMPARE(f.state.matrixIp, QStringLiteral("127.0.0.9"));
        QCOMPARE(f.link.Receiver(), &f.page);
        if (resultAfterMs < 0) {
            f.clock.Advance(2999);
            QCOMPARE(f.page.TcpButton().text(), QStringLiteral("Connect"));
            QVERIFY(!f.messageShown());
            f.clock.Advance(1);
        } else {
            f.clock.Advance(resultAfterMs);
            QVERIFY(!f.messageShown());
            f.link.FinishConnect(connected);
        }
        QCOMPARE(f.state.tcpLinkOpen, connected);
        QCOMPARE(f.page.TcpLamp().IsLit(), connected);
        QCOMPARE(f.page.TcpButton().text(), connected ? QStringLiteral("Disconnect") : QStringLiteral("Connect"));
        if (connected) {
            QCOMPARE(f.link.sent.size(), 1);
            QCOMPARE(f.link.sent[0].transport, Transport::Tcp);
            QCOMPARE(f.link.sent[0].bytes, kIrQuery);
            QVERIFY(!f.messageShown());
            f.Click(f.page.TcpButton());
            QVERIFY(!f.state.tcpLinkOpen);
            QVERIFY(!f.state.sockConnected);
            QCOMPARE(f.page.TcpButton().text(), QStringLiteral("Connect"));
            QVERIFY(!f.page.TcpLamp().IsLit());
            return;
        }
        QVERIFY(f.link.sent.isEmpty());
        QVERIFY(!f.link.TcpConnecting());
        QCOMPARE(f.messageText(), QStringLiteral("Connect to Matrix failed!"));
        f.clock.Advance(999);
        QVERIFY(f.messageShown());
        f.clock.Advance(1);
        QVERIFY(!f.messageShown());
        // A second press connects again.
        f.Click(f.page.TcpButton());
        QCOMPARE(f.link.connectCalls.size(), 2);
    }

    void choosingAnotherMatrixDropsTheTcpLink()
    {
        GeneralFixture f;
        f.UseTcp(QStringLiteral("127.0.0.9"));
        f.page.MatrixIpList().addItems({"127.0.0.9", "127.0.0.10"});
        f.Click(f.page.TcpButton());
        f.link.FinishConnect(true);
        QVERIFY(f.state.tcpLinkOpen);
        f.page.MatrixIpList().setCurrentIndex(1);
        emit f.page.MatrixIpList().activated(1);
        QCOMPARE(f.state.matrixIp, QStringLiteral("127.0.0.10"));
        QVERIFY(!f.state.tcpLinkOpen);
        QVERIFY(!f.state.sockConnected);
        QCOMPARE(f.page.TcpButton().text(), QStringLiteral("Connect"));
        QVERIFY(!f.page.TcpLamp().IsLit());
    }

    void activationInSerialModeWithoutLink()
    {
        GeneralFixture f;
        f.clock.Advance(600);
        f.page.ActivatePage();
        QCOMPARE(f.messageText(), QStringLiteral("Open COM failed!"));
        QVERIFY(f.page.Timers().IsRunning(CGeneralPage::kScanPortsTimer));
    }

    // The adapter pulled: reported once through the main window, the page
    // goes back to Connect with the red lamp, and connecting again works.
    void lostSerialLinkReturnsToDisconnected()
    {
        ShellFixture f;
        CGeneralPage& page = f.window.GeneralPage();
        f.link.ports = {"ttyUSB0"};
        page.ScanComPorts();
        page.ToggleComLink();
        QVERIFY(page.ComLamp().IsLit());
        f.link.LoseSerial();
        QVERIFY(f.state.comConnected); // posted, not yet handled
        DeliverPosted();
        QVERIFY(!f.state.comConnected);
        QCOMPARE(page.ComButton().text(), QStringLiteral("Connect"));
        QVERIFY(!page.ComLamp().IsLit());
        QVERIFY(page.PortList().isEnabled());
        page.ToggleComLink();
        QVERIFY(f.state.comConnected);
        QCOMPARE(f.link.openCalls.size(), 2);
    }
};

QTEST_MAIN(TestGeneralConnection)
#include "tst_general_connection.moc"

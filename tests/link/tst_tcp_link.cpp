#include "TcpSerialLink.h"
#include "../support/HexFrames.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// Loopback addresses of this test only; nothing listens on kClosedIp.
const QString kMatrixIp = QStringLiteral("127.0.41.1");
const QString kClosedIp = QStringLiteral("127.0.41.2");

struct Recorder : LinkReceiver {
    QByteArray tcp;
    QByteArray serial;
    void OnTcpBytes(QByteArrayView bytes) override { tcp += bytes.toByteArray(); }
    void OnSerialBytes(QByteArrayView bytes) override { serial += bytes.toByteArray(); }
};

} // namespace

class TestTcpLink : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        state_ = LinkState{};
        state_.transport = Transport::Tcp;
        QVERIFY2(server_.listen(QHostAddress(kMatrixIp), kMatrixTcpPort),
                 qPrintable(server_.errorString()));
    }
    void cleanup() { server_.close(); }

    void connectsSendsAndReceives()
    {
        TcpSerialLink link(state_);
        Recorder page;
        link.SetReceiver(&page);
        QSignalSpy finished(&link, &Link::tcpConnectFinished);
        link.ConnectTcp(kMatrixIp);
        QVERIFY(link.TcpConnecting());
        QVERIFY(!state_.sockConnected);
        QVERIFY(finished.wait(3000));
        QCOMPARE(finished.takeFirst().at(0).toBool(), true);
        QVERIFY(state_.sockConnected);
        QTRY_VERIFY_WITH_TIMEOUT(server_.hasPendingConnections(), 3000);
        QTcpSocket* matrix = server_.nextPendingConnection();

        const QByteArray query = Hex("A5 5B 02 01 03 00 00 00 00 00 00 00 FA");
        link.SendFrame(FrameOf(query));
        QTRY_COMPARE_WITH_TIMEOUT(matrix->bytesAvailable(), qint64(13), 3000);
        QCOMPARE(matrix->readAll(), query);

        const QByteArray replies = Hex("A5 5B 02 01 03 00 02 00 00 00 00 00 F6") + query;
        matrix->write(replies);
        QTRY_COMPARE_WITH_TIMEOUT(page.tcp, replies, 3000);
        QVERIFY(page.serial.isEmpty());

        // With the serial transport selected nothing reaches the socket.
        state_.transport = Transport::Serial;
        link.SendFrame(FrameOf(query));
        state_.transport = Transport::Tcp;
        link.SendBlock(Hex("01 02"));
        QTRY_COMPARE_WITH_TIMEOUT(matrix->bytesAvailable(), qint64(2), 3000);
        QCOMPARE(matrix->readAll(), Hex("01 02"));

        QSignalSpy closed(&link, &Link::tcpClosed);
        matrix->disconnectFromHost();
        QVERIFY(closed.wait(3000));
        QVERIFY(!state_.sockConnected);
    }

    void refusedConnectFailsQuickly()
    {
        TcpSerialLink link(state_);
        QSignalSpy finished(&link, &Link::tcpConnectFinished);
        QElapsedTimer elapsed;
        elapsed.start();
        link.ConnectTcp(kClosedIp);
        QVERIFY(finished.wait(1000));
        QVERIFY(elapsed.elapsed() < 1000);
        QCOMPARE(finished.takeFirst().at(0).toBool(), false);
        QVERIFY(!state_.sockConnected);
        QVERIFY(!link.TcpConnecting());
    }

    void addressThatIsNotDottedIpv4IsRefused_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::newRow("empty") << QString();
        QTest::newRow("host name") << QStringLiteral("localhost");
        QTest::newRow("three parts") << QStringLiteral("127.0.41");
        QTest::newRow("part above 255") << QStringLiteral("127.0.41.300");
        QTest::newRow("trailing text") << QStringLiteral("127.0.41.1x");
    }
    void addressThatIsNotDottedIpv4IsRefused()
    {
        QFETCH(QString, ip);
        TcpSerialLink link(state_);
        QSignalSpy finished(&link, &Link::tcpConnectFinished);
        link.ConnectTcp(ip);
        QVERIFY(finished.wait(1000));
        QCOMPARE(finished.takeFirst().at(0).toBool(), false);
        QVERIFY(!server_.hasPendingConnections());
    }

    void reconnectDropsTheOldConnection()
    {
        TcpSerialLink link(state_);
        QSignalSpy finished(&link, &Link::tcpConnectFinished);
        link.ConnectTcp(kMatrixIp);
        QVERIFY(finished.wait(3000));
        QTRY_VERIFY_WITH_TIMEOUT(server_.hasPendingConnections(), 3000);
        QTcpSocket* first = server_.nextPendingConnection();
        link.ConnectTcp(kMatrixIp);
        QVERIFY(!state_.sockConnected);
        QVERIFY(finished.wait(3000));
        QVERIFY(state_.sockConnected);
        QTRY_COMPARE_WITH_TIMEOUT(first->state(), QAbstractSocket::UnconnectedState, 3000);
    }

private:
    LinkState state_;
    QTcpServer server_;
};

QTEST_GUILESS_MAIN(TestTcpLink)
#include "tst_tcp_link.moc"

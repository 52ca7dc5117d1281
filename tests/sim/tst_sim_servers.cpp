#include "NetDatagrams.h"
#include "../support/HexFrames.h"
#include "../support/SimProcess.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

QByteArray Command(const QByteArray& body)
{
    CommandFrame frame = FrameOf(Hex("A5 5B") + QByteArray::fromHex(body));
    SealFrame(frame);
    return BytesOf(frame);
}

QByteArray Body(const QByteArray& frame)
{
    return frame.mid(2, 10).toHex(' ').toUpper();
}

QByteArray RandomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

// The controller's side of a TCP connection, played with a plain socket.
struct RawTcp {
    QTcpSocket socket;
    QList<QByteArray> reads;

    bool Connect(const QString& ip)
    {
        socket.connectToHost(ip, 8000);
        return socket.waitForConnected(5000);
    }
    // Waits until `size` bytes have arrived since the last Take.
    QByteArray Take(qsizetype size)
    {
        QByteArray got;
        for (int i = 0; i < 100 && pending_.size() < size; ++i) {
            if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(100))
                continue;
            const QByteArray read = socket.readAll();
            reads << read;
            pending_ += read;
        }
        got = pending_.left(size);
        pending_.remove(0, got.size());
        return got;
    }
    QByteArray Exchange(const QByteArray& command, qsizetype replySize = 13)
    {
        socket.write(command);
        socket.flush();
        return Take(replySize);
    }

private:
    QByteArray pending_;
};

// The controller's side of the serial line: the pseudo-terminal opened raw.
struct RawSerial {
    int fd = -1;
    explicit RawSerial(const QString& path)
    {
        fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios settings{};
        if (fd >= 0 && tcgetattr(fd, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(fd, TCSANOW, &settings);
        }
    }
    ~RawSerial()
    {
        if (fd >= 0)
            ::close(fd);
    }
    bool Write(const QByteArray& bytes)
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            pollfd ready{fd, POLLOUT, 0};
            if (::poll(&ready, 1, 5000) <= 0)
                return false;
            const ssize_t wrote = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
            if (wrote < 0 && errno != EAGAIN)
                return false;
            done += wrote > 0 ? wrote : 0;
        }
        return true;
    }
    // Reads until `size` bytes came, the line hung up, or 5 s passed.
    QByteArray Read(qsizetype size, bool* hungUp = nullptr)
    {
        QByteArray got;
        QElapsedTimer waited;
        waited.start();
        while (got.size() < size && waited.elapsed() < 5000) {
            pollfd ready{fd, POLLIN, 0};
            if (::poll(&ready, 1, 100) <= 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(fd, buffer, static_cast<size_t>(std::min<qsizetype>(sizeof buffer, size - got.size())));
            if (n <= 0 || (ready.revents & POLLHUP)) {
                if (hungUp)
                    *hungUp = true;
                break;
            }
            got.append(buffer, n);
        }
        return got;
    }
};

const QByteArray kSwitchTwoToC = Hex("A5 5B 02 03 02 00 03 00 00 00 00 00 F6");

} // namespace

class TestSimServers : public QObject {
    Q_OBJECT
private slots:
    void switchOverTcp()
    {
        SimProcess sim({"--tcp", "127.0.61.1:8000", "--no-udp"});
        QVERIFY(sim.Started());
        RawTcp tcp;
        QVERIFY(tcp.Connect("127.0.61.1"));
        QCOMPARE(Body(tcp.Exchange(kSwitchTwoToC)), QByteArray("02 03 00 00 03 00 00 00 00 00"));
        QCOMPARE(Body(tcp.Exchange(Command("02 01 03"))), QByteArray("02 01 03 00 02 00 00 00 00 00"));

        // One controller at a time: a new connection takes over.
        RawTcp second;
        QVERIFY(second.Connect("127.0.61.1"));
        QVERIFY(tcp.socket.state() == QAbstractSocket::UnconnectedState ||
                tcp.socket.waitForDisconnected(5000));
        QCOMPARE(Body(second.Exchange(Command("02 01 03"))), QByteArray("02 01 03 00 02 00 00 00 00 00"));
    }

    void switchOverThePseudoTerminal()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("matrix-tty");
        SimProcess sim({"--tcp", "127.0.61.2:8000", "--no-udp", "--pty-link", link});
        QVERIFY(sim.Started());
        RawSerial serial(link);
        QVERIFY(serial.fd >= 0);
        QVERIFY(serial.Write(Hex("00 11") + kSwitchTwoToC));
        QCOMPARE(Body(serial.Read(13)), QByteArray("02 03 00 00 03 00 00 00 00 00"));
    }

    void lineRatePacesTheSerialExchange()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("matrix-tty");
        SimProcess sim({"--tcp", "127.0.61.3:8000", "--no-udp", "--pty-link", link, "--line-rate"});
        QVERIFY(sim.Started());
        RawSerial serial(link);
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY(serial.Write(kSwitchTwoToC));
        QCOMPARE(serial.Read(13).size(), qsizetype(13));
        // Two 13-byte frames at 19200 8N2 take 14.9 ms on the line.
        QVERIFY2(elapsed.nsecsElapsed() >= 14'800'000, qPrintable(QString::number(elapsed.nsecsElapsed())));
    }

    void searchIsAnsweredByEveryMatrix()
    {
        SimProcess sim({"--tcp", "127.0.62.1:8000", "--count", "2"});
        QVERIFY(sim.Started());
        QUdpSocket requester;
        QVERIFY(requester.bind(QHostAddress("127.0.0.1"), 0));
        requester.writeDatagram(QByteArray(1, 0x61), QHostAddress("127.255.255.255"), kSearchPort);
        QSet<QString> found;
        QSet<QByteArray> macs;
        for (int i = 0; i < 50 && found.size() < 2; ++i) {
            if (!requester.hasPendingDatagrams() && !requester.waitForReadyRead(100))
                continue;
            const QByteArray data = requester.receiveDatagram().data();
            QCOMPARE(data.size(), qsizetype(kSearchAnswerSize));
            const auto answer = DecodeSearchAnswer(
                std::span(reinterpret_cast<const std::uint8_t*>(data.data()), static_cast<std::size_t>(data.size())));
            QVERIFY(answer);
            found << QStringLiteral("%1.%2.%3.%4").arg(answer->ip[0]).arg(answer->ip[1]).arg(answer->ip[2]).arg(answer->ip[3]);
            macs << data.left(6);
        }
        QCOMPARE(found, (QSet<QString>{"127.0.62.1", "127.0.62.2"}));
        QCOMPARE(macs.size(), 2);
    }

    void networkConfigurationMovesTheMatrix()
    {
        SimProcess sim({"--tcp", "127.0.63.1:8000"});
        QVERIFY(sim.Started());
        QUdpSocket requester;
        QVERIFY(requester.bind(QHostAddress("127.0.0.1"), 0));
        NetConfigRequest request;
        request.target = {0x02, 0x4D, 0x58, 0x53, 0x00, 0x01};
        request.automatic = false;
        request.ip = {127, 0, 63, 9};
        request.gateway = {127, 0, 63, 1};
        request.mask = {255, 255, 255, 0};
        request.newMac = {0x02, 0x4D, 0x58, 0x53, 0x00, 0x63};
        const auto bytes = EncodeNetConfig(request);
        requester.writeDatagram(QByteArray(reinterpret_cast<const char*>(bytes.data()), 76),
                                QHostAddress("127.255.255.255"), kNetConfigPort);
        QVERIFY(requester.waitForReadyRead(5000));
        const QByteArray answer = requester.receiveDatagram().data();
        QCOMPARE(answer.size(), qsizetype(76));
        QCOMPARE(int(static_cast<std::uint8_t>(answer[74])), 0);

        requester.writeDatagram(QByteArray(1, 0x61), QHostAddress("127.255.255.255"), kSearchPort);
        QVERIFY(requester.waitForReadyRead(5000));
        const QByteArray found = requester.receiveDatagram().data();
        QCOMPARE(found.left(6), Hex("02 4D 58 53 00 63"));
        QCOMPARE(found.mid(6, 4), Hex("7F 00 3F 09"));
        RawTcp tcp;
        QVERIFY(tcp.Connect("127.0.63.9"));
        QCOMPARE(Body(tcp.Exchange(Command("01 01"))), QByteArray("01 01 01 00 00 00 00 00 00 00"));
    }

    void faultsShowOnTheWire_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("refuse part 1") << "refuse-part 1" << Command("20 01 01") << QByteArray("20 01 44 00 00 00 00 00 00 00");
        QTest::newRow("refuse part 2") << "refuse-part 2" << Command("20 02 01") << QByteArray("20 02 44 00 00 00 00 00 00 00");
        QTest::newRow("EDID setting 0F") << "edid-setting 0F" << Command("03 0B") << QByteArray("03 0B 0F 00 00 00 00 00 00 00");
        QTest::newRow("input disconnected") << "input 2 off" << Command("01 04 02") << QByteArray("01 04 02 00 FF 00 00 00 00 00");
        QTest::newRow("output disconnected") << "output 4 off" << Command("01 05 04") << QByteArray("01 05 04 00 FF 00 00 00 00 00");
        QTest::newRow("copy refused") << "copy-refused on" << Command("03 04 01 00 02") << QByteArray("03 04 01 00 02 00 00 00 00 00");
        QByteArray block(290, 0);
        block.replace(1, 8, Hex("00 FF FF FF FF FF FF 00"));
        block[1 + 127] = 0x06; // a valid base block: the fault alone refuses it
        QTest::newRow("download fails")
            << "download-fails on" << Command("03 07 01 F0") + Command("03 07 56 00 00 01") + block
            << QByteArray("03 07 AA 00 00 00 00 00 00 00");
    }
    void faultsShowOnTheWire()
    {
        QFETCH(QString, fault);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        SimProcess sim({"--tcp", "127.0.64.1:8000", "--no-udp"});
        QVERIFY(sim.Started());
        QVERIFY(sim.Control(fault));
        RawTcp tcp;
        QVERIFY(tcp.Connect("127.0.64.1"));
        QCOMPARE(Body(tcp.Exchange(command)), reply);
        if (fault == "download-fails on")
            QCOMPARE(Body(tcp.Take(13)), QByteArray("03 07 FF 00 00 01 00 00 00 00"));
    }

    void timingAndStreamFaults()
    {
        SimProcess sim({"--tcp", "127.0.64.2:8000", "--no-udp"});
        QVERIFY(sim.Started());
        RawTcp tcp;
        QVERIFY(tcp.Connect("127.0.64.2"));

        // The dropped reply never comes: the first bytes answer the next query.
        QVERIFY(sim.Control("drop 02 01 1"));
        tcp.socket.write(Command("02 01 01"));
        QCOMPARE(Body(tcp.Exchange(Command("02 01 02"))), QByteArray("02 01 02 00 02 00 00 00 00 00"));

        QVERIFY(sim.Control("corrupt 1"));
        const QByteArray corrupted = tcp.Exchange(Command("02 01 01"));
        QCOMPARE(Body(corrupted), QByteArray("02 01 01 00 01 00 00 00 00 00"));
        QVERIFY(!IsFrameIntact(FrameOf(corrupted)));

        QVERIFY(sim.Control("delay 300"));
        QElapsedTimer elapsed;
        elapsed.start();
        QCOMPARE(tcp.Exchange(Command("02 01 01")).size(), qsizetype(13));
        QVERIFY(elapsed.elapsed() >= 300);
        QVERIFY(sim.Control("delay 0"));

        QVERIFY(sim.Control("split 1"));
        tcp.reads.clear();
        QCOMPARE(tcp.Exchange(Command("02 01 01")).size(), qsizetype(13));
        QVERIFY2(tcp.reads.size() >= 2, "a split reply arrives in several reads");

        QVERIFY(sim.Control("merge 1"));
        tcp.reads.clear();
        tcp.socket.write(Command("02 01 01"));
        QVERIFY(!tcp.socket.waitForReadyRead(300)); // held back for the next reply
        QCOMPARE(tcp.Exchange(Command("02 01 02"), 26).size(), qsizetype(26));
        QCOMPARE(tcp.reads.size(), 1);

        QVERIFY(sim.Control("standby"));
        QCOMPARE(tcp.Take(13), Hex("A5 5B 88 88 00 00 00 00 00 00 00 00 F0"));

        QVERIFY(sim.Control("close-tcp"));
        QVERIFY(tcp.socket.state() == QAbstractSocket::UnconnectedState || tcp.socket.waitForDisconnected(5000));
    }

    void unpluggedPseudoTerminalComesBack()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("matrix-tty");
        SimProcess sim({"--tcp", "127.0.64.3:8000", "--no-udp", "--pty-link", link});
        QVERIFY(sim.Started());
        const QString before = sim.LastLineStarting("pty ");
        {
            RawSerial serial(link);
            QVERIFY(serial.Write(Command("01 01")));
            QCOMPARE(serial.Read(13).size(), qsizetype(13));
            QVERIFY(sim.Control("close-pty"));
            bool hungUp = false;
            serial.Read(1, &hungUp);
            QVERIFY(hungUp);
        }
        QVERIFY(sim.WaitForLine("pty "));
        RawSerial again(link);
        QVERIFY(again.fd >= 0);
        QVERIFY(again.Write(Command("01 01")));
        QCOMPARE(Body(again.Read(13)), QByteArray("01 01 01 00 00 00 00 00 00 00"));
        QVERIFY(!before.isEmpty());
    }

    void randomBytesLeaveTheServersAnswering()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("matrix-tty");
        SimProcess sim({"--tcp", "127.0.64.4:8000", "--pty-link", link});
        QVERIFY(sim.Started());
        RawTcp tcp;
        QVERIFY(tcp.Connect("127.0.64.4"));
        tcp.socket.write(RandomBytes(1 << 20, 1));
        QVERIFY(tcp.socket.waitForBytesWritten(10000) || tcp.socket.bytesToWrite() == 0);
        while (tcp.socket.bytesToWrite() > 0)
            QVERIFY(tcp.socket.waitForBytesWritten(10000));
        // Stray replies to commands hidden in the noise may come first; a
        // query for output 4 is answered after them.
        QByteArray reply;
        tcp.socket.write(Hex("00 00 00") + Command("02 01 04"));
        for (int i = 0; i < 50 && !reply.contains(Hex("A5 5B 02 01 04 00 04")); ++i)
            reply += tcp.Take(13);
        QVERIFY(reply.contains(Hex("A5 5B 02 01 04 00 04")));

        RawSerial serial(link);
        QVERIFY(serial.Write(RandomBytes(1 << 20, 2)));
        QVERIFY(serial.Write(Hex("00 00 00") + Command("02 01 04")));
        QByteArray serialReply;
        for (int i = 0; i < 200 && !serialReply.contains(Hex("A5 5B 02 01 04 00 04")); ++i)
            serialReply += serial.Read(13);
        QVERIFY(serialReply.contains(Hex("A5 5B 02 01 04 00 04")));

        QUdpSocket garbage;
        garbage.writeDatagram(RandomBytes(500, 3), QHostAddress("127.255.255.255"), kSearchPort);
        garbage.writeDatagram(RandomBytes(76, 4), QHostAddress("127.255.255.255"), kNetConfigPort);
        QVERIFY(sim.Control("help"));
    }
};

QTEST_GUILESS_MAIN(TestSimServers)
#include "tst_sim_servers.moc"

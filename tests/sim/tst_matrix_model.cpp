#include "ControlCommand.h"
#include "MatrixModel.h"
#include "ReplyShaper.h"
#include "../support/HexFrames.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

const MacAddress kMac{0x02, 0x4D, 0x58, 0x53, 0x00, 0x01};
const Ipv4Address kIp{127, 0, 0, 1};

std::span<const std::uint8_t> SpanOf(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::size_t>(bytes.size())};
}

QByteArray ToBytes(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// A command frame from bytes 2..11 given in hex.
QByteArray Command(const QByteArray& body)
{
    return BytesOf([&] {
        CommandFrame frame = FrameOf(Hex("A5 5B") + QByteArray::fromHex(body));
        SealFrame(frame);
        return frame;
    }());
}

QList<QByteArray> Send(MatrixModel& model, const QByteArray& bytes, std::int64_t now = 0)
{
    QList<QByteArray> replies;
    for (const Bytes& reply : model.Receive(SpanOf(bytes), now))
        replies << ToBytes(reply);
    return replies;
}

// Bytes 2..11 of each reply, checking that each is a sealed frame.
QStringList Bodies(const QList<QByteArray>& replies)
{
    QStringList bodies;
    for (const QByteArray& reply : replies) {
        const CommandFrame frame = FrameOf(reply);
        if (reply.size() != 13 || !HasFrameHeader(frame) || !IsFrameIntact(frame))
            bodies << QStringLiteral("bad frame ") + reply.toHex(' ');
        else
            bodies << QString::fromLatin1(reply.mid(2, 10).toHex(' ').toUpper());
    }
    return bodies;
}

QByteArray ValidEdid(bool withExtension)
{
    QByteArray edid(256, 0);
    const QByteArray header = Hex("00 FF FF FF FF FF FF 00");
    edid.replace(0, 8, header);
    edid[8] = 0x12;
    edid[126] = withExtension ? 1 : 0;
    auto seal = [&](int from) {
        unsigned sum = 0;
        for (int i = from; i < from + 127; ++i)
            sum += static_cast<std::uint8_t>(edid[i]);
        edid[from + 127] = static_cast<char>((256 - sum % 256) % 256);
    };
    seal(0);
    if (withExtension) {
        edid[128] = 0x02;
        seal(128);
    }
    return edid;
}

QByteArray Packet(const QByteArray& data)
{
    QByteArray packet(257, 0);
    packet.replace(1, qMin<qsizetype>(256, data.size()), data.left(256));
    unsigned sum = 0;
    for (int i = 1; i < 257; ++i)
        sum += static_cast<std::uint8_t>(packet[i]);
    packet[0] = static_cast<char>((256 - sum % 256) % 256);
    return packet;
}

} // namespace

class TestMatrixModel : public QObject {
    Q_OBJECT
private slots:
    void answersEveryCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("replies");
        auto row = [](const char* name, const char* command, QStringList replies) {
            QTest::newRow(name) << QString::fromLatin1(command) << replies;
        };
        row("device type", "01 01 00 00 00 00 00 00 00 00", {"01 01 01 00 00 00 00 00 00 00"});
        row("device size", "01 02 00 00 00 00 00 00 00 00", {"01 02 04 00 04 00 00 00 00 00"});
        row("firmware version", "01 03 00 00 00 00 00 00 00 00", {"01 03 01 00 02 00 00 00 00 00"});
        row("input 2 state", "01 04 02 00 00 00 00 00 00 00", {"01 04 02 00 01 00 00 00 00 00"});
        row("output 4 state", "01 05 04 00 00 00 00 00 00 00", {"01 05 04 00 01 00 00 00 00 00"});
        row("output 6 not connected", "01 05 06 00 00 00 00 00 00 00", {"01 05 06 00 FF 00 00 00 00 00"});
        row("IR state", "01 0A 00 00 00 00 00 00 00 00", {"01 0A 00 00 00 00 00 00 00 00"});
        row("beep state", "01 0B 00 00 00 00 00 00 00 00", {"01 0B 00 00 00 00 00 00 00 00"});
        row("EDID status input 3", "01 0C 03 00 00 00 00 00 00 00", {"01 0C 03 00 03 00 00 00 00 00"});
        row("routing of output 3", "02 01 03 00 00 00 00 00 00 00", {"02 01 03 00 03 00 00 00 00 00"});
        row("switch 2 to output 3", "02 03 02 00 03 00 00 00 00 00", {"02 03 00 00 03 00 00 00 00 00"});
        row("preset 5 on all", "03 01 05 F0 00 00 00 00 00 00", {"03 01 00 00 00 00 00 00 00 00"});
        row("preset 7 on input 2", "03 02 07 F0 02 00 00 00 00 00", {"03 02 00 00 02 00 00 00 00 00"});
        row("copy output B to all", "03 03 02 00 00 00 00 00 00 00", {"03 03 00 00 00 00 00 00 00 00"});
        row("copy output A to input 4", "03 04 01 00 04 00 00 00 00 00", {"03 04 00 00 04 00 00 00 00 00"});
        row("download to all", "03 06 FE F0 00 00 00 00 00 00", {"03 06 AA 00 00 00 00 00 00 00"});
        row("download to input 2", "03 07 02 F0 00 00 00 00 00 00", {"03 07 AA 00 00 00 00 00 00 00"});
        row("EDID preparation", "03 08 F0 00 00 00 00 00 00 00", {"03 08 00 00 00 00 00 00 00 00"});
        row("default EDID all", "03 09 FE 00 00 00 00 00 00 00", {"03 09 00 00 00 00 00 00 00 00"});
        row("default EDID input 1", "03 0A 01 00 00 00 00 00 00 00", {"03 0A 01 00 00 00 00 00 00 00"});
        row("EDID setting", "03 0B 00 00 00 00 00 00 00 00", {"03 0B 00 00 00 00 00 00 00 00"});
        row("beep off", "06 01 F0 00 00 00 00 00 00 00", {"06 01 00 00 00 00 00 00 00 00"});
        row("beep on", "06 01 0F 00 00 00 00 00 00 00", {"06 01 00 00 00 00 00 00 00 00"});
        row("start part 1", "20 01 01 00 00 00 00 00 00 00", {"20 01 AA 00 00 00 00 00 00 00"});
        row("handshake 80", "20 01 80 00 00 00 00 00 00 00", {"20 01 00 00 00 00 00 00 00 00"});
        row("handshake 10", "20 01 10 00 00 00 00 00 00 00", {"20 01 00 00 00 00 00 00 00 00"});
        row("start part 2", "20 02 01 00 00 00 00 00 00 00", {"20 02 AA 00 00 00 00 00 00 00"});
        row("start part 3", "20 02 03 00 00 00 00 00 00 00", {"20 02 FE 00 00 00 00 00 00 00"});
        row("start part 4 has no answer", "20 04 01 00 00 00 00 00 00 00", {});
        row("unknown command ignored", "07 07 00 00 00 00 00 00 00 00", {});
        row("output 0 ignored", "02 01 00 00 00 00 00 00 00 00", {});
    }
    void answersEveryCommand()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, replies);
        MatrixModel model(kMac, kIp);
        QCOMPARE(Bodies(Send(model, Command(command.toLatin1()))), replies);
    }

    void stateFollowsCommands()
    {
        MatrixModel model(kMac, kIp);
        Send(model, Command("02 03 02 00 03"));
        Send(model, Command("03 02 07 F0 02"));
        Send(model, Command("03 04 02 00 04"));
        Send(model, Command("06 01 F0"));
        QCOMPARE(Bodies(Send(model, Command("02 01 03"))), QStringList{"02 01 03 00 02 00 00 00 00 00"});
        QCOMPARE(Bodies(Send(model, Command("01 0C 02"))), QStringList{"01 0C 02 00 06 00 00 00 00 00"});
        QCOMPARE(Bodies(Send(model, Command("01 0C 04"))), QStringList{"01 0C 04 00 10 00 00 00 00 00"});
        QCOMPARE(Bodies(Send(model, Command("01 0B"))), QStringList{"01 0B 00 00 FF 00 00 00 00 00"});
    }

    void commandsFramedAnyhowAreAnswered()
    {
        MatrixModel model(kMac, kIp);
        const QByteArray two = Command("02 01 01") + Hex("00 A5 11") + Command("02 01 02");
        QList<QByteArray> replies = Send(model, two.left(5));
        replies += Send(model, two.mid(5));
        QCOMPARE(Bodies(replies),
                 (QStringList{"02 01 01 00 01 00 00 00 00 00", "02 01 02 00 02 00 00 00 00 00"}));
        QByteArray corrupt = Command("02 01 01");
        corrupt[12] = static_cast<char>(corrupt[12] + 1);
        QVERIFY(Send(model, corrupt).isEmpty());
    }

    void faultsOfThePlan()
    {
        MatrixModel model(kMac, kIp);
        for (const char* line : {"drop 02 03 2", "corrupt 1", "input 3 off", "output 2 off",
                                 "edid-setting 0F", "copy-refused on", "refuse-part 2", "route 3 4"})
            QVERIFY2(ApplyControlLine(line, model).ok, line);
        QVERIFY(Send(model, Command("02 03 01 00 01")).isEmpty());
        QVERIFY(Send(model, Command("02 03 01 00 01")).isEmpty());
        const QList<QByteArray> corrupted = Send(model, Command("02 01 01"));
        QCOMPARE(corrupted.size(), 1);
        QVERIFY(!IsFrameIntact(FrameOf(corrupted[0])));
        QCOMPARE(Bodies(Send(model, Command("02 01 04"))), QStringList{"02 01 04 00 03 00 00 00 00 00"});
        QCOMPARE(Bodies(Send(model, Command("02 03 02 00 01"))), QStringList{"02 03 00 00 01 00 00 00 00 00"});
        QCOMPARE(Bodies(Send(model, Command("01 04 03"))), QStringList{"01 04 03 00 FF 00 00 00 00 00"});
        QCOMPARE(Bodies(Send(model, Command("01 05 02"))), QStringList{"01 05 02 00 FF 00 00 00 00 00"});
        QCOMPARE(Bodies(Send(model, Command("03 0B"))), QStringList{"03 0B 0F 00 00 00 00 00 00 00"});
        QCOMPARE(Bodies(Send(model, Command("03 04 01 00 02"))), QStringList{"03 04 01 00 02 00 00 00 00 00"});
        QCOMPARE(Bodies(Send(model, Command("20 02 01"))), QStringList{"20 02 44 00 00 00 00 00 00 00"});

        for (const char* bad : {"drop 2", "corrupt x", "input 9 off", "frobnicate", "refuse-part 7", "route 9 1"})
            QVERIFY2(!ApplyControlLine(bad, model).ok, bad);
        QCOMPARE(ApplyControlLine("close-pty", model).action, ServerAction::ClosePty);
    }

    void edidDownload_data()
    {
        QTest::addColumn<QByteArray>("edid");
        QTest::addColumn<bool>("failPlanned");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("status");
        QTest::newRow("valid with extension") << ValidEdid(true) << false << "03 07 00 00 00 01 00 00 00 00" << 0x20;
        QTest::newRow("valid base block") << ValidEdid(false) << false << "03 07 00 00 00 01 00 00 00 00" << 0x20;
        QByteArray badSum = ValidEdid(true);
        badSum[200] = static_cast<char>(badSum[200] + 1);
        QTest::newRow("extension checksum wrong") << badSum << false << "03 07 FF 00 00 01 00 00 00 00" << 3;
        QByteArray badHeader = ValidEdid(false);
        badHeader[0] = 1;
        QTest::newRow("header wrong") << badHeader << false << "03 07 FF 00 00 01 00 00 00 00" << 3;
        QTest::newRow("failure planned") << ValidEdid(false) << true << "03 07 FF 00 00 01 00 00 00 00" << 3;
    }
    void edidDownload()
    {
        QFETCH(QByteArray, edid);
        QFETCH(bool, failPlanned);
        QFETCH(QString, result);
        QFETCH(int, status);
        MatrixModel model(kMac, kIp);
        model.Faults().downloadFails = failPlanned;
        QCOMPARE(Bodies(Send(model, Command("03 07 02 F0 00"))), QStringList{"03 07 AA 00 00 00 00 00 00 00"});
        QVERIFY(Send(model, Command("03 07 56 00 00 01")).isEmpty());
        const QByteArray block = QByteArray(1, 0) + edid + QByteArray(33, 0);
        QVERIFY(Send(model, block.left(100)).isEmpty());
        QCOMPARE(Bodies(Send(model, block.mid(100))), QStringList{result});
        QCOMPARE(int(model.State().edidStatus[1]), status);
        QCOMPARE(int(model.State().edidStatus[0]), 3);
        // Back to commands after the block.
        QCOMPARE(Send(model, Command("01 01")).size(), 1);
    }

    // A two-part image as the controller sends it: part 2 in three packets,
    // a reboot, then part 1 in two packets after its handshake.
    void firmwareUpgradeOfTwoParts()
    {
        MatrixModel model(kMac, kIp);
        model.Faults().rebootMs = 1000;
        QByteArray part2(3 * 256, 0);
        QByteArray part1(2 * 256, 0);
        QRandomGenerator random(7);
        for (char& byte : part2)
            byte = static_cast<char>(random.bounded(256));
        for (char& byte : part1)
            byte = static_cast<char>(random.bounded(256));
        std::int64_t now = 0;
        auto transfer = [&](int part, const QByteArray& data, int packets) {
            for (int k = 0; k < packets; ++k) {
                const bool last = k == packets - 1 && k > 0;
                const QByteArray header =
                    last ? Command(QStringLiteral("20 0%1 56 00 FE 00 01 00 %2 00").arg(part).arg(k, 2, 16, QLatin1Char('0')).toLatin1())
                         : Command(QStringLiteral("20 0%1 AA 00 00 01 01 00 %2 00").arg(part).arg(k, 2, 16, QLatin1Char('0')).toLatin1());
                QVERIFY(Send(model, header, now).isEmpty());
                const QStringList replies = Bodies(Send(model, Packet(data.mid(k * 256, 256)), now += 100));
                const QString ack = QStringLiteral("20 0%1 00 00 00 01 01 00 %2 00").arg(part).arg(k, 2, 16, QLatin1Char('0')).toUpper();
                if (!last) {
                    QCOMPARE(replies, QStringList{ack});
                } else {
                    QCOMPARE(replies, (QStringList{ack, QStringLiteral("20 0%1 00 00 FE 00 01 00 00 00").arg(part)}));
                }
            }
        };
        QCOMPARE(Bodies(Send(model, Command("20 02 01"), now)), QStringList{"20 02 AA 00 00 00 00 00 00 00"});
        transfer(2, part2, 3);
        QVERIFY(model.Rebooting(now));
        QVERIFY(Send(model, Command("01 01"), now + 500).isEmpty());
        now += 1000;
        QCOMPARE(Bodies(Send(model, Command("01 01"), now)), QStringList{"01 01 01 00 00 00 00 00 00 00"});

        QCOMPARE(Bodies(Send(model, Command("20 01 01"), now)), QStringList{"20 01 AA 00 00 00 00 00 00 00"});
        QCOMPARE(Bodies(Send(model, Command("20 01 80"), now)), QStringList{"20 01 00 00 00 00 00 00 00 00"});
        QCOMPARE(Bodies(Send(model, Command("20 01 10"), now)), QStringList{"20 01 00 00 00 00 00 00 00 00"});
        transfer(1, part1, 2);
        QCOMPARE(ToBytes(model.Firmware().at(2)), part2);
        QCOMPARE(ToBytes(model.Firmware().at(1)), part1);

        // A packet whose checksum fails is not acknowledged.
        QVERIFY(Send(model, Command("20 02 01"), now += 5000).size() == 1);
        Send(model, Command("20 02 AA 00 00 01 01 00 00 00"), now);
        QByteArray broken = Packet(part2);
        broken[9] = static_cast<char>(broken[9] + 1);
        QVERIFY(Send(model, broken, now).isEmpty());
    }

    void staleRawBlockIsAbandoned()
    {
        MatrixModel model(kMac, kIp);
        Send(model, Command("03 07 01 F0"));
        Send(model, Command("03 07 56 00 00 01"), 0);
        Send(model, QByteArray(50, 0), 100);
        QCOMPARE(Bodies(Send(model, Command("02 01 01"), 5000)), QStringList{"02 01 01 00 01 00 00 00 00 00"});
    }

    void searchAndConfiguration()
    {
        MatrixModel model(kMac, kIp);
        const auto answer = DecodeSearchAnswer(model.SearchAnswer());
        QVERIFY(answer);
        QCOMPARE(model.SearchAnswer().size(), std::size_t(55));
        QVERIFY(answer->mac == kMac);
        QVERIFY(answer->ip == kIp);

        NetConfigRequest request;
        request.target = kMac;
        request.automatic = false;
        request.ip = {127, 0, 0, 77};
        request.newMac = {0x02, 0, 0, 0, 0, 0x77};
        const auto encoded = EncodeNetConfig(request);
        NetConfigRequest other = request;
        other.target[5] = 0x09;
        QVERIFY(!model.Configure(EncodeNetConfig(other)));
        const auto reply = model.Configure(encoded);
        QVERIFY(reply);
        QCOMPARE(reply->size(), std::size_t(76));
        QCOMPARE(int((*reply)[74]), 0);
        QVERIFY(DecodeNetConfig(*reply));
        QVERIFY((Ipv4Address{127, 0, 0, 77}) == model.State().ip);
        QVERIFY(request.newMac == model.State().mac);
        // Its own echo (byte 74 = 00) and garbage change nothing.
        QVERIFY(!model.Configure(*reply));
        QVERIFY(!model.Configure(Bytes(76, 0x33)));
    }

    void randomBytesLeaveItAnswering()
    {
        MatrixModel model(kMac, kIp);
        QRandomGenerator random(99);
        QByteArray noise(1 << 20, Qt::Uninitialized);
        for (char& byte : noise)
            byte = static_cast<char>(random.bounded(256));
        std::int64_t now = 0;
        for (qsizetype offset = 0; offset < noise.size(); offset += 4096)
            Send(model, noise.mid(offset, 4096), now += 10);
        QCOMPARE(Bodies(Send(model, Command("02 01 02"), now + 60000)),
                 QStringList{"02 01 02 00 02 00 00 00 00 00"});
    }

    void shaperDelaysSplitsAndMerges()
    {
        FaultPlan plan;
        ReplyShaper shaper;
        const Bytes a(13, 0xA), b(13, 0xB), c(13, 0xC);
        plan.delayMs = 40;
        plan.splitNext = 1;
        plan.mergeNext = 1;
        // a is held and goes out with b, split in three; c after it, delayed.
        std::vector<TimedWrite> writes = shaper.Shape({a, b, c}, plan);
        QCOMPARE(writes.size(), std::size_t(4));
        QCOMPARE(writes[0].delayMs, 40);
        QCOMPARE(writes[1].delayMs, ReplyShaper::kSplitPieceGapMs);
        Bytes joined;
        for (int i = 0; i < 3; ++i)
            joined.insert(joined.end(), writes[i].bytes.begin(), writes[i].bytes.end());
        Bytes expected = a;
        expected.insert(expected.end(), b.begin(), b.end());
        QVERIFY(joined == expected);
        QVERIFY(writes[3].bytes == c);
        QCOMPARE(plan.mergeNext + plan.splitNext, 0);
    }
};

QTEST_APPLESS_MAIN(TestMatrixModel)
#include "tst_matrix_model.moc"

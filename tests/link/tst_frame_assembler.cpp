#include "FrameAssembler.h"
#include "../support/HexFrames.h"

#include <QList>
#include <QRandomGenerator>
#include <QTest>

namespace {

struct Collector {
    QList<QByteArray> frames;
    QList<qsizetype> framesAfterRead;
    FrameAssembler assembler{[this](const CommandFrame& frame) { frames << BytesOf(frame); }};

    void Read(const QByteArray& bytes)
    {
        assembler.Push(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                 static_cast<std::size_t>(bytes.size())));
        framesAfterRead << frames.size();
    }
};

const QByteArray kSwitch = Hex("A5 5B 02 03 02 00 03 00 00 00 00 00 F6");
const QByteArray kQuery = Hex("A5 5B 02 01 03 00 00 00 00 00 00 00 FA");
const QByteArray kInput = Hex("A5 5B 01 04 01 00 FF 00 00 00 00 00 FB");

} // namespace

class TestFrameAssembler : public QObject {
    Q_OBJECT
private slots:
    void framing_data()
    {
        QTest::addColumn<QList<QByteArray>>("reads");
        QTest::addColumn<QList<QByteArray>>("frames");
        QTest::addColumn<QList<qsizetype>>("framesAfterRead");

        QTest::newRow("leading stray byte")
            << QList<QByteArray>{Hex("00") + kInput} << QList<QByteArray>{kInput}
            << QList<qsizetype>{1};
        QTest::newRow("A5 A5 5B: second A5 starts the frame")
            << QList<QByteArray>{Hex("A5") + kInput} << QList<QByteArray>{kInput}
            << QList<qsizetype>{1};
        QTest::newRow("bad second byte does not swallow the next frame")
            << QList<QByteArray>{Hex("A5 00") + kSwitch} << QList<QByteArray>{kSwitch}
            << QList<qsizetype>{1};
        QTest::newRow("split 7 + 6 over two reads")
            << QList<QByteArray>{kQuery.left(7), kQuery.mid(7)} << QList<QByteArray>{kQuery}
            << QList<qsizetype>{0, 1};
        QTest::newRow("two frames in one read")
            << QList<QByteArray>{kSwitch + kQuery} << QList<QByteArray>{kSwitch, kQuery}
            << QList<qsizetype>{2};
        QTest::newRow("garbage between frames")
            << QList<QByteArray>{kSwitch + Hex("11 A5 00 5B 22 5B"), kQuery}
            << QList<QByteArray>{kSwitch, kQuery} << QList<qsizetype>{1, 2};
        QTest::newRow("A5 inside a frame is data")
            << QList<QByteArray>{Hex("A5 5B 01 A5 A5 5B 00 00 00 00 00 00 00")}
            << QList<QByteArray>{Hex("A5 5B 01 A5 A5 5B 00 00 00 00 00 00 00")}
            << QList<qsizetype>{1};
        QTest::newRow("byte-by-byte reads")
            << [] {
                   QList<QByteArray> reads;
                   for (char byte : kInput)
                       reads << QByteArray(1, byte);
                   return reads;
               }()
            << QList<QByteArray>{kInput} << [] {
                   QList<qsizetype> counts(12, 0);
                   counts << 1;
                   return counts;
               }();
    }
    void framing()
    {
        QFETCH(QList<QByteArray>, reads);
        QFETCH(QList<QByteArray>, frames);
        QFETCH(QList<qsizetype>, framesAfterRead);
        Collector collector;
        for (const QByteArray& read : reads)
            collector.Read(read);
        QCOMPARE(collector.frames, frames);
        QCOMPARE(collector.framesAfterRead, framesAfterRead);
    }

    void resetDropsPartialFrame()
    {
        Collector collector;
        collector.Read(kSwitch.left(9));
        collector.assembler.Reset();
        collector.Read(kQuery);
        QCOMPARE(collector.frames, QList<QByteArray>{kQuery});
    }

    // Frames embedded in noise free of A5 all come through, in order and
    // intact; in any noise the buffer never holds more than a partial frame.
    void longRandomStream()
    {
        QRandomGenerator random(20261211);
        QByteArray stream;
        QList<QByteArray> embedded;
        for (int i = 0; i < 20000; ++i) {
            const int noise = random.bounded(0, 40);
            for (int n = 0; n < noise; ++n) {
                char byte = static_cast<char>(random.bounded(256));
                if (static_cast<std::uint8_t>(byte) == kFrameStart)
                    byte = 0x5B;
                stream.append(byte);
            }
            const QByteArray& frame = (i % 3 == 0) ? kSwitch : (i % 3 == 1) ? kQuery : kInput;
            embedded << frame;
            stream.append(frame);
        }
        Collector clean;
        qsizetype offset = 0;
        while (offset < stream.size()) {
            const qsizetype chunk = random.bounded(1, 1500);
            clean.Read(stream.mid(offset, chunk));
            QVERIFY(clean.assembler.Pending() < kFrameSize);
            offset += chunk;
        }
        QCOMPARE(clean.frames, embedded);

        Collector noisy;
        for (int i = 0; i < 2000; ++i) {
            QByteArray read(random.bounded(1, 1024), Qt::Uninitialized);
            for (char& byte : read)
                byte = static_cast<char>(random.bounded(256));
            noisy.Read(read);
            QVERIFY(noisy.assembler.Pending() < kFrameSize);
        }
        for (const QByteArray& frame : noisy.frames) {
            QCOMPARE(frame.size(), qsizetype(kFrameSize));
            QVERIFY(HasFrameHeader(FrameOf(frame)));
        }
        QVERIFY(!noisy.frames.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestFrameAssembler)
#include "tst_frame_assembler.moc"

#include "CommandFrame.h"
#include "FrameBuilder.h"
#include "../support/HexFrames.h"

#include <QTest>

Q_DECLARE_METATYPE(FrameLayout)

class TestCommandFrame : public QObject {
    Q_OBJECT
private slots:
    void checksumCompletesSumToZero_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("checksum");
        QTest::newRow("routing query output 3") << Hex("A5 5B 02 01 03 00 00 00 00 00 00 00") << 0xFA;
        QTest::newRow("input state 1, sum 0x200") << Hex("A5 5B 01 04 01 00 00 00 00 00 00 00") << 0xFA;
        QTest::newRow("switch 2 to output 3") << Hex("A5 5B 02 03 02 00 03 00 00 00 00 00") << 0xF6;
        QTest::newRow("standby") << Hex("A5 5B 88 88 00 00 00 00 00 00 00 00") << 0xF0;
        QTest::newRow("bytes summing to 0 mod 256") << Hex("A5 5B 00 00 00 00 00 00 00 00 00 00") << 0x00;
    }
    void checksumCompletesSumToZero()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, checksum);
        CommandFrame frame = FrameOf(body);
        QCOMPARE(FrameChecksum(frame), checksum);
        SealFrame(frame);
        QCOMPARE(frame[kChecksumIndex], checksum);
        QVERIFY(IsFrameIntact(frame));
    }

    void intactVerdict_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<bool>("intact");
        QTest::newRow("reply with FF parameter") << Hex("A5 5B 01 04 01 00 FF 00 00 00 00 00 FB") << true;
        // A signed-byte sum rejects these although their checksum byte is right.
        QTest::newRow("standby") << Hex("A5 5B 88 88 00 00 00 00 00 00 00 00 F0") << true;
        QTest::newRow("large parameters") << Hex("A5 5B 20 01 FE 80 80 80 00 00 00 00 61") << true;
        QTest::newRow("checksum off by one") << Hex("A5 5B 01 04 01 00 FF 00 00 00 00 00 FC") << false;
        QTest::newRow("corrupted parameter") << Hex("A5 5B 02 03 02 00 04 00 00 00 00 00 F6") << false;
    }
    void intactVerdict()
    {
        QFETCH(QByteArray, frame);
        QFETCH(bool, intact);
        QCOMPARE(IsFrameIntact(FrameOf(frame)), intact);
    }

    void headerAndStandby()
    {
        QVERIFY(HasFrameHeader(FrameOf(Hex("A5 5B 01"))));
        QVERIFY(!HasFrameHeader(FrameOf(Hex("A5 A5 5B"))));
        QVERIFY(!HasFrameHeader(FrameOf(Hex("5B A5"))));
        QVERIFY(IsStandbyFrame(FrameOf(Hex("A5 5B 88 88"))));
        QVERIFY(!IsStandbyFrame(FrameOf(Hex("A5 5B 88 01"))));
    }

    void builderPositions_data()
    {
        QTest::addColumn<FrameLayout>("layout");
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QByteArray>("frame");
        // Values 0x11.. show which position each caller value lands on.
        const QList<int> six{0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
        QTest::newRow("General 2,3,4") << FrameLayout::General << six.mid(0, 3)
                                       << Hex("A5 5B 11 22 33 00 00 00 00 00 00 00 9A");
        QTest::newRow("GeneralB6 2,3,4,6") << FrameLayout::GeneralB6 << six.mid(0, 4)
                                           << Hex("A5 5B 11 22 33 00 44 00 00 00 00 00 56");
        QTest::newRow("GeneralB5 2,3,4,5") << FrameLayout::GeneralB5 << six.mid(0, 4)
                                           << Hex("A5 5B 11 22 33 44 00 00 00 00 00 00 56");
        QTest::newRow("Matrix 2,3,4,6") << FrameLayout::Matrix << six.mid(0, 4)
                                        << Hex("A5 5B 11 22 33 00 44 00 00 00 00 00 56");
        QTest::newRow("Edid 2..6") << FrameLayout::Edid << six.mid(0, 5)
                                   << Hex("A5 5B 11 22 33 44 55 00 00 00 00 00 01");
        QTest::newRow("EdidHeader 2..6, 7=01") << FrameLayout::EdidHeader << six.mid(0, 5)
                                               << Hex("A5 5B 11 22 33 44 55 01 00 00 00 00 00");
        QTest::newRow("Upgrade 2,3,4,7,8,10") << FrameLayout::Upgrade << six
                                              << Hex("A5 5B 11 22 33 00 00 44 55 00 66 00 9B");
        QTest::newRow("UpgradeLastHeader 6=FE") << FrameLayout::UpgradeLastHeader << six
                                                << Hex("A5 5B 11 22 33 00 FE 44 55 00 66 00 9D");
        QTest::newRow("switch input 2 to output 3") << FrameLayout::Matrix << QList<int>{2, 3, 2, 3}
                                                    << Hex("A5 5B 02 03 02 00 03 00 00 00 00 00 F6");
        QTest::newRow("value above 255 keeps low 8 bits")
            << FrameLayout::General << QList<int>{0x101, 0x104, 0x201}
            << Hex("A5 5B 01 04 01 00 00 00 00 00 00 00 FA");
        QTest::newRow("-16 is sent as F0") << FrameLayout::Edid << QList<int>{3, 2, 4, -16, 1}
                                           << Hex("A5 5B 03 02 04 F0 01 00 00 00 00 00 06");
        QTest::newRow("upgrade packet header")
            << FrameLayout::Upgrade << QList<int>{0x20, 0x01, 0xAA, 0x01, 0x01, 7}
            << Hex("A5 5B 20 01 AA 00 00 01 01 00 07 00 2C");
    }
    void builderPositions()
    {
        QFETCH(FrameLayout, layout);
        QFETCH(QList<int>, values);
        QFETCH(QByteArray, frame);
        QCOMPARE(static_cast<qsizetype>(FrameLayoutArity(layout)), values.size());
        CommandFrame built{};
        switch (values.size()) {
        case 3:
            built = BuildFrame(layout, {values[0], values[1], values[2]});
            break;
        case 4:
            built = BuildFrame(layout, {values[0], values[1], values[2], values[3]});
            break;
        case 5:
            built = BuildFrame(layout, {values[0], values[1], values[2], values[3], values[4]});
            break;
        default:
            built = BuildFrame(layout,
                               {values[0], values[1], values[2], values[3], values[4], values[5]});
            break;
        }
        QCOMPARE(BytesOf(built).toHex(' '), frame.toHex(' '));
        QVERIFY(IsFrameIntact(built));
    }
};

QTEST_APPLESS_MAIN(TestCommandFrame)
#include "tst_command_frame.moc"

#include "../support/HexFrames.h"
#include "../support/PageFixture.h"

#include "CMatrixPage.h"
#include "DigitDisplay.h"
#include "FrameBuilder.h"
#include "SkinButton.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QByteArray Frame(std::initializer_list<int> bytes2to6)
{
    CommandFrame frame{kFrameStart, kFrameSecond};
    std::size_t i = 2;
    for (int value : bytes2to6)
        frame[i++] = static_cast<std::uint8_t>(value);
    SealFrame(frame);
    return BytesOf(frame);
}
QByteArray Switch(int input, int output) { return BytesOf(BuildFrame(FrameLayout::Matrix, {2, 3, input, output})); }
QByteArray Query(int output) { return BytesOf(BuildFrame(FrameLayout::Matrix, {2, 1, output, 0})); }
QByteArray SwitchReply(int output) { return Frame({2, 3, 0, 0, output}); }
QByteArray QueryReply(int output, int input) { return Frame({2, 1, output, 0, input}); }
QByteArray Corrupted(QByteArray frame)
{
    frame[12] = static_cast<char>(frame[12] + 1);
    return frame;
}

struct MatrixFixture : PageFixture {
    CMatrixPage page{context};
    QSignalSpy tabLocks{&page, &CLinkPage::tabLock};

    explicit MatrixFixture(Transport transport)
    {
        state.transport = transport;
        if (transport == Transport::Tcp) {
            state.tcpLinkOpen = state.sockConnected = true;
            page.matrixRxEnabled = true;
        } else {
            state.comConnected = true;
            state.comPortName = QStringLiteral("ttyUSB0");
            link.OpenSerial(state.comPortName);
        }
        link.SetReceiver(&page);
    }
    void Reply(const QByteArray& bytes)
    {
        if (state.IsTcp())
            link.FeedTcp(bytes);
        else
            link.FeedSerial(bytes);
    }
    QList<QByteArray> Sent() const
    {
        QList<QByteArray> frames;
        for (const auto& each : link.sent)
            frames << each.bytes;
        return frames;
    }
    void Press(int output, int input) { QTest::mouseClick(&page.Panel().InputButton(output, input), Qt::LeftButton); }
    void Step(int output, bool next) { QTest::mouseClick(&page.Panel().StepButton(output, next), Qt::LeftButton); }
    QList<int> Locks() const
    {
        QList<int> locks;
        for (const auto& args : tabLocks)
            locks << args.at(0).toInt();
        return locks;
    }
    // Routes input n to output k as a confirmed switch would.
    void Confirm(int output, int input)
    {
        page.routing.currentInput[static_cast<std::size_t>(output - 1)] = static_cast<std::uint8_t>(input);
    }
};

} // namespace

Q_DECLARE_METATYPE(Transport)

class TestMatrixPage : public QObject {
    Q_OBJECT
private slots:
    void panelAtCreation()
    {
        MatrixFixture f(Transport::Tcp);
        for (int output = 1; output <= 4; ++output) {
            QCOMPARE(f.page.Panel().Display(output).Text(), QStringLiteral("1"));
            for (int input = 1; input <= 4; ++input) {
                QCOMPARE(f.page.Panel().InputButton(output, input).text(), QString::number(input));
                QVERIFY(!f.page.Panel().InputButton(output, input).isChecked());
            }
        }
    }

    void switchSendsTheFrameAndTheReplyMarksIt_data()
    {
        QTest::addColumn<Transport>("transport");
        QTest::newRow("TCP") << Transport::Tcp;
        QTest::newRow("serial") << Transport::Serial;
    }
    void switchSendsTheFrameAndTheReplyMarksIt()
    {
        QFETCH(Transport, transport);
        MatrixFixture f(transport);
        f.Press(3, 2);
        QCOMPARE(f.Sent(), QList<QByteArray>{Hex("A5 5B 02 03 02 00 03 00 00 00 00 00 F6")});
        QCOMPARE(f.link.sent[0].transport, transport);
        QVERIFY(!f.page.Panel().InputButton(3, 2).isChecked());
        QVERIFY(f.page.routing.busy);
        QVERIFY(f.page.Timers().IsRunning(CMatrixPage::SwitchFirstTimer(3)));

        f.Reply(SwitchReply(3));
        QCOMPARE(f.page.Panel().Display(3).Text(), QStringLiteral("2"));
        QVERIFY(f.page.Panel().InputButton(3, 2).isChecked());
        QVERIFY(!f.page.Panel().InputButton(3, 1).isChecked());
        QVERIFY(!f.page.routing.busy);
        QCOMPARE(int(f.page.routing.currentInput[2]), 2);
        QCOMPARE(f.Locks(), QList<int>{0});
        QVERIFY(!f.page.Timers().IsRunning(CMatrixPage::SwitchFirstTimer(3)));

        // Pressing the marked input switches again; the mark stays.
        f.Press(3, 2);
        QCOMPARE(f.Sent().size(), 2);
        QVERIFY(f.page.Panel().InputButton(3, 2).isChecked());
    }

    void busyRefusesEveryPress()
    {
        MatrixFixture f(Transport::Tcp);
        f.page.routing.busy = true;
        f.page.ShowRouting(3, 1);
        f.Press(1, 2);
        f.Press(1, 3);
        f.Step(1, true);
        f.Step(2, false);
        QVERIFY(f.Sent().isEmpty());
        QVERIFY(f.page.Panel().InputButton(1, 3).isChecked());
        QVERIFY(!f.page.Panel().InputButton(1, 2).isChecked());
        QVERIFY(!f.messageShown());
    }

    void stepCyclesWithinOneToFour_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("next");
        QTest::addColumn<int>("requested");
        QTest::newRow("next of 4 is 1") << 4 << true << 1;
        QTest::newRow("previous of 1 is 4") << 1 << false << 4;
        QTest::newRow("next of 2 is 3") << 2 << true << 3;
        QTest::newRow("previous of 3 is 2") << 3 << false << 2;
        QTest::newRow("next of 5 is 1") << 5 << true << 1;
        QTest::newRow("next of 8 is 1") << 8 << true << 1;
        QTest::newRow("previous of 0 is 4") << 0 << false << 4;
    }
    void stepCyclesWithinOneToFour()
    {
        QFETCH(int, current);
        QFETCH(bool, next);
        QFETCH(int, requested);
        MatrixFixture f(Transport::Tcp);
        f.Confirm(2, current);
        f.Step(2, next);
        QCOMPARE(f.Sent(), QList<QByteArray>{Switch(requested, 2)});
        QCOMPARE(int(f.page.routing.requestedInput), requested);
    }

    void unansweredSwitchIsResentThenTimesOut()
    {
        MatrixFixture f(Transport::Tcp);
        f.popupState.animStep = 0;
        f.Press(2, 4);
        f.clock.Advance(2999);
        QCOMPARE(f.Sent().size(), 1);
        QVERIFY(!f.popups.Wait().isVisible());
        f.clock.Advance(1);
        QCOMPARE(f.Sent(), (QList<QByteArray>{Switch(4, 2), Switch(4, 2)}));
        QVERIFY(f.popups.Wait().isVisible());
        QCOMPARE(f.popups.Wait().LabelText(), QStringLiteral("Please wait . . ."));
        f.clock.Advance(500);
        QCOMPARE(f.popups.Wait().LabelText(), QStringLiteral("Please wait .    "));
        f.clock.Advance(4499);
        QVERIFY(!f.messageShown());
        f.clock.Advance(1);
        QVERIFY(!f.popups.Wait().isVisible());
        QCOMPARE(f.messageText(), QStringLiteral("Time out!"));
        QVERIFY(f.page.routing.busy);
        QVERIFY(f.tabLocks.isEmpty());
        f.clock.Advance(1499);
        QVERIFY(f.page.routing.busy);
        f.clock.Advance(1);
        QVERIFY(!f.messageShown());
        QVERIFY(!f.page.routing.busy);
        QCOMPARE(f.Locks(), QList<int>{0});
        QCOMPARE(f.Sent().size(), 2);
        QCOMPARE(f.page.Panel().Display(2).Text(), QStringLiteral("1"));
    }

    void replyDuringTheRetryClosesTheWaitPopup()
    {
        MatrixFixture f(Transport::Tcp);
        f.Press(1, 3);
        f.clock.Advance(3500);
        QVERIFY(f.popups.Wait().isVisible());
        f.Reply(SwitchReply(1));
        QVERIFY(!f.popups.Wait().isVisible());
        QVERIFY(!f.page.routing.busy);
        f.clock.Advance(10000);
        QVERIFY(!f.messageShown());
        QVERIFY(!f.popups.Wait().isVisible());
    }

    void corruptSwitchReplyIsResentOnce()
    {
        MatrixFixture f(Transport::Serial);
        f.Press(4, 3);
        f.Reply(Corrupted(SwitchReply(4)));
        QCOMPARE(f.Sent(), (QList<QByteArray>{Switch(3, 4), Switch(3, 4)}));
        QVERIFY(f.page.routing.busy);
        f.Reply(SwitchReply(4));
        QCOMPARE(f.page.Panel().Display(4).Text(), QStringLiteral("3"));
        QVERIFY(!f.page.routing.busy);
        QVERIFY(!f.page.routing.checksumRetried);
    }

    void twiceCorruptSwitchEndsWithTimeOut()
    {
        MatrixFixture f(Transport::Serial);
        f.Press(4, 3);
        f.Reply(Corrupted(SwitchReply(4)));
        f.Reply(Corrupted(SwitchReply(4)));
        QCOMPARE(f.Sent().size(), 2);
        QVERIFY(f.page.routing.busy);
        f.clock.Advance(5000);
        QCOMPARE(f.messageText(), QStringLiteral("Time out!"));
        f.clock.Advance(1500);
        QVERIFY(!f.page.routing.busy);
        QCOMPARE(f.Sent().size(), 2);
        QCOMPARE(f.page.Panel().Display(4).Text(), QStringLiteral("1"));
        // The next switch starts afresh.
        f.Press(4, 2);
        f.Reply(Corrupted(SwitchReply(4)));
        QCOMPARE(f.Sent().size(), 4);
    }

    void tcpRepliesAreNotChecksummed()
    {
        MatrixFixture f(Transport::Tcp);
        f.Press(1, 2);
        f.Reply(Corrupted(SwitchReply(1)));
        QVERIFY(!f.page.routing.busy);
        QCOMPARE(f.page.Panel().Display(1).Text(), QStringLiteral("2"));
    }

    void linkDownRefusesTheSwitch_data()
    {
        QTest::addColumn<Transport>("transport");
        QTest::addColumn<QString>("message");
        QTest::newRow("TCP") << Transport::Tcp << "Connect to Matrix failed!";
        QTest::newRow("serial") << Transport::Serial << "Open COM failed!";
    }
    void linkDownRefusesTheSwitch()
    {
        QFETCH(Transport, transport);
        QFETCH(QString, message);
        MatrixFixture f(transport);
        f.state.tcpLinkOpen = false;
        f.link.CloseSerial();
        f.Press(1, 2);
        QVERIFY(f.Sent().isEmpty());
        QCOMPARE(f.messageText(), message);
        QVERIFY(!f.page.routing.busy);
        f.clock.Advance(1500);
        QVERIFY(!f.messageShown());
    }

    void refreshQueriesOutputsOneToFour_data()
    {
        QTest::addColumn<Transport>("transport");
        QTest::newRow("TCP") << Transport::Tcp;
        QTest::newRow("serial") << Transport::Serial;
    }
    void refreshQueriesOutputsOneToFour()
    {
        QFETCH(Transport, transport);
        MatrixFixture f(transport);
        f.page.matrixRxEnabled = false;
        f.page.ActivatePage();
        QCOMPARE(f.page.matrixRxEnabled, transport == Transport::Tcp);
        QVERIFY(f.page.routing.busy);
        QCOMPARE(f.Sent(), QList<QByteArray>{Query(1)});
        const QList<int> routed{3, 1, 4, 2};
        for (int output = 1; output <= 4; ++output) {
            QVERIFY(f.page.Timers().IsRunning(CMatrixPage::QueryFirstTimer(output)));
            f.clock.Advance(output == 1 ? 2999 : 4999);
            QCOMPARE(f.Sent().size(), output);
            f.Reply(QueryReply(output, routed[output - 1]));
            QCOMPARE(f.page.Panel().Display(output).Text(), QString::number(routed[output - 1]));
            QVERIFY(f.page.Panel().IsChecked(output, routed[output - 1]));
            QVERIFY(!f.page.Timers().IsRunning(CMatrixPage::QueryFirstTimer(output)));
        }
        QCOMPARE(f.Sent(), (QList<QByteArray>{Query(1), Query(2), Query(3), Query(4)}));
        QVERIFY(!f.page.routing.busy);
        f.clock.Advance(20000);
        QCOMPARE(f.Sent().size(), 4);
        QVERIFY(!f.messageShown());
    }

    void unansweredQueryIsResentThenTimesOut()
    {
        MatrixFixture f(Transport::Tcp);
        f.page.ActivatePage();
        f.Reply(QueryReply(1, 2));
        f.clock.Advance(5000);
        QCOMPARE(f.Sent(), (QList<QByteArray>{Query(1), Query(2), Query(2)}));
        QCOMPARE(f.popups.Wait().LabelText(), QStringLiteral("Please wait . . ."));
        f.clock.Advance(5000);
        QCOMPARE(f.messageText(), QStringLiteral("Time out!"));
        QVERIFY(!f.popups.Wait().isVisible());
        QVERIFY(f.page.routing.busy);
        f.clock.Advance(1500);
        QVERIFY(!f.page.routing.busy);
        QCOMPARE(f.Sent().size(), 3);
    }

    void serialQueryRepliesOutsideOneToFourOnlyShow()
    {
        MatrixFixture f(Transport::Serial);
        f.page.ShowRouting(2, 1);
        f.Confirm(1, 2);
        f.page.ActivatePage();
        f.Reply(QueryReply(1, 0xFF));
        QCOMPARE(f.page.Panel().Display(1).Text(), QStringLiteral("-1"));
        QVERIFY(f.page.Panel().IsChecked(1, 2));
        QCOMPARE(int(f.page.routing.currentInput[0]), 2);
        QCOMPARE(f.Sent().last(), Query(2));
        f.Reply(QueryReply(2, 5));
        QCOMPARE(f.page.Panel().Display(2).Text(), QStringLiteral("5"));
        QCOMPARE(int(f.page.routing.currentInput[1]), 1);
    }

    void tcpQueryRepliesAreTakenWhateverTheirValue()
    {
        MatrixFixture f(Transport::Tcp);
        f.page.ShowRouting(2, 1);
        f.page.ActivatePage();
        f.Reply(QueryReply(1, 5));
        QCOMPARE(f.page.Panel().Display(1).Text(), QStringLiteral("5"));
        for (int input = 1; input <= 4; ++input)
            QVERIFY(!f.page.Panel().InputButton(1, input).isChecked());
        QVERIFY(f.page.Panel().IsChecked(1, 5));
        QCOMPARE(int(f.page.routing.currentInput[0]), 5);
        f.Reply(QueryReply(2, 0xC8));
        QCOMPARE(f.page.Panel().Display(2).Text(), QStringLiteral("200"));
    }

    void twoRepliesInOneTcpReadAreBothTaken()
    {
        MatrixFixture f(Transport::Tcp);
        f.page.ActivatePage();
        f.link.FeedTcp(QueryReply(1, 4) + QueryReply(2, 3));
        QCOMPARE(f.page.Panel().Display(1).Text(), QStringLiteral("4"));
        QCOMPARE(f.page.Panel().Display(2).Text(), QStringLiteral("3"));
        QCOMPARE(f.Sent().last(), Query(3));
    }

    void tcpDataIsIgnoredUntilTheRefreshEnablesIt()
    {
        MatrixFixture f(Transport::Tcp);
        f.page.matrixRxEnabled = false;
        f.Press(1, 2);
        f.Reply(SwitchReply(1));
        QVERIFY(f.page.routing.busy);
    }

    void standbyStopsEverything()
    {
        MatrixFixture f(Transport::Tcp);
        f.page.ActivatePage();
        f.clock.Advance(3500);
        QVERIFY(f.popups.Wait().isVisible());
        f.Reply(Frame({0x88, 0x88}));
        QVERIFY(!f.page.routing.busy);
        QVERIFY(!f.popups.Wait().isVisible());
        QCOMPARE(f.messageText(), QStringLiteral("Matrix is in standby mode!"));
        for (int id = 1; id <= 33; ++id)
            QVERIFY(!f.page.Timers().IsRunning(id));
        f.clock.Advance(2499);
        QVERIFY(f.messageShown());
        f.clock.Advance(1);
        QVERIFY(!f.messageShown());
        f.clock.Advance(20000);
        QCOMPARE(f.Sent().size(), 2);
        QVERIFY(!f.messageShown());
    }

    void switchReplyWithoutPendingSwitchCompletesThatOutput()
    {
        MatrixFixture f(Transport::Tcp);
        f.page.routing.requestedInput = 3;
        f.Reply(SwitchReply(2));
        QCOMPARE(f.page.Panel().Display(2).Text(), QStringLiteral("3"));
        QVERIFY(f.page.Panel().IsChecked(2, 3));
    }
};

QTEST_MAIN(TestMatrixPage)
#include "tst_matrix_page.moc"

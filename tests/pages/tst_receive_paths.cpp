#include "../support/HexFrames.h"
#include "../support/PageFixture.h"

#include "CEdidPage.h"
#include "CGeneralPage.h"
#include "CMatrixPage.h"
#include "CUpgradePage.h"

#include <QTest>

#include <array>

namespace {

// A page that records the frames its receive path hands on.
template <typename Page>
class Recording : public Page {
public:
    using Page::Page;
    QList<QByteArray> frames;

protected:
    void HandleFrame(const CommandFrame& frame) override { frames << BytesOf(frame); }
};

const QByteArray kReply = Hex("A5 5B 02 01 01 00 03 00 00 00 00 00 F7");
const QByteArray kOther = Hex("A5 5B 01 0A 00 00 00 00 00 00 00 00 F5");

enum class Via { Tcp, Serial };

} // namespace

Q_DECLARE_METATYPE(Via)
Q_DECLARE_METATYPE(Transport)
Q_DECLARE_METATYPE(PageId)

class TestReceivePaths : public QObject {
    Q_OBJECT
private slots:
    void pagesTakeFramesOnlyUnderTheirConditions_data()
    {
        QTest::addColumn<PageId>("page");
        QTest::addColumn<Transport>("transport");
        QTest::addColumn<Via>("via");
        QTest::addColumn<bool>("pageCondition"); // shown / matrixRxEnabled
        QTest::addColumn<int>("frames");
        QTest::newRow("General, TCP, shown") << PageId::General << Transport::Tcp << Via::Tcp << true << 2;
        QTest::newRow("General, TCP, not shown") << PageId::General << Transport::Tcp << Via::Tcp << false << 0;
        QTest::newRow("General, serial") << PageId::General << Transport::Serial << Via::Serial << true << 2;
        QTest::newRow("General, serial bytes in TCP mode") << PageId::General << Transport::Tcp << Via::Serial << true << 0;
        QTest::newRow("Matrix, TCP, enabled") << PageId::Matrix << Transport::Tcp << Via::Tcp << true << 2;
        QTest::newRow("Matrix, TCP, not enabled") << PageId::Matrix << Transport::Tcp << Via::Tcp << false << 0;
        QTest::newRow("Matrix, serial") << PageId::Matrix << Transport::Serial << Via::Serial << false << 2;
        QTest::newRow("Upgrade, TCP") << PageId::Upgrade << Transport::Tcp << Via::Tcp << true << 2;
        QTest::newRow("Upgrade, TCP bytes in serial mode") << PageId::Upgrade << Transport::Serial << Via::Tcp << true << 0;
        QTest::newRow("Upgrade, serial bytes in TCP mode") << PageId::Upgrade << Transport::Tcp << Via::Serial << true << 0;
        QTest::newRow("EDID, TCP") << PageId::Edid << Transport::Tcp << Via::Tcp << true << 2;
        QTest::newRow("EDID, serial") << PageId::Edid << Transport::Serial << Via::Serial << true << 2;
    }
    void pagesTakeFramesOnlyUnderTheirConditions()
    {
        QFETCH(PageId, page);
        QFETCH(Transport, transport);
        QFETCH(Via, via);
        QFETCH(bool, pageCondition);
        QFETCH(int, frames);
        PageFixture f;
        f.state.transport = transport;
        f.state.currentPage = pageCondition ? page : PageId::Edid;
        Recording<CGeneralPage> general(f.context);
        Recording<CEdidPage> edid(f.context);
        Recording<CMatrixPage> matrix(f.context);
        Recording<CUpgradePage> upgrade(f.context);
        matrix.matrixRxEnabled = pageCondition;
        const std::array<std::pair<CLinkPage*, QList<QByteArray>*>, 4> pages{
            {{&general, &general.frames}, {&edid, &edid.frames}, {&matrix, &matrix.frames}, {&upgrade, &upgrade.frames}}};
        const auto [shown, received] = pages[static_cast<std::size_t>(page) - 1];
        f.link.SetReceiver(shown);
        auto feed = [&](const QByteArray& bytes) {
            if (via == Via::Tcp)
                f.link.FeedTcp(bytes);
            else
                f.link.FeedSerial(bytes);
        };
        // Two frames in one read with a stray byte before them, then a split frame.
        feed(Hex("00") + kReply + kOther.left(7));
        feed(kOther.mid(7));
        QCOMPARE(received->size(), frames);
        if (frames == 2)
            QCOMPARE(*received, (QList<QByteArray>{kReply, kOther}));
        for (auto* other : {&general.frames, &edid.frames, &matrix.frames, &upgrade.frames}) {
            if (other != received)
                QVERIFY(other->isEmpty());
        }
    }
};

QTEST_MAIN(TestReceivePaths)
#include "tst_receive_paths.moc"

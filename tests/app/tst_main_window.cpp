#include "../support/ShellFixture.h"

#include "CAboutBox.h"
#include "CEdidPage.h"
#include "CGeneralPage.h"
#include "CMatrixPage.h"
#include "CUpgradePage.h"
#include "SkinButton.h"
#include "TabLabel.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(PageId)

namespace {
void DeliverPosted()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void chrome()
    {
        ShellFixture f;
        QVERIFY(f.window.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(f.window.TitleStrip().text(), QStringLiteral("Varnholt"));
        QCOMPARE(f.window.CloseButton().toolTip(), QStringLiteral("Close"));
        QCOMPARE(f.window.MinimizeButton().toolTip(), QStringLiteral("Minimize"));
        const QStringList names{"General", "EDID", "Matrix", "FW Upgrade"};
        const QList<PageId> pages{PageId::General, PageId::Edid, PageId::Matrix, PageId::Upgrade};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(f.window.Tab(pages[i]).text(), names[i]);
            QCOMPARE(f.window.Tab(pages[i]).cursor().shape(), Qt::PointingHandCursor);
            QCOMPARE(f.window.Tab(pages[i]).IsSelected(), i == 0);
            QVERIFY(!f.window.TabButton(pages[i]).isVisible());
        }
        QVERIFY(!f.window.GeneralPage().isHidden());
        QVERIFY(f.window.MatrixPage().isHidden());
    }

    void tabPressRefusedWhileBusyOrUpgrading_data()
    {
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("upgrading");
        QTest::newRow("routing busy") << true << false;
        QTest::newRow("upgrading") << false << true;
    }
    void tabPressRefusedWhileBusyOrUpgrading()
    {
        QFETCH(bool, busy);
        QFETCH(bool, upgrading);
        ShellFixture f;
        f.window.MatrixPage().routing.busy = busy;
        f.window.UpgradePage().upgrade.upgrading = upgrading;
        QTest::mousePress(&f.window.Tab(PageId::Edid), Qt::LeftButton);
        QCOMPARE(f.window.SelectedTab(), PageId::General);
        QCOMPARE(f.state.currentPage, PageId::General);
        QVERIFY(f.window.EdidPage().isHidden());
        QVERIFY(!f.window.Timers().IsRunning(CMainDlg::kActivateEdidTimer));

        f.window.MatrixPage().routing.busy = false;
        f.window.UpgradePage().upgrade.upgrading = false;
        QTest::mousePress(&f.window.Tab(PageId::Edid), Qt::LeftButton);
        QCOMPARE(f.window.SelectedTab(), PageId::Edid);
        QCOMPARE(f.state.currentPage, PageId::Edid);
        QVERIFY(f.window.Tab(PageId::Edid).IsSelected());
        QVERIFY(!f.window.Tab(PageId::General).IsSelected());
        QVERIFY(!f.window.EdidPage().isHidden());
        QVERIFY(f.window.GeneralPage().isHidden());
    }

    void tcpWithoutLinkShowsMessageAndNeverActivates()
    {
        ShellFixture f;
        f.state.transport = Transport::Tcp;
        f.window.SelectTab(PageId::Matrix);
        QVERIFY(!f.window.MatrixPage().isHidden());
        QVERIFY(f.messageShown());
        QVERIFY(f.popupState.popupShown);
        QCOMPARE(f.messageText(), QStringLiteral("Connect to Matrix failed!"));
        f.clock.Advance(1499);
        QVERIFY(f.messageShown());
        f.clock.Advance(1);
        QVERIFY(!f.messageShown());
        QVERIFY(!f.popupState.popupShown);
        f.clock.Advance(10000);
        QVERIFY(!f.messageShown());
        QVERIFY(!f.window.MatrixPage().matrixRxEnabled);
        QVERIFY(f.link.connectCalls.isEmpty());
    }

    void serialActivationRuns150msAfterTheSwitch()
    {
        ShellFixture f;
        f.window.SelectTab(PageId::Edid);
        f.clock.Advance(149);
        QVERIFY(!f.messageShown());
        f.clock.Advance(1);
        QVERIFY(f.messageShown());
        QCOMPARE(f.messageText(), QStringLiteral("Open COM failed!"));
        QCOMPARE(f.link.Receiver(), &f.window.EdidPage());
        f.clock.Advance(1500);
        QVERIFY(!f.messageShown());
    }

    void switchingAwayCancelsThePendingActivation()
    {
        ShellFixture f;
        f.ConnectTcp();
        f.window.SelectTab(PageId::Matrix);
        f.clock.Advance(100);
        f.window.SelectTab(PageId::Edid);
        f.clock.Advance(1000);
        QVERIFY(!f.window.MatrixPage().matrixRxEnabled);
    }

    void tcpSwitchKeepsALiveConnection()
    {
        ShellFixture f;
        f.ConnectTcp();
        f.window.SelectTab(PageId::Matrix);
        QVERIFY(f.link.connectCalls.isEmpty());
        QCOMPARE(f.link.Receiver(), &f.window.MatrixPage());
        QVERIFY(!f.window.MatrixPage().matrixRxEnabled);
        f.clock.Advance(150);
        QVERIFY(f.window.MatrixPage().matrixRxEnabled);
        QVERIFY(!f.messageShown());
    }

    // After the matrix dropped the connection, any tab press connects again
    // and the activation waits for that connection's outcome.
    void tcpSwitchReconnectsADroppedConnection_data()
    {
        QTest::addColumn<int>("resultAfterMs"); // -1: never
        QTest::addColumn<bool>("connected");
        QTest::addColumn<int>("messageAfterMs"); // -1: no message
        QTest::newRow("connects after the activation") << 400 << true << -1;
        QTest::newRow("connects before the activation") << 100 << true << -1;
        QTest::newRow("refused after the activation") << 700 << false << 700;
        QTest::newRow("no answer within 3 s") << -1 << false << 150 + 3000;
    }
    void tcpSwitchReconnectsADroppedConnection()
    {
        QFETCH(int, resultAfterMs);
        QFETCH(bool, connected);
        QFETCH(int, messageAfterMs);
        ShellFixture f;
        f.ConnectTcp(QStringLiteral("127.0.0.9"));
        f.link.DropConnection();
        f.window.SelectTab(PageId::Matrix);
        QCOMPARE(f.link.connectCalls, QStringList{"127.0.0.9"});
        for (int ms = 1; ms <= 4000; ++ms) {
            f.clock.Advance(1);
            if (ms == resultAfterMs)
                f.link.FinishConnect(connected);
            if (messageAfterMs < 0 || ms < messageAfterMs)
                QVERIFY2(!f.messageShown(), qPrintable(QString::number(ms)));
            else if (ms == messageAfterMs)
                QCOMPARE(f.messageText(), QStringLiteral("Connect to Matrix failed!"));
        }
        QCOMPARE(f.window.MatrixPage().matrixRxEnabled, connected);
        if (!connected)
            return;
        // Pressing the tab of the page shown connects again as well (once the
        // refresh this activation started, unanswered here, is out of the way).
        f.window.MatrixPage().routing.busy = false;
        f.link.DropConnection();
        f.window.SelectTab(PageId::Matrix);
        QCOMPARE(f.link.connectCalls.size(), 2);
    }

    void showPageResetsThePageFlags_data()
    {
        QTest::addColumn<PageId>("page");
        QTest::newRow("General") << PageId::General;
        QTest::newRow("EDID") << PageId::Edid;
        QTest::newRow("Matrix") << PageId::Matrix;
        QTest::newRow("FW Upgrade") << PageId::Upgrade;
    }
    void showPageResetsThePageFlags()
    {
        QFETCH(PageId, page);
        ShellFixture f;
        auto& general = f.window.GeneralPage();
        auto& edid = f.window.EdidPage();
        auto& matrix = f.window.MatrixPage();
        auto& upgrade = f.window.UpgradePage().upgrade;
        general.statusRepliesBlocked = general.reopenComOnStatus = false;
        edid.replyMask = false;
        matrix.matrixRxEnabled = true;
        upgrade = {false, true, true, false};
        f.window.ShowPage(page);
        QCOMPARE(f.state.currentPage, page);
        QCOMPARE(general.statusRepliesBlocked, page == PageId::General);
        QCOMPARE(general.reopenComOnStatus, page == PageId::General);
        QCOMPARE(edid.replyMask, page == PageId::Edid);
        QVERIFY(!matrix.matrixRxEnabled);
        QCOMPARE(upgrade.upgradeMode, page != PageId::Upgrade);
        QCOMPARE(upgrade.refreshSent, page != PageId::Upgrade);
        QVERIFY(upgrade.pageChanged);
    }

    void tabLockIsPostedAndLeavesLabelPressesAlone()
    {
        ShellFixture f;
        emit f.window.MatrixPage().tabLock(1);
        QVERIFY(f.window.TabButton(PageId::Edid).isEnabled());
        DeliverPosted();
        for (PageId page : {PageId::General, PageId::Edid, PageId::Matrix, PageId::Upgrade})
            QVERIFY(!f.window.TabButton(page).isEnabled());
        QTest::mousePress(&f.window.Tab(PageId::Edid), Qt::LeftButton);
        QCOMPARE(f.window.SelectedTab(), PageId::Edid);

        f.window.PostTabLock(7);
        DeliverPosted();
        QVERIFY(!f.window.TabButton(PageId::Edid).isEnabled());
        f.window.PostTabLock(0);
        DeliverPosted();
        QVERIFY(f.window.TabButton(PageId::Edid).isEnabled());
    }

    void serialFailureDropsTheComConnection()
    {
        ShellFixture f;
        f.state.comConnected = true;
        f.window.PostShellRequest(2);
        DeliverPosted();
        QVERIFY(f.state.comConnected);
        f.window.PostShellRequest(3);
        DeliverPosted();
        QVERIFY(!f.state.comConnected);
    }

    void searchAfterConfigurationFindsNothing()
    {
        ShellFixture f;
        auto& config = f.popups().Config();
        QSignalSpy search(&f.window, &CMainDlg::searchMatrixRequested);
        f.window.PostShellRequest(1);
        DeliverPosted();
        QVERIFY(config.isVisible());
        QCOMPARE(config.LabelText(), QStringLiteral("Configuring . . ."));
        f.clock.Advance(3000);
        f.window.PostNetConfigResult(1);
        DeliverPosted();
        QVERIFY(f.popupState.configOk);
        QCOMPARE(config.LabelText(), QStringLiteral("Matrix configuration completed successfully!"));
        f.clock.Advance(1999);
        QCOMPARE(config.LabelText(), QStringLiteral("Matrix configuration completed successfully!"));
        f.clock.Advance(1);
        QCOMPARE(config.LabelText(), QStringLiteral("Searching Matrix IP . . ."));
        f.clock.Advance(499);
        QCOMPARE(search.count(), 0);
        f.clock.Advance(1);
        QCOMPARE(search.count(), 1);
        f.clock.Advance(4999);
        QCOMPARE(config.LabelText(), QStringLiteral("Searching Matrix IP . . ."));
        f.clock.Advance(1);
        QCOMPARE(config.LabelText(), QStringLiteral("Search Matrix IP failed!"));
        f.clock.Advance(499);
        QVERIFY(config.isVisible());
        f.clock.Advance(1);
        QVERIFY(!config.isVisible());
        // The dialog's own 10-second path was stopped by the outcome.
        f.clock.Advance(20000);
        QVERIFY(!config.isVisible());
        QCOMPARE(search.count(), 1);
    }

    void searchAnswerClosesTheDialogAtOnce()
    {
        ShellFixture f;
        auto& config = f.popups().Config();
        f.window.OnShellRequest(1);
        f.window.OnNetConfigResult(1);
        f.clock.Advance(2500 + 1000);
        f.window.PostNetConfigResult(2);
        DeliverPosted();
        QVERIFY(!config.isVisible());
        QVERIFY(!f.window.Timers().IsRunning(CMainDlg::kSearchGiveUpTimer));
        // A late second answer or outcome shows nothing.
        f.window.OnNetConfigResult(2);
        f.window.OnNetConfigResult(1);
        f.clock.Advance(20000);
        QVERIFY(!config.isVisible());
        QVERIFY(!f.messageShown());
    }

    void enterEscapeAndSpaceAreSwallowedExceptInTheAboutBox()
    {
        ShellFixture f;
        f.window.show();
        auto* button = new QPushButton(QStringLiteral("probe"), &f.window.GeneralPage());
        button->show();
        QSignalSpy clicked(button, &QPushButton::clicked);
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(button, key);
        QCOMPARE(clicked.count(), 0);
        button->click();
        QCOMPARE(clicked.count(), 1);

        f.window.ShowAboutBox();
        QVERIFY(f.window.AboutBox().isVisible());
        QTest::keyClick(&f.window.AboutBox(), Qt::Key_Escape);
        QVERIFY(!f.window.AboutBox().isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"

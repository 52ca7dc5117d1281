#include "../support/ShellFixture.h"

#include <QTest>

namespace {

// A page that opens popups on request, as every page does.
class ProbePage : public CLinkPage {
public:
    using CLinkPage::CLinkPage;
    using CLinkPage::CloseWaitPopup;
    using CLinkPage::OpenWaitPopup;
    using CLinkPage::ShowMessage;
    void ActivatePage() override {}
};

} // namespace

class TestPopups : public QObject {
    Q_OBJECT
private slots:
    void messageIsCentredOnTheMainWindow()
    {
        ShellFixture f;
        f.popupState.mainClientRect = QRect(100, 50, 501, 400);
        f.popups().OpenMessage(QStringLiteral("Time out!"));
        const QWidget& popup = f.popups().Message();
        QCOMPARE(popup.x(), 100 + (501 - popup.width()) / 2);
        QCOMPARE(popup.y(), 50 + (400 - popup.height()) / 2);
    }

    void secondMessageKeepsTheFirstTextAndTheCallersTimerClosesIt()
    {
        ShellFixture f;
        ProbePage page({f.link, f.popups(), f.clock, f.settings}, PageId::Edid);
        page.ShowMessage(QStringLiteral("Open COM failed!"));
        f.clock.Advance(1000);
        page.ShowMessage(QStringLiteral("Time out!"), 2500);
        QCOMPARE(f.messageText(), QStringLiteral("Open COM failed!"));
        QCOMPARE(f.popupState.popupText, QStringLiteral("Time out!"));
        f.clock.Advance(2499);
        QVERIFY(f.messageShown());
        f.clock.Advance(1);
        QVERIFY(!f.messageShown());
        QVERIFY(!f.popupState.popupShown);
        // Closed, the popup takes the next text.
        page.ShowMessage(QStringLiteral("Time out!"));
        QCOMPARE(f.messageText(), QStringLiteral("Time out!"));
    }

    // The animation step is shared, so a page continues where another stopped.
    void waitPopupAnimatesWithTheSharedStep()
    {
        ShellFixture f;
        PageContext context{f.link, f.popups(), f.clock, f.settings};
        ProbePage edid(context, PageId::Edid);
        ProbePage matrix(context, PageId::Matrix);
        auto label = [&] { return f.popups().Wait().LabelText(); };

        f.popupState.animStep = 3;
        edid.OpenWaitPopup(WaitFamily::Setting);
        QVERIFY(f.popups().Wait().isVisible());
        QVERIFY(f.popupState.waitShown);
        QCOMPARE(label(), QStringLiteral("Setting . . ."));
        QStringList seen;
        for (int tick = 0; tick < 4; ++tick) {
            f.clock.Advance(500);
            seen << label();
        }
        QCOMPARE(seen, (QStringList{"Setting .    ", "Setting . .  ", "Setting . . .", "Setting .    "}));
        QCOMPARE(f.popupState.animText, QStringLiteral("Setting .    "));
        edid.CloseWaitPopup();
        QVERIFY(!f.popups().Wait().isVisible());
        QVERIFY(!f.popupState.waitShown);
        f.clock.Advance(5000);
        QCOMPARE(f.popupState.animStep, 1);

        matrix.OpenWaitPopup(WaitFamily::PleaseWait);
        QCOMPARE(label(), QStringLiteral("Please wait . . ."));
        f.clock.Advance(500);
        QCOMPARE(label(), QStringLiteral("Please wait . .  "));
        matrix.CloseWaitPopup();
    }

    void waitTextsOfEveryFamilyHaveOneLength_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("verb");
        QTest::newRow("Setting") << int(WaitFamily::Setting) << "Setting";
        QTest::newRow("Copying") << int(WaitFamily::Copying) << "Copying";
        QTest::newRow("Downloading") << int(WaitFamily::Downloading) << "Downloading";
        QTest::newRow("Getting status") << int(WaitFamily::GettingStatus) << "Getting status";
        QTest::newRow("Please wait") << int(WaitFamily::PleaseWait) << "Please wait";
    }
    void waitTextsOfEveryFamilyHaveOneLength()
    {
        QFETCH(int, family);
        QFETCH(QString, verb);
        const auto kind = static_cast<WaitFamily>(family);
        QCOMPARE(WaitText(kind, 1), verb + " .    ");
        QCOMPARE(WaitText(kind, 2), verb + " . .  ");
        QCOMPARE(WaitText(kind, 3), verb + " . . .");
    }

    void configuringDialogGivesUpAfterTenSeconds()
    {
        ShellFixture f;
        auto& config = f.popups().Config();
        f.popupState.configOk = false;
        config.Open(f.popupState.mainClientRect);
        QCOMPARE(config.LabelText(), QStringLiteral("Configuring . . ."));
        QStringList dots;
        for (int tick = 0; tick < 4; ++tick) {
            f.clock.Advance(500);
            dots << config.LabelText();
        }
        QCOMPARE(dots, (QStringList{"Configuring . .  ", "Configuring . . .", "Configuring .    ",
                                    "Configuring . .  "}));
        f.clock.Advance(8000);
        QCOMPARE(config.LabelText(), QStringLiteral("configure failed!"));
        f.clock.Advance(1999);
        QVERIFY(config.isVisible());
        QCOMPARE(config.LabelText(), QStringLiteral("configure failed!"));
        f.clock.Advance(1);
        QVERIFY(!config.isVisible());

        // Reopened, the dots go on where they stopped; a confirmed
        // configuration is reported and the confirmation used up.
        config.Open(f.popupState.mainClientRect);
        f.clock.Advance(500);
        QCOMPARE(config.LabelText(), QStringLiteral("Configuring . . ."));
        f.popupState.configOk = true;
        f.clock.Advance(9500);
        QCOMPARE(config.LabelText(), QStringLiteral("Matrix configuration completed successfully!"));
        QVERIFY(!f.popupState.configOk);
        f.clock.Advance(2000);
        QVERIFY(!config.isVisible());
    }

    void finalTextStopsTheAnimationAndTheTimeOut()
    {
        ShellFixture f;
        auto& config = f.popups().Config();
        config.Open(f.popupState.mainClientRect);
        config.SetFinalText(QStringLiteral("Searching Matrix IP . . ."));
        f.clock.Advance(15000);
        QVERIFY(config.isVisible());
        QCOMPARE(config.LabelText(), QStringLiteral("Searching Matrix IP . . ."));
    }
};

QTEST_MAIN(TestPopups)
#include "tst_popups.moc"

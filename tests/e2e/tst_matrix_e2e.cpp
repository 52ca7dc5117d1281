#include "../support/RealController.h"

#include "DigitDisplay.h"
#include "LampLabel.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSwitchTwoToC = QStringLiteral("A5 5B 02 03 02 00 03 00 00 00 00 00 F6");
const QString kSwitchFourToC = QStringLiteral("A5 5B 02 03 04 00 03 00 00 00 00 00 F4");

QString DisplayedInput(RealController& controller, int output)
{
    return controller.Matrix().Panel().Display(output).Text();
}

} // namespace

class TestMatrixEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void routingOverTcpAndSerial_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::newRow("TCP") << false;
        QTest::newRow("pseudo-terminal") << true;
    }
    void routingOverTcpAndSerial()
    {
        QFETCH(bool, serial);
        QTemporaryDir dir;
        const QString tty = dir.filePath("matrix-tty");
        const QString ip = serial ? QStringLiteral("127.0.67.2") : QStringLiteral("127.0.67.1");
        SimProcess sim({"--tcp", ip + ":8000", "--no-udp", "--pty-link", tty, "--verbose", "--fault",
                        "route 3 1", "--fault", "route 4 2", "--fault", "route 1 3", "--fault", "route 2 4"});
        QVERIFY(sim.Started());
        SimLog log{sim, {}};
        const QString channel = serial ? QStringLiteral("<- pty ") : QStringLiteral("<- tcp ");
        RealController controller({tty});
        CGeneralPage& general = controller.General();
        if (serial) {
            general.ScanComPorts();
            general.PortList().setCurrentIndex(general.PortList().findText(tty));
            QTest::mouseClick(&general.ComButton(), Qt::LeftButton);
            QVERIFY(general.ComLamp().IsLit());
        } else {
            QTest::mouseClick(&general.TcpModeRadio(), Qt::LeftButton);
            general.MatrixIpList().setEditText(ip);
            QTest::mouseClick(&general.TcpButton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(general.TcpLamp().IsLit(), 5000);
        }

        controller.window->SelectTab(PageId::Matrix);
        QTRY_COMPARE_WITH_TIMEOUT(DisplayedInput(controller, 4), QStringLiteral("2"), 5000);
        QCOMPARE(DisplayedInput(controller, 1), QStringLiteral("3"));
        QCOMPARE(DisplayedInput(controller, 2), QStringLiteral("4"));
        QCOMPARE(DisplayedInput(controller, 3), QStringLiteral("1"));
        QVERIFY(controller.Matrix().Panel().InputButton(1, 3).isChecked());
        QTRY_VERIFY_WITH_TIMEOUT(!controller.Matrix().routing.busy, 5000);

        QTest::mouseClick(&controller.Matrix().Panel().InputButton(3, 2), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(DisplayedInput(controller, 3), QStringLiteral("2"), 5000);
        QVERIFY(controller.Matrix().Panel().InputButton(3, 2).isChecked());
        QVERIFY(!controller.Matrix().Panel().InputButton(3, 1).isChecked());
        QCOMPARE(log.Count(channel + kSwitchTwoToC), 1);

        // The matrix loses the first reply: the switch completes after the resend.
        QVERIFY(sim.Control("drop 02 03 1"));
        QTest::mouseClick(&controller.Matrix().Panel().InputButton(3, 4), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(DisplayedInput(controller, 3), QStringLiteral("4"), 8000);
        QVERIFY(controller.Matrix().Panel().InputButton(3, 4).isChecked());
        QCOMPARE(log.Count(channel + kSwitchFourToC), 2);
        QVERIFY(!controller.Matrix().routing.busy);
        QTRY_VERIFY_WITH_TIMEOUT(!controller.window->Popups().Wait().isVisible(), 2000);
    }
};

QTEST_MAIN(TestMatrixEndToEnd)
#include "tst_matrix_e2e.moc"

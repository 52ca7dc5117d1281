#include "CGeneralPage.h"

#include "LampLabel.h"
#include "UserTexts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString kConnect = QStringLiteral("Connect");
const QString kDisconnect = QStringLiteral("Disconnect");
} // namespace

void CGeneralPage::ScanComPorts()
{
    Timers().Stop(kScanPortsTimer);
    const QStringList names = PageLink().AvailablePorts();
    QStringList shown;
    for (int i = 0; i < portList_->count(); ++i)
        shown << portList_->itemText(i);
    if (names != shown) {
        // The chosen port stays chosen while it is present; otherwise the
        // first port is.
        const QString current = portList_->currentText();
        portList_->clear();
        portList_->addItems(names);
        portList_->setCurrentIndex(std::max<int>(0, static_cast<int>(names.indexOf(current))));
    }
    Timers().Start(kScanPortsTimer, kScanPortsMs);
}

void CGeneralPage::ToggleComLink()
{
    State().lineSettings = LineSettings{};
    if (comLinkOpen_) {
        State().comConnected = false;
        comLinkOpen_ = false;
        PageLink().CloseSerial();
        ShowComLink(false);
        Timers().Start(kScanPortsTimer, kScanPortsMs);
        return;
    }
    const QString name = portList_->currentText();
    if (name.isEmpty()) {
        ShowMessage(UserTexts::kOpenComFailed);
        return;
    }
    State().comPortName = name;
    if (!PageLink().OpenSerial(name)) {
        ShowMessage(UserTexts::kOpenComFailed);
        return;
    }
    Timers().Stop(kScanPortsTimer);
    comLinkOpen_ = true;
    State().comConnected = true;
    ShowComLink(true);
    SendGeneralCommand(0x01, 0x0A, 0x00);
}

void CGeneralPage::ShowComLink(bool open)
{
    comButton_->setText(open ? kDisconnect : kConnect);
    comLamp_->SetLit(open);
    portList_->setEnabled(!open && !State().IsTcp());
}

void CGeneralPage::ToggleTcpLink()
{
    statusRepliesBlocked = true;
    if (State().sockConnected || tcpCheckPending_) {
        tcpCheckPending_ = false;
        Timers().Stop(kTcpConnectCheckTimer);
        PageLink().CloseTcp();
        State().tcpLinkOpen = false;
        ShowTcpLink(false);
        return;
    }
    State().matrixIp = ipList_->currentText().trimmed();
    PageLink().SetReceiver(this);
    tcpCheckPending_ = true;
    Timers().Start(kTcpConnectCheckTimer, kTcpConnectCheckMs);
    PageLink().ConnectTcp(State().matrixIp);
}

void CGeneralPage::FinishTcpCheck(bool connected)
{
    tcpCheckPending_ = false;
    Timers().Stop(kTcpConnectCheckTimer);
    State().tcpLinkOpen = connected;
    ShowTcpLink(connected);
    if (connected)
        SendGeneralCommand(0x01, 0x0A, 0x00);
    else
        ShowMessage(UserTexts::kConnectToMatrixFailed, kTcpFailedMessageMs);
}

void CGeneralPage::ShowTcpLink(bool open)
{
    tcpButton_->setText(open ? kDisconnect : kConnect);
    tcpLamp_->SetLit(open);
}

void CGeneralPage::SelectSerialMode()
{
    if (!State().comConnected)
        Timers().Start(kScanPortsTimer, kScanPortsMs);
    State().transport = Transport::Serial;
    for (QWidget* control : std::initializer_list<QWidget*>{comGroup_, portLabel_, comButton_})
        control->setEnabled(true);
    portList_->setEnabled(!State().comConnected);
    for (QWidget* control : std::initializer_list<QWidget*>{tcpGroup_, ipList_, tcpButton_, ipLabel_})
        control->setEnabled(false);
}

void CGeneralPage::SelectTcpMode()
{
    State().transport = Transport::Tcp;
    for (QWidget* control : std::initializer_list<QWidget*>{comGroup_, portLabel_, portList_, comButton_})
        control->setEnabled(false);
    for (QWidget* control : std::initializer_list<QWidget*>{tcpGroup_, ipList_, tcpButton_, ipLabel_})
        control->setEnabled(true);
}

void CGeneralPage::ChooseMatrix()
{
    State().matrixIp = ipList_->currentText().trimmed();
    tcpCheckPending_ = false;
    Timers().Stop(kTcpConnectCheckTimer);
    PageLink().CloseTcp();
    State().tcpLinkOpen = false;
    ShowTcpLink(false);
}

#pragma once

#include "LinkPage.h"

class LampLabel;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// First page: connection control, device status and device settings.
class CGeneralPage : public CLinkPage {
    Q_OBJECT
public:
    static constexpr int kScanPortsTimer = 66;
    static constexpr int kScanPortsMs = 500;
    static constexpr int kTcpConnectCheckTimer = 47;
    // How long a TCP Connect waits for the matrix before it reports failure.
    static constexpr int kTcpConnectCheckMs = 3000;
    static constexpr int kTcpFailedMessageMs = 1000;

    explicit CGeneralPage(PageContext context, QWidget* parent = nullptr);

    void ActivatePage() override;

    // The serial link failed: the page returns to its disconnected state.
    void OnLinkLost();

    void ScanComPorts();
    void ToggleComLink();
    void ToggleTcpLink();
    void SelectSerialMode();
    void SelectTcpMode();
    // A matrix address chosen in the list: the TCP link must be made again.
    void ChooseMatrix();

    void SendGeneralCommand(int group, int command, int parameter);

    // Status replies over TCP are ignored while set; set on every TCP connect
    // and whenever the main window shows this page.
    bool statusRepliesBlocked = true;
    // The next Status press over the serial link opens the port again.
    bool reopenComOnStatus = false;

    QRadioButton& ComModeRadio() const { return *comMode_; }
    QRadioButton& TcpModeRadio() const { return *tcpMode_; }
    QComboBox& PortList() const { return *portList_; }
    QComboBox& MatrixIpList() const { return *ipList_; }
    QPushButton& ComButton() const { return *comButton_; }
    QPushButton& TcpButton() const { return *tcpButton_; }
    LampLabel& ComLamp() const { return *comLamp_; }
    LampLabel& TcpLamp() const { return *tcpLamp_; }

protected:
    bool AcceptsTcpBytes() const override;
    void OnPageTimer(int id) override;

private:
    void BuildConnectionColumn();
    void ShowComLink(bool open);
    void ShowTcpLink(bool open);
    void FinishTcpCheck(bool connected);

    QGroupBox* modeGroup_ = nullptr;
    QRadioButton* comMode_ = nullptr;
    QRadioButton* tcpMode_ = nullptr;
    QGroupBox* comGroup_ = nullptr;
    QLabel* portLabel_ = nullptr;
    QComboBox* portList_ = nullptr;
    LampLabel* comLamp_ = nullptr;
    QPushButton* comButton_ = nullptr;
    QGroupBox* tcpGroup_ = nullptr;
    QLabel* ipLabel_ = nullptr;
    QComboBox* ipList_ = nullptr;
    LampLabel* tcpLamp_ = nullptr;
    QPushButton* tcpButton_ = nullptr;

    // The page's own COM link is open.
    bool comLinkOpen_ = false;
    bool tcpCheckPending_ = false;
};

#include "CGeneralPage.h"

#include "UserTexts.h"

CGeneralPage::CGeneralPage(PageContext context, QWidget* parent)
    : CLinkPage(context, PageId::General, parent)
{
    BuildConnectionColumn();
    connect(&PageLink(), &Link::tcpConnectFinished, this, [this](bool connected) {
        if (tcpCheckPending_)
            FinishTcpCheck(connected);
    });
    ScanComPorts();
}

void CGeneralPage::ActivatePage()
{
    if (!State().IsTcp() && !State().comConnected)
        Timers().Start(kScanPortsTimer, kScanPortsMs);
    // The General page sends no query of its own when it is shown.
    CheckLinkThen([] {});
}

void CGeneralPage::OnLinkLost()
{
    comLinkOpen_ = true;
    ToggleComLink();
}

bool CGeneralPage::AcceptsTcpBytes() const
{
    return State().currentPage == PageId::General;
}

void CGeneralPage::OnPageTimer(int id)
{
    switch (id) {
    case kScanPortsTimer:
        ScanComPorts();
        break;
    case kTcpConnectCheckTimer:
        // Nothing came back in time: give the attempt up.
        PageLink().CloseTcp();
        FinishTcpCheck(false);
        break;
    default:
        break;
    }
}

void CGeneralPage::SendGeneralCommand(int group, int command, int parameter)
{
    SendCommand(FrameLayout::General, {group, command, parameter});
}

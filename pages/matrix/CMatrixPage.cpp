#include "CMatrixPage.h"

#include "UserTexts.h"

#include <QVBoxLayout>

CMatrixPage::CMatrixPage(PageContext context, QWidget* parent)
    : CLinkPage(context, PageId::Matrix, parent), panel_(new CrosspointPanel(this))
{
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(panel_);
    connect(panel_, &CrosspointPanel::inputPressed, this, &CMatrixPage::SelectInput);
    connect(panel_, &CrosspointPanel::stepPressed, this, &CMatrixPage::StepInput);
}

void CMatrixPage::SendMatrixCommand(int group, int command, int parameter, int output)
{
    SendCommand(FrameLayout::Matrix, {group, command, parameter, output});
}

void CMatrixPage::ShowRouting(int input, int output)
{
    panel_->ShowRouting(input, output);
}

void CMatrixPage::HandleFrame(const CommandFrame& frame)
{
    if (IsStandbyFrame(frame)) {
        OnStandby();
        return;
    }
    if (frame[2] != 0x02)
        return;
    const bool isPort4 = frame[4] >= 1 && frame[4] <= kRoutingPorts;
    const bool isPort6 = frame[6] >= 1 && frame[6] <= kRoutingPorts;
    if (frame[3] == 0x01 && isPort4)
        OnQueryReply(frame[4], frame[6]);
    else if (frame[3] == 0x03 && frame[4] == 0x00 && isPort6)
        CompleteSwitch(frame[6], State().IsTcp() || IsFrameIntact(frame));
}

void CMatrixPage::OnPageTimer(int id)
{
    if (id >= SwitchFirstTimer(1) && id <= SwitchFinalTimer(kRoutingPorts)) {
        if (id % 2 == 1)
            OnSwitchFirstTimeout((id + 1) / 2);
        else
            EndWithTimeOut();
    } else if (id >= QueryFirstTimer(1) && id <= QueryFinalTimer(kRoutingPorts)) {
        if (id % 2 == 0)
            OnQueryFirstTimeout((id - 16) / 2);
        else
            EndWithTimeOut();
    }
}

void CMatrixPage::EndWithTimeOut()
{
    CloseWaitPopup();
    ShowMessage(UserTexts::kTimeOut, kMessageMs, [this] {
        routing.busy = false;
        emit tabLock(0);
    });
}

void CMatrixPage::OnStandby()
{
    ShowStandby();
    routing.busy = false;
}

void CMatrixPage::ShowConfirmed(int output, std::uint8_t input)
{
    routing.requestedInput = input;
    ShowRouting(input, output);
    routing.currentInput[static_cast<std::size_t>(output - 1)] = input;
}

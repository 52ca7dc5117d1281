#include "CMatrixPage.h"

#include "UserTexts.h"

void CMatrixPage::SelectInput(int output, int input)
{
    RequestSwitch(output, input);
}

void CMatrixPage::StepInput(int output, bool next)
{
    const auto current = static_cast<std::int8_t>(routing.currentInput[static_cast<std::size_t>(output - 1)]);
    int input = 0;
    if (next)
        input = current < kShownPorts ? current + 1 : 1;
    else
        input = current > 1 ? current - 1 : kShownPorts;
    RequestSwitch(output, input);
}

bool CMatrixPage::RequestSwitch(int output, int input)
{
    if (routing.busy)
        return false;
    const bool linkUp = State().IsTcp() ? State().tcpLinkOpen : PageLink().IsSerialOpen();
    if (!linkUp) {
        ShowMessage(State().IsTcp() ? UserTexts::kConnectToMatrixFailed : UserTexts::kOpenComFailed);
        return false;
    }
    routing.busy = true;
    routing.requestedInput = static_cast<std::uint8_t>(input);
    SendMatrixCommand(0x02, 0x03, input, output);
    Timers().Start(SwitchFirstTimer(output), kSwitchFirstMs);
    return true;
}

void CMatrixPage::ResendSwitch(int output)
{
    SendMatrixCommand(0x02, 0x03, routing.requestedInput, output);
}

void CMatrixPage::OnSwitchFirstTimeout(int output)
{
    ResendSwitch(output);
    Timers().Start(SwitchFinalTimer(output), kSwitchFinalMs);
    OpenWaitPopup(WaitFamily::PleaseWait);
}

void CMatrixPage::CompleteSwitch(int output, bool intact)
{
    CloseWaitPopup();
    Timers().Stop(SwitchFirstTimer(output));
    Timers().Stop(SwitchFinalTimer(output));
    const bool checked = !State().IsTcp() && output <= kShownPorts;
    if (checked && !intact) {
        // Resent once; a second corrupt answer, or none, ends the switch
        // with its final time-out instead of leaving the panel busy.
        if (!routing.checksumRetried)
            ResendSwitch(output);
        routing.checksumRetried = !routing.checksumRetried;
        Timers().Start(SwitchFinalTimer(output), kSwitchFinalMs);
        return;
    }
    panel_->SetDisplay(output, QString::number(routing.requestedInput));
    routing.busy = false;
    routing.currentInput[static_cast<std::size_t>(output - 1)] = routing.requestedInput;
    ShowRouting(routing.requestedInput, output);
    if (checked)
        routing.checksumRetried = false;
    if (State().IsTcp() || checked)
        emit tabLock(0);
}

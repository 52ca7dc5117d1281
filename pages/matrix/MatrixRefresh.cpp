#include "CMatrixPage.h"

#include "UserTexts.h"

void CMatrixPage::ActivatePage()
{
    CheckLinkThen([this] {
        if (State().IsTcp())
            matrixRxEnabled = true;
        else
            State().lineSettings.stopBits = 2;
        SendQuery(1, kFirstQueryMs);
        routing.busy = true;
    });
}

void CMatrixPage::SendQuery(int output, int firstTimeoutMs)
{
    SendMatrixCommand(0x02, 0x01, output, 0x00);
    Timers().Start(QueryFirstTimer(output), firstTimeoutMs);
}

void CMatrixPage::OnQueryFirstTimeout(int output)
{
    SendMatrixCommand(0x02, 0x01, output, 0x00);
    Timers().Start(QueryFinalTimer(output), kQueryFinalMs);
    OpenWaitPopup(WaitFamily::PleaseWait);
}

void CMatrixPage::OnQueryReply(int output, std::uint8_t input)
{
    CloseWaitPopup();
    Timers().Stop(QueryFirstTimer(output));
    Timers().Stop(QueryFinalTimer(output));
    const bool lastShown = output == kShownPorts;
    const bool lastOfAll = output == kRoutingPorts;
    if (State().IsTcp()) {
        panel_->SetDisplay(output, QString::number(input));
        ShowConfirmed(output, input);
        if (output < kShownPorts)
            emit tabLock(routing.busy ? 1 : 0);
        if (lastShown || lastOfAll) {
            routing.busy = false;
            if (lastOfAll)
                emit tabLock(0);
            return;
        }
        SendQuery(output + 1, kNextQueryMs);
        return;
    }
    // Over the serial link only a plausible input is taken as the routing.
    panel_->SetDisplay(output, QString::number(static_cast<std::int8_t>(input)));
    const bool plausible = input >= 1 && input <= kShownPorts;
    if (plausible)
        ShowConfirmed(output, input);
    if (lastShown) {
        routing.busy = false;
        return;
    }
    if (lastOfAll) {
        if (plausible) {
            routing.busy = false;
            emit tabLock(0);
        }
        return;
    }
    SendQuery(output + 1, kNextQueryMs);
}

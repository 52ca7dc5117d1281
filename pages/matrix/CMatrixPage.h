#pragma once

#include "CrosspointPanel.h"
#include "LinkPage.h"
#include "RoutingState.h"

// Third page: routing inputs to outputs, and the routing refresh that shows
// what the matrix does each time the page is entered.
class CMatrixPage : public CLinkPage {
    Q_OBJECT
public:
    // Timers: a switch for output k uses 2k-1 (first reply time-out) and 2k
    // (final); the refresh query for output k uses 16+2k and 17+2k.
    static constexpr int SwitchFirstTimer(int output) { return 2 * output - 1; }
    static constexpr int SwitchFinalTimer(int output) { return 2 * output; }
    static constexpr int QueryFirstTimer(int output) { return 16 + 2 * output; }
    static constexpr int QueryFinalTimer(int output) { return 17 + 2 * output; }
    static constexpr int kMessageTimerMatrix = 59;
    static constexpr int kSwitchFirstMs = 3000;
    static constexpr int kSwitchFinalMs = 5000;
    static constexpr int kFirstQueryMs = 3000;
    static constexpr int kNextQueryMs = 5000;
    static constexpr int kQueryFinalMs = 5000;

    explicit CMatrixPage(PageContext context, QWidget* parent = nullptr);

    // The routing refresh: queries outputs 1 to 4 in turn.
    void ActivatePage() override;

    // The single switch of input n to output k.
    void SelectInput(int output, int input);
    // The previous or next input of output k, cycling within 1..4.
    void StepInput(int output, bool next);
    void ShowRouting(int input, int output);
    // A switch reply for output k; `intact` is the checksum verdict (serial).
    void CompleteSwitch(int output, bool intact);
    void SendMatrixCommand(int group, int command, int parameter, int output);

    CrosspointPanel& Panel() const { return *panel_; }

    RoutingState routing;
    // TCP data is interpreted only while set; the main window clears it on
    // every tab change.
    bool matrixRxEnabled = false;

protected:
    int MessageTimerId() const override { return kMessageTimerMatrix; }
    bool AcceptsTcpBytes() const override { return matrixRxEnabled && State().IsTcp(); }
    void HandleFrame(const CommandFrame& frame) override;
    void OnPageTimer(int id) override;

private:
    bool RequestSwitch(int output, int input);
    void ResendSwitch(int output);
    void OnSwitchFirstTimeout(int output);
    void SendQuery(int output, int firstTimeoutMs);
    void OnQueryReply(int output, std::uint8_t input);
    void OnQueryFirstTimeout(int output);
    // Ends the outstanding switch or refresh with "Time out!"; the panel is
    // free again once the message has closed.
    void EndWithTimeOut();
    void OnStandby();
    void ShowConfirmed(int output, std::uint8_t input);

    CrosspointPanel* panel_;
};

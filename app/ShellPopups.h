#pragma once

#include "CConfigProgressDlg.h"
#include "CMessagePopup.h"
#include "CWaitPopup.h"
#include "PopupHost.h"

// The program's one message popup, wait popup and configuring dialog, shared
// by every window.
class ShellPopups : public PopupHost {
public:
    ShellPopups(PopupState& state, TimerHostFactory& timers, QWidget* parent);

    void OpenMessage(const QString& text) override;
    void CloseMessage() override;
    void OpenWait(const QString& text) override;
    void RefreshWait() override;
    void CloseWait() override;

    CMessagePopup& Message() { return message_; }
    CWaitPopup& Wait() { return wait_; }
    CConfigProgressDlg& Config() { return config_; }

private:
    CMessagePopup message_;
    CWaitPopup wait_;
    CConfigProgressDlg config_;
};

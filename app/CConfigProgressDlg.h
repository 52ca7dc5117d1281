#pragma once

#include "PopupHost.h"
#include "PopupWindow.h"
#include "TimerHost.h"

#include <memory>

// Progress of a network configuration of the matrix and of the search that
// follows it. Gives up by itself 10 s after opening unless told the outcome.
class CConfigProgressDlg : public PopupWindow {
    Q_OBJECT
public:
    static constexpr int kAnimationTimer = 1;
    static constexpr int kAnimationMs = 500;
    static constexpr int kGiveUpTimer = 3;
    static constexpr int kGiveUpMs = 10000;
    static constexpr int kCloseTimer = 4;
    static constexpr int kCloseMs = 2000;

    CConfigProgressDlg(PopupState& state, TimerHostFactory& timers, QWidget* parent);

    void Open(const QRect& mainClientRect);
    // Stops the dot animation and the 10-second time-out and shows `text`.
    void SetFinalText(const QString& text);
    void Close();

    TimerHost& Timers() { return *timers_; }

private:
    void OnTimer(int id);
    void Animate();
    void GiveUp();

    PopupState& state_;
    std::unique_ptr<TimerHost> timers_;
};

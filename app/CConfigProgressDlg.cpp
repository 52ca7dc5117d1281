#include "CConfigProgressDlg.h"

#include "UserTexts.h"

CConfigProgressDlg::CConfigProgressDlg(PopupState& state, TimerHostFactory& timers,
                                       QWidget* parent)
    : PopupWindow({QSize(168, 55), QRect(1, 23, 166, 9), 5, 210}, parent), state_(state),
      timers_(timers.CreateTimerHost())
{
    timers_->SetCallback([this](int id) { OnTimer(id); });
}

void CConfigProgressDlg::Open(const QRect& mainClientRect)
{
    SetLabelText(UserTexts::kConfiguring);
    timers_->Start(kAnimationTimer, kAnimationMs);
    timers_->Start(kGiveUpTimer, kGiveUpMs);
    CentreOn(mainClientRect);
    show();
}

void CConfigProgressDlg::SetFinalText(const QString& text)
{
    timers_->Stop(kAnimationTimer);
    timers_->Stop(kGiveUpTimer);
    SetLabelText(text);
}

void CConfigProgressDlg::Close()
{
    // A pending close of this showing must not close the next one.
    timers_->Stop(kAnimationTimer);
    timers_->Stop(kGiveUpTimer);
    timers_->Stop(kCloseTimer);
    hide();
}

void CConfigProgressDlg::OnTimer(int id)
{
    switch (id) {
    case kAnimationTimer:
        Animate();
        break;
    case kGiveUpTimer:
        GiveUp();
        break;
    case kCloseTimer:
        Close();
        break;
    default:
        break;
    }
}

void CConfigProgressDlg::Animate()
{
    switch (state_.configAnimStep) {
    case 1:
        SetLabelText(QStringLiteral("Configuring . .  "));
        state_.configAnimStep = 2;
        break;
    case 2:
        SetLabelText(QStringLiteral("Configuring . . ."));
        state_.configAnimStep = 3;
        break;
    default:
        SetLabelText(QStringLiteral("Configuring .    "));
        state_.configAnimStep = 1;
        break;
    }
    timers_->Start(kAnimationTimer, kAnimationMs);
}

void CConfigProgressDlg::GiveUp()
{
    timers_->Stop(kAnimationTimer);
    if (state_.configOk) {
        state_.configOk = false;
        SetLabelText(UserTexts::kConfigurationCompleted);
    } else {
        SetLabelText(UserTexts::kConfigureFailed);
    }
    timers_->Start(kCloseTimer, kCloseMs);
}

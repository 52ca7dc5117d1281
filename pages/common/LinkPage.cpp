#include "LinkPage.h"

#include "UserTexts.h"

#include <utility>

CLinkPage::CLinkPage(PageContext context, PageId id, QWidget* parent)
    : QWidget(parent), link_(context.link), popups_(context.popups), id_(id),
      timers_(context.timers.CreateTimerHost()),
      assembler_([this](const CommandFrame& frame) { HandleFrame(frame); })
{
    timers_->SetCallback([this](int timerId) { OnTimer(timerId); });
    connect(&link_, &Link::tcpConnectFinished, this, &CLinkPage::FinishLinkWait);
}

CLinkPage::~CLinkPage()
{
    if (link_.Receiver() == this)
        link_.SetReceiver(nullptr);
}

void CLinkPage::RebindSocket()
{
    link_.SetReceiver(this);
    if (!State().sockConnected && !link_.TcpConnecting())
        link_.ConnectTcp(State().matrixIp);
}

void CLinkPage::OnTcpBytes(QByteArrayView bytes)
{
    if (!AcceptsTcpBytes())
        return;
    assembler_.Push(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                              static_cast<std::size_t>(bytes.size())));
}

void CLinkPage::OnSerialBytes(QByteArrayView bytes)
{
    if (State().IsTcp())
        return;
    assembler_.Push(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                              static_cast<std::size_t>(bytes.size())));
}

void CLinkPage::CheckLinkThen(std::function<void()> ready)
{
    if (!State().IsTcp()) {
        // The port is the operator's: it stays open across pages, and is
        // opened again here only if it closed.
        const bool open = State().comConnected &&
                          (link_.IsSerialOpen() || link_.OpenSerial(State().comPortName));
        if (open)
            ready();
        else
            ShowMessage(UserTexts::kOpenComFailed);
        return;
    }
    if (State().sockConnected) {
        ready();
        return;
    }
    if (link_.TcpConnecting()) {
        waitingForLink_ = std::move(ready);
        timers_->Start(kConnectWaitTimer, kConnectWaitMs);
        return;
    }
    ShowMessage(UserTexts::kConnectToMatrixFailed);
}

void CLinkPage::FinishLinkWait(bool connected)
{
    if (!waitingForLink_)
        return;
    timers_->Stop(kConnectWaitTimer);
    auto ready = std::exchange(waitingForLink_, nullptr);
    // A page the operator has left since does not act on the result.
    if (link_.Receiver() != this)
        return;
    if (connected)
        ready();
    else
        ShowMessage(UserTexts::kConnectToMatrixFailed);
}

void CLinkPage::SendCommand(FrameLayout layout, std::initializer_list<int> values)
{
    link_.SendFrame(BuildFrame(layout, values));
}

void CLinkPage::ShowMessage(const QString& text, int ms, std::function<void()> afterClose)
{
    if (afterClose)
        afterMessage_ = std::move(afterClose);
    timers_->Start(MessageTimerId(), ms);
    popups_.OpenMessage(text);
}

void CLinkPage::ShowStandby()
{
    timers_->StopRange(1, 79);
    CloseWaitPopup();
    if (popups_.State().popupShown)
        popups_.CloseMessage();
    ShowMessage(UserTexts::kStandby, kStandbyMessageMs);
}

void CLinkPage::OpenWaitPopup(WaitFamily family)
{
    waitFamily_ = family;
    timers_->Start(kWaitAnimationTimer, kWaitAnimationMs);
    popups_.OpenWait(WaitText(family, kWaitSteps));
}

void CLinkPage::CloseWaitPopup()
{
    timers_->Stop(kWaitAnimationTimer);
    popups_.CloseWait();
}

void CLinkPage::AnimateWait()
{
    PopupState& state = popups_.State();
    state.animStep = NextWaitStep(state.animStep);
    state.animText = WaitText(waitFamily_, state.animStep);
    popups_.RefreshWait();
    timers_->Start(kWaitAnimationTimer, kWaitAnimationMs);
}

void CLinkPage::OnTimer(int id)
{
    if (id == MessageTimerId()) {
        popups_.CloseMessage();
        if (auto after = std::exchange(afterMessage_, nullptr))
            after();
    } else if (id == kWaitAnimationTimer) {
        AnimateWait();
    } else if (id == kConnectWaitTimer) {
        if (std::exchange(waitingForLink_, nullptr) && link_.Receiver() == this)
            ShowMessage(UserTexts::kConnectToMatrixFailed);
    } else {
        OnPageTimer(id);
    }
}

void CLinkPage::HandleFrame(const CommandFrame&) {}

void CLinkPage::OnPageTimer(int) {}

#pragma once

#include "FrameAssembler.h"
#include "FrameBuilder.h"
#include "Link.h"
#include "PopupHost.h"
#include "ProgramSettings.h"
#include "TimerHost.h"
#include "WaitText.h"

#include <QWidget>

#include <functional>
#include <memory>

struct PageContext {
    Link& link;
    PopupHost& popups;
    TimerHostFactory& timers;
    const ProgramSettings& settings;
};

// What the four main-window pages share: the link check of an activation,
// receiving bytes while shown, the message popup with its closing timer and
// the wait popup's animation.
class CLinkPage : public QWidget, public LinkReceiver {
    Q_OBJECT
public:
    static constexpr int kMessageTimer = 55;
    static constexpr int kMessageMs = 1500;
    static constexpr int kWaitAnimationTimer = 60;
    static constexpr int kWaitAnimationMs = 500;
    // Outside 1..79, so a standby notice leaves a pending link check alone.
    static constexpr int kConnectWaitTimer = 81;
    static constexpr int kConnectWaitMs = 3000;

    CLinkPage(PageContext context, PageId id, QWidget* parent = nullptr);
    ~CLinkPage() override;

    PageId Id() const { return id_; }

    // Runs 150 ms after the main window showed the page.
    virtual void ActivatePage() = 0;

    // Makes this page the receiver of the matrix's bytes; connects again to
    // the same matrix when the TCP connection has dropped.
    virtual void RebindSocket();

    TimerHost& Timers() { return *timers_; }

    void OnTcpBytes(QByteArrayView bytes) override;
    void OnSerialBytes(QByteArrayView bytes) override;

signals:
    // Posted to the main window: 1 disables, 0 enables the tab buttons.
    void tabLock(int lock);

protected:
    Link& PageLink() { return link_; }
    LinkState& State() { return link_.State(); }
    const LinkState& State() const { return link_.State(); }
    PopupHost& Popups() { return popups_; }

    // Runs `ready` when the selected link can carry a command: a connected
    // serial port, or a TCP connection, waiting up to 3 s for one being
    // made. Otherwise shows the link's failure message.
    void CheckLinkThen(std::function<void()> ready);

    // Builds a frame with the page's layout and sends it on the selected link.
    void SendCommand(FrameLayout layout, std::initializer_list<int> values);

    // Opens the message popup and closes it after `ms` with the page's timer;
    // `afterClose` runs when that timer has closed it.
    void ShowMessage(const QString& text, int ms = kMessageMs,
                     std::function<void()> afterClose = nullptr);
    virtual int MessageTimerId() const { return kMessageTimer; }

    void OpenWaitPopup(WaitFamily family);
    void CloseWaitPopup();

    // The matrix reported standby: every timer 1..79 of the page stops, its
    // popups close and the standby notice shows for 2.5 s.
    void ShowStandby();
    static constexpr int kStandbyMessageMs = 2500;

    virtual bool AcceptsTcpBytes() const { return true; }
    virtual void HandleFrame(const CommandFrame& frame);
    virtual void OnPageTimer(int id);

private:
    void OnTimer(int id);
    void FinishLinkWait(bool connected);
    void AnimateWait();

    Link& link_;
    PopupHost& popups_;
    PageId id_;
    std::unique_ptr<TimerHost> timers_;
    FrameAssembler assembler_;
    std::function<void()> waitingForLink_;
    std::function<void()> afterMessage_;
    WaitFamily waitFamily_ = WaitFamily::PleaseWait;
};

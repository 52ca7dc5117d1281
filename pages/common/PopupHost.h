#pragma once

#include <QRect>
#include <QString>

// What every window shares about the popups.
struct PopupState {
    QString popupText;
    bool popupShown = false;
    QString animText;
    int animStep = 0; // shared by every page's wait animation
    bool waitShown = false;
    bool configOk = false;
    int configAnimStep = 1; // never reset when the configuring dialog reopens
    // The main window's client rectangle in screen coordinates, kept current on
    // every move; the message popup centres itself on it.
    QRect mainClientRect;
};

// The message popup and the wait popup as pages use them. Popups never block:
// the caller's timers close them.
class PopupHost {
public:
    explicit PopupHost(PopupState& state) : state_(state) {}
    virtual ~PopupHost() = default;

    PopupState& State() { return state_; }

    // Sets popupText and popupShown and opens the message popup. A popup that
    // is already open keeps the text it opened with.
    virtual void OpenMessage(const QString& text) = 0;
    virtual void CloseMessage() = 0;

    // Sets animText; opens the wait popup unless waitShown.
    virtual void OpenWait(const QString& text) = 0;
    // Shows the current animText.
    virtual void RefreshWait() = 0;
    virtual void CloseWait() = 0;

private:
    PopupState& state_;
};

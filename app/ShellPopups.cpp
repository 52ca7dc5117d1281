#include "ShellPopups.h"

ShellPopups::ShellPopups(PopupState& state, TimerHostFactory& timers, QWidget* parent)
    : PopupHost(state), message_(parent), wait_(parent), config_(state, timers, parent)
{
}

void ShellPopups::OpenMessage(const QString& text)
{
    State().popupText = text;
    State().popupShown = true;
    message_.Open(text, State().mainClientRect);
}

void ShellPopups::CloseMessage()
{
    State().popupShown = false;
    message_.hide();
}

void ShellPopups::OpenWait(const QString& text)
{
    State().animText = text;
    if (State().waitShown) {
        wait_.Refresh(text);
        return;
    }
    State().waitShown = true;
    wait_.Open(text, State().mainClientRect);
}

void ShellPopups::RefreshWait()
{
    wait_.Refresh(State().animText);
}

void ShellPopups::CloseWait()
{
    State().waitShown = false;
    wait_.hide();
}

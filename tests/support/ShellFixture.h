#pragma once

#include "CMainDlg.h"
#include "FakeLink.h"
#include "ProgramSettings.h"
#include "VirtualClock.h"

// The main window on virtual time with a fake link, as the page tests use it.
struct ShellFixture {
    VirtualClock clock;
    LinkState state;
    PopupState popupState;
    ProgramSettings settings;
    FakeLink link{state};
    CMainDlg window{link, popupState, clock, settings};

    ShellPopups& popups() { return window.Popups(); }
    bool messageShown() { return popups().Message().isVisible(); }
    QString messageText() { return popups().Message().LabelText(); }

    // A TCP link that the General page has connected.
    void ConnectTcp(const QString& ip = QStringLiteral("127.0.0.1"))
    {
        state.transport = Transport::Tcp;
        state.matrixIp = ip;
        state.tcpLinkOpen = true;
        state.sockConnected = true;
    }
};

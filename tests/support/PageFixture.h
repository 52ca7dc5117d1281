#pragma once

#include "FakeLink.h"
#include "LinkPage.h"
#include "ProgramSettings.h"
#include "ShellPopups.h"
#include "VirtualClock.h"

#include <QCoreApplication>

// What a page needs, on virtual time with a fake link, without the main window.
struct PageFixture {
    VirtualClock clock;
    LinkState state;
    PopupState popupState;
    ProgramSettings settings;
    FakeLink link{state};
    ShellPopups popups{popupState, clock, nullptr};
    PageContext context{link, popups, clock, settings};

    bool messageShown() { return popups.Message().isVisible(); }
    QString messageText() { return popups.Message().LabelText(); }
};

// Delivers what was posted (queued calls), as the event loop would next.
inline void DeliverPosted()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

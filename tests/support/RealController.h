#pragma once

#include "SimProcess.h"

#include "CGeneralPage.h"
#include "CMainDlg.h"
#include "CMatrixPage.h"
#include "QtTimerHost.h"
#include "TcpSerialLink.h"

#include <memory>

// The controller as the program builds it, on real time.
struct RealController {
    LinkState state;
    PopupState popupState;
    QtTimerFactory timers;
    ProgramSettings settings;
    TcpSerialLink link{state};
    std::unique_ptr<CMainDlg> window;

    explicit RealController(const QStringList& portPaths)
    {
        settings.portPaths = portPaths;
        link.SetExtraPortPaths(portPaths);
        window = std::make_unique<CMainDlg>(link, popupState, timers, settings);
    }
    CGeneralPage& General() { return window->GeneralPage(); }
    CMatrixPage& Matrix() { return window->MatrixPage(); }
};

// Standard error of the simulator, kept whole across reads.
struct SimLog {
    SimProcess& sim;
    QString text;
    int Count(const QString& needle)
    {
        text += sim.ErrorOutput();
        return static_cast<int>(text.count(needle));
    }
};

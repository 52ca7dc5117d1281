#pragma once

#include <QString>

enum class Transport { Serial, Tcp };

// Pages as the main window numbers them in LinkState::currentPage.
enum class PageId { General = 1, Edid = 2, Matrix = 3, Upgrade = 4 };

struct LineSettings {
    int baud = 19200;
    char parity = 'N';
    int dataBits = 8;
    int stopBits = 2;
};

constexpr quint16 kMatrixTcpPort = 8000;

// What every page consults before it sends: the transport chosen on the
// General page and the state of both links.
struct LinkState {
    Transport transport = Transport::Serial;
    bool comConnected = false;
    // System name or path of the serial port the operator connected.
    QString comPortName;
    LineSettings lineSettings;
    // The operator's TCP connection is up (set by the General page's check).
    bool tcpLinkOpen = false;
    // The current socket reported a completed connection.
    bool sockConnected = false;
    QString matrixIp;
    PageId currentPage = PageId::General;

    bool IsTcp() const { return transport == Transport::Tcp; }
};

#pragma once

#include <QString>
#include <QStringList>

// What the command line sets for one run; nothing is kept between runs.
struct ProgramSettings {
    // Where the matrix search is broadcast.
    QString broadcastAddress = QStringLiteral("255.255.255.255");
    // Serial ports the system does not enumerate (pseudo-terminals).
    QStringList portPaths;
};

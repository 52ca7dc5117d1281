#pragma once

#include "ProgramSettings.h"

#include <QString>
#include <QStringList>

struct ProgramOptions {
    ProgramSettings settings;
    // Render every page and popup into this folder and exit.
    QString screenshotDir;
};

struct ParsedOptions {
    ProgramOptions options;
    // Set when the program must end at once (help, version, bad option) with
    // `exitCode`, printing `output` (to stderr when exitCode != 0).
    bool exitNow = false;
    int exitCode = 0;
    QString output;
};

// `arguments` includes the program name first.
ParsedOptions ParseProgramOptions(const QStringList& arguments);

#include "ProgramOptions.h"

#include "Link.h"

#include <QCommandLineParser>
#include <QCoreApplication>

ParsedOptions ParseProgramOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Controller for 4x4 HDMI matrix switchers over a serial port or TCP."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption broadcast(
        QStringLiteral("broadcast"),
        QStringLiteral("Send the matrix search to ADDR (default 255.255.255.255)."),
        QStringLiteral("ADDR"));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Also offer the serial port at PATH (repeatable), e.g. a pseudo-terminal."),
        QStringLiteral("PATH"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Write a PNG of every page and popup into DIR and exit."),
        QStringLiteral("DIR"));
    parser.addOptions({broadcast, port, screenshot});

    ParsedOptions parsed;
    if (!parser.parse(arguments)) {
        parsed.exitNow = true;
        parsed.exitCode = 2;
        parsed.output = parser.errorText() + QStringLiteral("\n");
        return parsed;
    }
    if (parser.isSet(help)) {
        parsed.exitNow = true;
        parsed.output = parser.helpText();
        return parsed;
    }
    if (parser.isSet(version)) {
        parsed.exitNow = true;
        parsed.output = QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                      QCoreApplication::applicationVersion());
        return parsed;
    }
    if (parser.isSet(broadcast)) {
        const QString address = parser.value(broadcast);
        if (!IsDottedIpv4(address)) {
            parsed.exitNow = true;
            parsed.exitCode = 2;
            parsed.output = QStringLiteral("--broadcast needs a dotted IPv4 address, not '%1'\n")
                                .arg(address);
            return parsed;
        }
        parsed.options.settings.broadcastAddress = address;
    }
    parsed.options.settings.portPaths = parser.values(port);
    parsed.options.screenshotDir = parser.value(screenshot);
    return parsed;
}

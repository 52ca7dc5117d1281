#include "CMainDlg.h"
#include "ProgramOptions.h"
#include "QtTimerHost.h"
#include "Screenshots.h"
#include "TcpSerialLink.h"

#include <QApplication>
#include <QTextStream>

namespace {
bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("matrix-controller"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MATRIX_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    const ParsedOptions parsed = ParseProgramOptions(arguments);
    if (parsed.exitNow) {
        QTextStream(parsed.exitCode == 0 ? stdout : stderr) << parsed.output;
        return parsed.exitCode;
    }
    const ProgramOptions& options = parsed.options;
    if (!HasDisplay()) {
        if (options.screenshotDir.isEmpty()) {
            QTextStream(stderr)
                << "matrix-controller needs a display, and none is set (DISPLAY is empty).\n"
                   "Run it on a desktop, or under a virtual one: xvfb-run -a matrix-controller\n"
                   "(Debian package xvfb). Screenshots alone work without one: --screenshot DIR\n";
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication app(argc, argv);
    LinkState linkState;
    PopupState popupState;
    QtTimerFactory timers;
    TcpSerialLink link(linkState);
    link.SetExtraPortPaths(options.settings.portPaths);
    CMainDlg window(link, popupState, timers, options.settings);
    if (!options.screenshotDir.isEmpty())
        return WriteScreenshots(window, options.screenshotDir);
    window.show();
    return app.exec();
}

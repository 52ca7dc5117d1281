// Switch latency: from a click on an input button to the completed switch,
// over loopback TCP and over a pseudo-terminal paced at 19200 8N2, each next
// to its floor (a plain client doing the same exchange; the line time).

#include "RealController.h"

#include "FrameBuilder.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRounds = 300;
constexpr double kLineTimeMs = 26 * 11 * 1000.0 / 19200; // two 13-byte frames

struct Figures {
    double median;
    double p99;
};

Figures Summarise(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) { return samples[static_cast<std::size_t>(q * (samples.size() - 1))]; };
    return {at(0.5), at(0.99)};
}

QByteArray SwitchFrame(int input)
{
    const CommandFrame frame = BuildFrame(FrameLayout::Matrix, {2, 3, input, 1});
    return QByteArray(reinterpret_cast<const char*>(frame.data()), kFrameSize);
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// Click to completed switch, per round, in milliseconds.
std::vector<double> MeasureClicks(RealController& controller)
{
    CMatrixPage& page = controller.Matrix();
    controller.window->SelectTab(PageId::Matrix);
    // The routing refresh of the page entry runs first.
    if (!WaitUntil([&] { return page.routing.busy; }, 2000) ||
        !WaitUntil([&] { return !page.routing.busy; }, 10000))
        return {};
    std::vector<double> samples;
    QElapsedTimer clock;
    for (int round = 0; round < kRounds; ++round) {
        const int input = round % 4 + 1;
        QEventLoop done;
        auto finished = QObject::connect(&page, &CLinkPage::tabLock, &done, &QEventLoop::quit);
        QTimer::singleShot(5000, &done, &QEventLoop::quit);
        clock.start();
        page.Panel().InputButton(1, input).click();
        done.exec();
        const qint64 ns = clock.nsecsElapsed();
        QObject::disconnect(finished);
        if (page.routing.busy || !page.Panel().InputButton(1, input).isChecked())
            return {};
        samples.push_back(ns / 1e6);
    }
    return samples;
}

std::vector<double> RawTcpRounds(const QString& ip)
{
    QTcpSocket socket;
    socket.connectToHost(ip, 8000);
    if (!socket.waitForConnected(5000))
        return {};
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    std::vector<double> samples;
    QElapsedTimer clock;
    for (int round = 0; round < kRounds; ++round) {
        clock.start();
        socket.write(SwitchFrame(round % 4 + 1));
        socket.flush();
        qint64 got = 0;
        while (got < 13 && socket.waitForReadyRead(5000))
            got += socket.readAll().size();
        samples.push_back(clock.nsecsElapsed() / 1e6);
    }
    return samples;
}

std::vector<double> RawSerialRounds(const QString& path)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return {};
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd, TCSANOW, &settings);
    std::vector<double> samples;
    QElapsedTimer clock;
    for (int round = 0; round < kRounds; ++round) {
        const QByteArray frame = SwitchFrame(round % 4 + 1);
        clock.start();
        if (::write(fd, frame.constData(), 13) != 13)
            break;
        int got = 0;
        char buffer[64];
        while (got < 13) {
            pollfd ready{fd, POLLIN, 0};
            if (::poll(&ready, 1, 5000) <= 0)
                break;
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got += static_cast<int>(n);
        }
        samples.push_back(clock.nsecsElapsed() / 1e6);
    }
    ::close(fd);
    return samples;
}

void Report(const char* link, const std::vector<double>& controller, const std::vector<double>& floor,
            double lineTime)
{
    if (controller.empty() || floor.empty()) {
        std::printf("| %s | failed | | | |\n", link);
        return;
    }
    const Figures c = Summarise(controller);
    const Figures f = Summarise(floor);
    std::printf("| %s | %.3f | %.3f | %.3f | %.3f |", link, c.median, c.p99, f.median, f.p99);
    if (lineTime > 0)
        std::printf(" line time %.1f ms; median %.2fx of it", lineTime, c.median / lineTime);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString tty = dir.filePath("matrix-tty");

    std::printf("| link | click to switch, median ms | p99 ms | floor median ms | floor p99 ms |\n");
    std::printf("|---|---|---|---|---|\n");
    {
        SimProcess sim({"--tcp", "127.0.68.1:8000", "--no-udp"});
        RealController controller({});
        CGeneralPage& general = controller.window->GeneralPage();
        general.SelectTcpMode();
        general.MatrixIpList().setEditText(QStringLiteral("127.0.68.1"));
        general.ToggleTcpLink();
        WaitUntil([&] { return controller.state.tcpLinkOpen; }, 5000);
        const std::vector<double> clicks = MeasureClicks(controller);
        general.ToggleTcpLink();
        Report("loopback TCP", clicks, RawTcpRounds(QStringLiteral("127.0.68.1")), 0);
    }
    {
        SimProcess sim({"--tcp", "127.0.68.2:8000", "--no-udp", "--pty-link", tty, "--line-rate"});
        RealController controller({tty});
        CGeneralPage& general = controller.window->GeneralPage();
        general.ScanComPorts();
        general.PortList().setCurrentIndex(general.PortList().findText(tty));
        general.ToggleComLink();
        const std::vector<double> clicks = MeasureClicks(controller);
        general.ToggleComLink();
        Report("pseudo-terminal at 19200 8N2", clicks, RawSerialRounds(tty), kLineTimeMs);
    }
    return 0;
}

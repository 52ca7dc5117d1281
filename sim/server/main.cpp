#include "ControlChannel.h"
#include "PtyPort.h"
#include "SimMatrix.h"
#include "UdpResponder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <memory>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
}

// Ends the event loop on SIGINT/SIGTERM so that the pseudo-terminal link is
// removed on the way out.
void QuitOnSignals(QCoreApplication& app)
{
    if (::pipe(signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
}

int Fail(const QString& message)
{
    QTextStream(stderr) << "matrix-sim: " << message << "\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("matrix-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MATRIX_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated 4x4 HDMI matrix on TCP, a pseudo-terminal and UDP, with scriptable faults.\n"
        "Control lines on standard input (type 'help'); '@K line' addresses matrix K only."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption tcp(QStringLiteral("tcp"),
                                 QStringLiteral("TCP address of matrix 1 (default 127.0.0.1:8000); matrix k "
                                                "listens k-1 addresses above it."),
                                 QStringLiteral("ADDR:PORT"), QStringLiteral("127.0.0.1:8000"));
    const QCommandLineOption count(QStringLiteral("count"), QStringLiteral("Serve N matrices (1..200)."),
                                   QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption ptyLink(QStringLiteral("pty-link"),
                                     QStringLiteral("Link PATH to matrix 1's pseudo-terminal."),
                                     QStringLiteral("PATH"));
    const QCommandLineOption lineRate(QStringLiteral("line-rate"),
                                      QStringLiteral("Pace the pseudo-terminal at 19200 8N2."));
    const QCommandLineOption noUdp(QStringLiteral("no-udp"), QStringLiteral("No discovery or configuration."));
    const QCommandLineOption udpAddress(QStringLiteral("udp-address"),
                                        QStringLiteral("Loopback address to receive discovery on "
                                                       "(default 127.255.255.255)."),
                                        QStringLiteral("ADDR"), QStringLiteral("127.255.255.255"));
    const QCommandLineOption fault(QStringLiteral("fault"),
                                   QStringLiteral("A control line applied at start (repeatable)."),
                                   QStringLiteral("LINE"));
    const QCommandLineOption dump(QStringLiteral("dump-firmware"),
                                  QStringLiteral("Keep PATH updated with the firmware received."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Log every frame both ways on standard error."));
    parser.addOptions({tcp, count, ptyLink, lineRate, noUdp, udpAddress, fault, dump, verbose});
    parser.process(app);

    const QString tcpText = parser.value(tcp);
    const qsizetype colon = tcpText.lastIndexOf(QLatin1Char(':'));
    QHostAddress base(tcpText.left(colon));
    bool portOk = false;
    const uint port = tcpText.mid(colon + 1).toUInt(&portOk);
    if (colon < 0 || base.protocol() != QAbstractSocket::IPv4Protocol || !portOk || port > 65535)
        return Fail(QStringLiteral("--tcp needs IPv4ADDR:PORT, not '%1'").arg(tcpText));
    bool countOk = false;
    const int matrices = parser.value(count).toInt(&countOk);
    if (!countOk || matrices < 1 || matrices > 200)
        return Fail(QStringLiteral("--count needs 1..200"));
    const QHostAddress udpListen(parser.value(udpAddress));
    if (!parser.isSet(noUdp) && !udpListen.isLoopback() &&
        udpListen != QHostAddress(QStringLiteral("127.255.255.255")))
        return Fail(QStringLiteral("--udp-address must be in 127.0.0.0/8"));

    std::vector<SimMatrix*> sims;
    for (int k = 1; k <= matrices; ++k) {
        const MacAddress mac{0x02, 0x4D, 0x58, 0x53, 0x00, static_cast<std::uint8_t>(k)};
        auto* sim = new SimMatrix(k, mac, QHostAddress(base.toIPv4Address() + static_cast<quint32>(k - 1)),
                                  static_cast<quint16>(port), parser.isSet(verbose), &app);
        QString error;
        if (!sim->Listen(&error))
            return Fail(error);
        QTextStream(stdout) << "tcp " << sim->Address().toString() << ":" << port << "\n";
        sims.push_back(sim);
    }
    if (parser.isSet(dump))
        sims.front()->SetFirmwareDumpPath(parser.value(dump));

    auto* pty = new PtyPort(*sims.front(), parser.value(ptyLink), parser.isSet(lineRate), &app);
    QString error;
    if (!pty->Open(&error))
        return Fail(error);
    QTextStream(stdout) << "pty " << pty->SlavePath() << "\n";
    QObject::connect(sims.front(), &SimMatrix::closePtyRequested, pty, [pty] {
        QString replugError;
        if (pty->Replug(&replugError))
            QTextStream(stdout) << "pty " << pty->SlavePath() << "\n";
        else
            QTextStream(stderr) << "matrix-sim: " << replugError << "\n";
    });

    if (!parser.isSet(noUdp)) {
        auto* udp = new UdpResponder(sims, udpListen, parser.isSet(verbose), &app);
        if (!udp->Start(&error))
            return Fail(error);
        QTextStream(stdout) << "udp " << udpListen.toString() << ":30600,30601\n";
    }

    auto* control = new ControlChannel(sims, &app);
    for (const QString& line : parser.values(fault)) {
        std::string reply;
        if (!control->Apply(line.toStdString(), &reply))
            return Fail(QString::fromStdString(reply));
    }
    QuitOnSignals(app);
    QTextStream(stdout) << "ready" << Qt::endl;
    return app.exec();
}

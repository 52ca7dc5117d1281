#include "UdpResponder.h"

#include "NetDatagrams.h"
#include "SimMatrix.h"

#include <QNetworkDatagram>
#include <QTextStream>

namespace {
constexpr auto kShared = QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint;

void LogDatagram(const char* kind, const QNetworkDatagram& datagram)
{
    QTextStream(stderr) << "udp <- " << kind << " " << datagram.senderAddress().toString() << ":"
                        << datagram.senderPort() << " " << datagram.data().toHex(' ').toUpper() << "\n";
}

QByteArray ToBytes(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}
} // namespace

UdpResponder::UdpResponder(std::vector<SimMatrix*> matrices, const QHostAddress& listenAddress,
                           bool verbose, QObject* parent)
    : QObject(parent), matrices_(std::move(matrices)), listenAddress_(listenAddress), verbose_(verbose)
{
    connect(&search_, &QUdpSocket::readyRead, this, &UdpResponder::OnSearch);
    connect(&config_, &QUdpSocket::readyRead, this, &UdpResponder::OnConfig);
}

bool UdpResponder::Start(QString* error)
{
    if (!search_.bind(listenAddress_, kSearchPort, kShared) ||
        !config_.bind(listenAddress_, kNetConfigPort, kShared)) {
        *error = QStringLiteral("cannot bind UDP on %1: %2 %3")
                     .arg(listenAddress_.toString(), search_.errorString(), config_.errorString());
        return false;
    }
    for (SimMatrix* matrix : matrices_) {
        auto socket = std::make_unique<QUdpSocket>();
        if (!socket->bind(matrix->Address(), 0)) {
            *error = QStringLiteral("cannot bind UDP on %1: %2")
                         .arg(matrix->Address().toString(), socket->errorString());
            return false;
        }
        answerSockets_.push_back(std::move(socket));
    }
    return true;
}

void UdpResponder::OnSearch()
{
    while (search_.hasPendingDatagrams()) {
        const QNetworkDatagram request = search_.receiveDatagram();
        const QByteArray data = request.data();
        if (verbose_)
            LogDatagram("search", request);
        if (data.size() != 1 || static_cast<std::uint8_t>(data[0]) != kSearchRequestByte)
            continue;
        for (std::size_t i = 0; i < matrices_.size(); ++i)
            answerSockets_[i]->writeDatagram(ToBytes(matrices_[i]->Model().SearchAnswer()),
                                             request.senderAddress(), static_cast<quint16>(request.senderPort()));
    }
}

void UdpResponder::OnConfig()
{
    while (config_.hasPendingDatagrams()) {
        const QNetworkDatagram request = config_.receiveDatagram();
        const QByteArray data = request.data();
        if (verbose_)
            LogDatagram("config", request);
        for (std::size_t i = 0; i < matrices_.size(); ++i) {
            if (auto answer = matrices_[i]->Configure(data))
                answerSockets_[i]->writeDatagram(ToBytes(*answer), request.senderAddress(),
                                                 static_cast<quint16>(request.senderPort()));
        }
    }
}

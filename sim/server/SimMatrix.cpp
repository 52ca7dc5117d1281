#include "SimMatrix.h"

#include <QTextStream>

namespace {
Ipv4Address ToIpv4(const QHostAddress& address)
{
    const quint32 value = address.toIPv4Address();
    return {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

QHostAddress FromIpv4(const Ipv4Address& ip)
{
    return QHostAddress(static_cast<quint32>(ip[0] << 24 | ip[1] << 16 | ip[2] << 8 | ip[3]));
}
} // namespace

TcpOutlet::TcpOutlet(QTcpSocket* socket, QObject* parent) : ByteOutlet(parent), socket_(socket)
{
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
}

void TcpOutlet::WriteNow(const QByteArray& bytes)
{
    if (socket_ && socket_->state() == QAbstractSocket::ConnectedState)
        socket_->write(bytes);
}

SimMatrix::SimMatrix(int number, const MacAddress& mac, const QHostAddress& address, quint16 port,
                     bool verbose, QObject* parent)
    : QObject(parent), number_(number), address_(address), port_(port), verbose_(verbose),
      model_(mac, ToIpv4(address))
{
    clock_.start();
    connect(&server_, &QTcpServer::newConnection, this, &SimMatrix::Accept);
}

bool SimMatrix::Listen(QString* error)
{
    if (server_.listen(address_, port_))
        return true;
    *error = QStringLiteral("matrix %1: cannot listen on %2:%3: %4")
                 .arg(number_)
                 .arg(address_.toString())
                 .arg(port_)
                 .arg(server_.errorString());
    return false;
}

void SimMatrix::Accept()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        // One controller at a time: a new connection replaces the previous
        // one, whose loss the server may not have seen yet.
        if (tcp_) {
            RemoveOutlet(tcp_);
            if (tcp_->Socket())
                tcp_->Socket()->abort();
            tcp_->deleteLater();
            tcp_ = nullptr;
        }
        socket->setParent(this);
        tcp_ = new TcpOutlet(socket, this);
        TcpOutlet* outlet = tcp_;
        AddOutlet(outlet);
        connect(socket, &QTcpSocket::readyRead, outlet,
                [this, outlet, socket] { Receive(*outlet, socket->readAll()); });
        connect(socket, &QTcpSocket::disconnected, this, [this, outlet, socket] {
            if (tcp_ == outlet) {
                RemoveOutlet(outlet);
                tcp_ = nullptr;
                outlet->deleteLater();
            }
            socket->deleteLater();
        });
    }
}

void SimMatrix::AddOutlet(ByteOutlet* outlet)
{
    outlets_.push_back(outlet);
}

void SimMatrix::RemoveOutlet(ByteOutlet* outlet)
{
    std::erase(outlets_, outlet);
}

void SimMatrix::Receive(ByteOutlet& outlet, QByteArrayView bytes)
{
    Log(QStringLiteral("<-"), outlet.Name(), bytes);
    std::vector<Bytes> replies = model_.Receive(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::size_t>(bytes.size())),
        clock_.elapsed());
    LogNotes();
    for (const Bytes& reply : replies)
        Log(QStringLiteral("->"), outlet.Name(),
            QByteArrayView(reinterpret_cast<const char*>(reply.data()), static_cast<qsizetype>(reply.size())));
    outlet.Queue(shaper_.Shape(std::move(replies), model_.Faults()));
    DumpFirmwareIfAsked();
}

ControlResult SimMatrix::Control(const std::string& line)
{
    ControlResult result = ApplyControlLine(line, model_);
    switch (result.action) {
    case ServerAction::Standby:
        SendStandby();
        break;
    case ServerAction::CloseTcp:
        CloseTcp();
        break;
    case ServerAction::ClosePty:
        emit closePtyRequested();
        break;
    case ServerAction::DumpFirmware:
        if (!WriteFirmwareDump(model_, result.path))
            return {false, "cannot write " + result.path, ServerAction::None, {}};
        break;
    case ServerAction::None:
        break;
    }
    return result;
}

std::optional<Bytes> SimMatrix::Configure(QByteArrayView datagram)
{
    const Ipv4Address before = model_.State().ip;
    auto answer = model_.Configure(
        std::span(reinterpret_cast<const std::uint8_t*>(datagram.data()), static_cast<std::size_t>(datagram.size())));
    if (!answer)
        return answer;
    const QHostAddress now = FromIpv4(model_.State().ip);
    // A new loopback address is taken at once, so the controller finds the
    // matrix where it was told to be.
    if (model_.State().ip != before && now.isLoopback()) {
        server_.close();
        address_ = now;
        QString error;
        if (!Listen(&error))
            QTextStream(stderr) << error << "\n";
    }
    return answer;
}

void SimMatrix::SendStandby()
{
    const Bytes standby = MatrixModel::StandbyFrame();
    for (ByteOutlet* outlet : outlets_) {
        Log(QStringLiteral("->"), outlet->Name(),
            QByteArrayView(reinterpret_cast<const char*>(standby.data()), static_cast<qsizetype>(standby.size())));
        outlet->Queue({{0, standby}});
    }
}

void SimMatrix::CloseTcp()
{
    if (tcp_ && tcp_->Socket())
        tcp_->Socket()->disconnectFromHost();
}

void SimMatrix::Log(const QString& direction, const QString& channel, QByteArrayView bytes)
{
    if (!verbose_)
        return;
    QTextStream(stderr) << "matrix " << number_ << " " << direction << " " << channel << " "
                        << bytes.toByteArray().toHex(' ').toUpper() << "\n";
}

void SimMatrix::LogNotes()
{
    for (const std::string& note : model_.TakeNotes())
        QTextStream(stderr) << "matrix " << number_ << ": " << QString::fromStdString(note) << "\n";
}

void SimMatrix::DumpFirmwareIfAsked()
{
    if (dumpPath_.isEmpty())
        return;
    std::size_t received = 0;
    for (const auto& [part, data] : model_.Firmware())
        received += data.size() + 1;
    if (received == dumpedSize_)
        return;
    dumpedSize_ = received;
    if (!WriteFirmwareDump(model_, dumpPath_.toStdString()))
        QTextStream(stderr) << "cannot write " << dumpPath_ << "\n";
}

#include "TcpSerialLink.h"

#include <QFileInfo>
#include <QSerialPortInfo>

TcpSerialLink::TcpSerialLink(LinkState& state, QObject* parent) : Link(state, parent)
{
    connect(&serial_, &CCommPort::received, this, [this](const QByteArray& bytes) { DeliverSerial(bytes); });
    connect(&serial_, &CCommPort::lost, this, &Link::serialLost);
    connectDeadline_.setSingleShot(true);
    connect(&connectDeadline_, &QTimer::timeout, this, [this] {
        DropSocket();
        FinishConnect(false);
    });
}

TcpSerialLink::~TcpSerialLink()
{
    DropSocket();
}

void TcpSerialLink::ConnectTcp(const QString& ip)
{
    DropSocket();
    State().sockConnected = false;
    connecting_ = true;
    if (!IsDottedIpv4(ip)) {
        // Reported like any other failed connect: after the caller returned.
        QTimer::singleShot(0, this, [this] { FinishConnect(false); });
        return;
    }
    auto* socket = new QTcpSocket(this);
    socket_ = socket;
    connect(socket, &QTcpSocket::connected, this, [this, socket] {
        if (socket == socket_)
            FinishConnect(true);
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
        if (socket != socket_)
            return;
        if (connecting_)
            FinishConnect(false);
        else if (State().sockConnected)
            NoteTcpClosed();
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        if (socket == socket_ && State().sockConnected)
            NoteTcpClosed();
    });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        if (socket == socket_)
            DeliverTcp(socket->readAll());
    });
    connectDeadline_.start(kConnectTimeoutMs);
    socket->connectToHost(ip, kMatrixTcpPort);
}

void TcpSerialLink::CloseTcp()
{
    DropSocket();
    connecting_ = false;
    connectDeadline_.stop();
    State().sockConnected = false;
}

void TcpSerialLink::WriteTcp(QByteArrayView bytes)
{
    if (socket_ && socket_->state() == QAbstractSocket::ConnectedState)
        socket_->write(bytes.data(), bytes.size());
}

void TcpSerialLink::WriteSerial(QByteArrayView bytes)
{
    serial_.Write(bytes);
}

QStringList TcpSerialLink::AvailablePorts() const
{
    QStringList names;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        names << port.portName();
    names.sort();
    for (const QString& path : extraPortPaths_) {
        if (QFileInfo::exists(path) && !names.contains(path))
            names << path;
    }
    return names;
}

bool TcpSerialLink::OpenSerial(const QString& name)
{
    if (!serial_.Open(name, State().lineSettings))
        return false;
    serial_.StartMonitor();
    return true;
}

void TcpSerialLink::CloseSerial()
{
    serial_.RequestStop();
}

void TcpSerialLink::DropSocket()
{
    if (!socket_)
        return;
    QTcpSocket* old = socket_;
    socket_ = nullptr;
    old->disconnect(this);
    old->abort();
    old->deleteLater();
}

void TcpSerialLink::FinishConnect(bool connected)
{
    if (!connecting_)
        return;
    connecting_ = false;
    connectDeadline_.stop();
    NoteTcpConnectResult(connected);
}

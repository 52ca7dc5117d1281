#include "TcpSerialLink.h"

TcpSerialLink::TcpSerialLink(LinkState& state, QObject* parent) : Link(state, parent)
{
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

void TcpSerialLink::WriteSerial(QByteArrayView)
{
    // No serial port is connected yet: the bytes are lost like on an
    // unplugged cable and the sender's time-out reports it.
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

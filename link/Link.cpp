#include "Link.h"

#include <QHostAddress>
#include <QRegularExpression>

Link::Link(LinkState& state, QObject* parent) : QObject(parent), state_(state) {}

void Link::SendFrame(const CommandFrame& frame)
{
    SendBlock(QByteArrayView(frame.data(), static_cast<qsizetype>(frame.size())));
}

void Link::SendBlock(QByteArrayView bytes)
{
    if (state_.IsTcp())
        WriteTcp(bytes);
    else
        WriteSerial(bytes);
}

void Link::DeliverTcp(QByteArrayView bytes)
{
    if (receiver_)
        receiver_->OnTcpBytes(bytes);
}

void Link::DeliverSerial(QByteArrayView bytes)
{
    if (receiver_)
        receiver_->OnSerialBytes(bytes);
}

void Link::NoteTcpConnectResult(bool connected)
{
    state_.sockConnected = connected;
    emit tcpConnectFinished(connected);
}

void Link::NoteTcpClosed()
{
    state_.sockConnected = false;
    emit tcpClosed();
}

bool IsDottedIpv4(const QString& text)
{
    static const QRegularExpression dotted(QStringLiteral("^\\d{1,3}(\\.\\d{1,3}){3}$"));
    if (!dotted.match(text).hasMatch())
        return false;
    QHostAddress address;
    return address.setAddress(text) && address.protocol() == QAbstractSocket::IPv4Protocol;
}

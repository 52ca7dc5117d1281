#include "FakeLink.h"

void FakeLink::ConnectTcp(const QString& ip)
{
    connectCalls << ip;
    State().sockConnected = false;
    connecting_ = true;
}

void FakeLink::CloseTcp()
{
    connecting_ = false;
    State().sockConnected = false;
}

void FakeLink::FinishConnect(bool connected)
{
    connecting_ = false;
    NoteTcpConnectResult(connected);
}

void FakeLink::DropConnection()
{
    NoteTcpClosed();
}

void FakeLink::WriteTcp(QByteArrayView bytes)
{
    sent.append({Transport::Tcp, bytes.toByteArray()});
}

void FakeLink::WriteSerial(QByteArrayView bytes)
{
    sent.append({Transport::Serial, bytes.toByteArray()});
}

bool FakeLink::OpenSerial(const QString& name)
{
    openCalls << name;
    serialOpen_ = !busyPorts.contains(name);
    return serialOpen_;
}

void FakeLink::LoseSerial()
{
    serialOpen_ = false;
    emit serialLost(QStringLiteral("unplugged"));
}

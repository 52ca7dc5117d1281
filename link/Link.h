#pragma once

#include "CommandFrame.h"
#include "LinkState.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

// The page shown; the only receiver of bytes from the matrix.
class LinkReceiver {
public:
    virtual void OnTcpBytes(QByteArrayView bytes) = 0;
    virtual void OnSerialBytes(QByteArrayView bytes) = 0;

protected:
    ~LinkReceiver() = default;
};

// The one connection per transport. Pages send through it and get the bytes
// received while they are the receiver.
class Link : public QObject {
    Q_OBJECT
public:
    explicit Link(LinkState& state, QObject* parent = nullptr);

    LinkState& State() { return state_; }
    const LinkState& State() const { return state_; }

    void SetReceiver(LinkReceiver* receiver) { receiver_ = receiver; }
    LinkReceiver* Receiver() const { return receiver_; }

    // Sends on the transport selected at this moment. Bytes on a link that is
    // down are lost; the sender's reply time-out reports it.
    void SendFrame(const CommandFrame& frame);
    void SendBlock(QByteArrayView bytes);

    // Drops any connection and starts a new one to ip:8000; sockConnected is 0
    // until tcpConnectFinished(true). An ip that is not dotted IPv4 fails.
    virtual void ConnectTcp(const QString& ip) = 0;
    virtual void CloseTcp() = 0;
    virtual bool TcpConnecting() const = 0;

    // The serial ports the operator can choose from, by the names Open takes.
    virtual QStringList AvailablePorts() const = 0;
    // Opens the port at 19200 8N2 and delivers its bytes to the receiver.
    virtual bool OpenSerial(const QString& name) = 0;
    virtual void CloseSerial() = 0;
    virtual bool IsSerialOpen() const = 0;

signals:
    void tcpConnectFinished(bool connected);
    void tcpClosed();
    // The open serial port failed and was closed.
    void serialLost(const QString& reason);

protected:
    virtual void WriteTcp(QByteArrayView bytes) = 0;
    virtual void WriteSerial(QByteArrayView bytes) = 0;

    void DeliverTcp(QByteArrayView bytes);
    void DeliverSerial(QByteArrayView bytes);
    void NoteTcpConnectResult(bool connected);
    void NoteTcpClosed();

private:
    LinkState& state_;
    LinkReceiver* receiver_ = nullptr;
};

// Accepts only a dotted-quad IPv4 address ("192.168.0.80").
bool IsDottedIpv4(const QString& text);

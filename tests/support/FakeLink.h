#pragma once

#include "Link.h"

#include <QList>

// A link that records what pages send and lets the test play the matrix.
class FakeLink : public Link {
    Q_OBJECT
public:
    struct Sent {
        Transport transport;
        QByteArray bytes;
    };

    using Link::Link;

    void ConnectTcp(const QString& ip) override;
    void CloseTcp() override;
    bool TcpConnecting() const override { return connecting_; }

    QStringList AvailablePorts() const override { return ports; }
    bool OpenSerial(const QString& name) override;
    void CloseSerial() override { serialOpen_ = false; }
    bool IsSerialOpen() const override { return serialOpen_; }
    // The adapter is pulled.
    void LoseSerial();

    // Ends the connect in progress.
    void FinishConnect(bool connected);
    // The matrix closes the connection.
    void DropConnection();
    void FeedTcp(const QByteArray& bytes) { DeliverTcp(bytes); }
    void FeedSerial(const QByteArray& bytes) { DeliverSerial(bytes); }

    QList<Sent> sent;
    QStringList connectCalls;
    QStringList ports;
    QStringList openCalls;
    // Ports that refuse to open.
    QStringList busyPorts;

protected:
    void WriteTcp(QByteArrayView bytes) override;
    void WriteSerial(QByteArrayView bytes) override;

private:
    bool connecting_ = false;
    bool serialOpen_ = false;
};

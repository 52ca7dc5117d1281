#pragma once

#include "Link.h"

#include <QPointer>
#include <QTcpSocket>

// The program's link: one TCP socket to the matrix (and, on the serial side,
// nothing until a port is connected).
class TcpSerialLink : public Link {
    Q_OBJECT
public:
    explicit TcpSerialLink(LinkState& state, QObject* parent = nullptr);
    ~TcpSerialLink() override;

    void ConnectTcp(const QString& ip) override;
    void CloseTcp() override;
    bool TcpConnecting() const override { return connecting_; }

protected:
    void WriteTcp(QByteArrayView bytes) override;
    void WriteSerial(QByteArrayView bytes) override;

private:
    void DropSocket();
    void FinishConnect(bool connected);

    QPointer<QTcpSocket> socket_;
    bool connecting_ = false;
};

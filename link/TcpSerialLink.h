#pragma once

#include "Link.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

// The program's link: one TCP socket to the matrix (and, on the serial side,
// nothing until a port is connected).
class TcpSerialLink : public Link {
    Q_OBJECT
public:
    // A matrix that has not answered a connect by then counts as unreachable.
    static constexpr int kConnectTimeoutMs = 3000;

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
    QTimer connectDeadline_;
    bool connecting_ = false;
};

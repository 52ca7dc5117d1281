#pragma once

#include "CCommPort.h"
#include "Link.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

// The program's link: one TCP socket and one serial port to the matrix.
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

    // Ports the system does not enumerate (pseudo-terminals) offered when
    // their path exists.
    void SetExtraPortPaths(const QStringList& paths) { extraPortPaths_ = paths; }
    QStringList AvailablePorts() const override;
    bool OpenSerial(const QString& name) override;
    void CloseSerial() override;
    bool IsSerialOpen() const override { return serial_.IsOpen(); }

protected:
    void WriteTcp(QByteArrayView bytes) override;
    void WriteSerial(QByteArrayView bytes) override;

private:
    void DropSocket();
    void FinishConnect(bool connected);

    QPointer<QTcpSocket> socket_;
    QTimer connectDeadline_;
    CCommPort serial_;
    QStringList extraPortPaths_;
    bool connecting_ = false;
};

#pragma once

#include "ByteOutlet.h"
#include "ControlCommand.h"
#include "MatrixModel.h"
#include "ReplyShaper.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <vector>

class TcpOutlet : public ByteOutlet {
    Q_OBJECT
public:
    explicit TcpOutlet(QTcpSocket* socket, QObject* parent = nullptr);
    QString Name() const override { return QStringLiteral("tcp"); }
    bool IsOpen() const override { return socket_ && socket_->isOpen(); }
    QTcpSocket* Socket() const { return socket_; }

protected:
    void WriteNow(const QByteArray& bytes) override;

private:
    QPointer<QTcpSocket> socket_;
};

// One simulated matrix: its model, its TCP server (one client at a time) and
// the streams it answers on.
class SimMatrix : public QObject {
    Q_OBJECT
public:
    SimMatrix(int number, const MacAddress& mac, const QHostAddress& address, quint16 port,
              bool verbose, QObject* parent = nullptr);

    bool Listen(QString* error);
    int Number() const { return number_; }
    MatrixModel& Model() { return model_; }
    QHostAddress Address() const { return address_; }
    quint16 Port() const { return port_; }

    // Bytes from the controller on `outlet`; the replies go back on it.
    void Receive(ByteOutlet& outlet, QByteArrayView bytes);
    void AddOutlet(ByteOutlet* outlet);
    void RemoveOutlet(ByteOutlet* outlet);

    // Applies a control line; returns what to print.
    ControlResult Control(const std::string& line);
    void SetFirmwareDumpPath(const QString& path) { dumpPath_ = path; }
    // A datagram to port 30601; the answer when it configured this matrix.
    std::optional<Bytes> Configure(QByteArrayView datagram);

signals:
    void closePtyRequested();

private:
    void Accept();
    void SendStandby();
    void CloseTcp();
    void Log(const QString& direction, const QString& channel, QByteArrayView bytes);
    void LogNotes();
    void DumpFirmwareIfAsked();

    int number_;
    QHostAddress address_;
    quint16 port_;
    bool verbose_;
    MatrixModel model_;
    ReplyShaper shaper_;
    QTcpServer server_;
    TcpOutlet* tcp_ = nullptr;
    std::vector<ByteOutlet*> outlets_;
    QElapsedTimer clock_;
    QString dumpPath_;
    std::size_t dumpedSize_ = 0;
};

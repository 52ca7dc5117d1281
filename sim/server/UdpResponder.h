#pragma once

#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

#include <memory>
#include <vector>

class SimMatrix;

// Discovery (30600) and network configuration (30601) for every simulated
// matrix: requests are received on the broadcast address, answers go from
// each matrix's own socket straight back to the requester.
class UdpResponder : public QObject {
    Q_OBJECT
public:
    UdpResponder(std::vector<SimMatrix*> matrices, const QHostAddress& listenAddress,
                 bool verbose, QObject* parent = nullptr);

    bool Start(QString* error);

private:
    void OnSearch();
    void OnConfig();

    std::vector<SimMatrix*> matrices_;
    QHostAddress listenAddress_;
    bool verbose_;
    QUdpSocket search_;
    QUdpSocket config_;
    std::vector<std::unique_ptr<QUdpSocket>> answerSockets_;
};

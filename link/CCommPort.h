#pragma once

#include "LinkState.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>

// The one serial port to the matrix. Writes leave in the order written and
// never discard received bytes. A port that fails (unplugged adapter, read or
// write error) is closed and reported once through lost().
class CCommPort : public QObject {
    Q_OBJECT
public:
    explicit CCommPort(QObject* parent = nullptr);

    // Opens `name` (a system port name or a path) with the line settings.
    bool Open(const QString& name, const LineSettings& settings);
    // Starts delivering received bytes through received().
    void StartMonitor();
    bool IsOpen() const { return port_.isOpen(); }
    // Gives the port up.
    void RequestStop();
    void Write(QByteArrayView bytes);

    QString Name() const { return port_.portName(); }

signals:
    void received(const QByteArray& bytes);
    void lost(const QString& reason);

private:
    void OnError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    bool monitoring_ = false;
};

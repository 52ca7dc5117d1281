#include "CCommPort.h"

CCommPort::CCommPort(QObject* parent) : QObject(parent)
{
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        if (monitoring_)
            emit received(port_.readAll());
    });
    connect(&port_, &QSerialPort::errorOccurred, this, &CCommPort::OnError);
}

bool CCommPort::Open(const QString& name, const LineSettings& settings)
{
    RequestStop();
    port_.setPortName(name);
    if (!port_.open(QIODevice::ReadWrite))
        return false;
    // A setting the driver refuses leaves the port usable with its current
    // line, as with adapters that fix their own framing.
    port_.setBaudRate(settings.baud);
    port_.setParity(settings.parity == 'E'   ? QSerialPort::EvenParity
                    : settings.parity == 'O' ? QSerialPort::OddParity
                                             : QSerialPort::NoParity);
    port_.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits));
    port_.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.clearError();
    return true;
}

void CCommPort::StartMonitor()
{
    monitoring_ = true;
    if (port_.bytesAvailable() > 0)
        emit received(port_.readAll());
}

void CCommPort::RequestStop()
{
    monitoring_ = false;
    if (port_.isOpen())
        port_.close();
}

void CCommPort::Write(QByteArrayView bytes)
{
    if (port_.isOpen())
        port_.write(bytes.data(), bytes.size());
}

void CCommPort::OnError(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError &&
        error != QSerialPort::WriteError)
        return;
    if (!port_.isOpen())
        return;
    const QString reason = port_.errorString();
    // The port stays "open" after its device went away; close it here so
    // that the failure is reported once.
    RequestStop();
    emit lost(reason);
}

#pragma once

#include "ReplyShaper.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>

// A byte stream to the controller (TCP client or pseudo-terminal) that keeps
// timed writes in order.
class ByteOutlet : public QObject {
    Q_OBJECT
public:
    explicit ByteOutlet(QObject* parent = nullptr);

    void Queue(const std::vector<TimedWrite>& writes);
    virtual QString Name() const = 0;
    virtual bool IsOpen() const = 0;

protected:
    virtual void WriteNow(const QByteArray& bytes) = 0;

private:
    void Flush();

    struct Pending {
        qint64 due;
        QByteArray bytes;
    };
    std::deque<Pending> queue_;
    QElapsedTimer clock_;
    QTimer timer_;
    qint64 lastDue_ = 0;
};

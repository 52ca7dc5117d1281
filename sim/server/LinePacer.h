#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

// Lets bytes through no faster than a serial line carries them: each byte
// takes 11 bit times (start, 8 data, 2 stop) at the given baud rate.
class LinePacer : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(const QByteArray&)>;

    LinePacer(int baud, Sink sink, QObject* parent = nullptr);

    void Push(const QByteArray& bytes);

private:
    void Release();

    qint64 byteNs_;
    Sink sink_;
    QElapsedTimer clock_;
    QTimer timer_;
    std::deque<std::pair<qint64, char>> queue_; // due time (ns), byte
    qint64 lineFreeAt_ = 0;
};

#include "ByteOutlet.h"

ByteOutlet::ByteOutlet(QObject* parent) : QObject(parent)
{
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ByteOutlet::Flush);
}

void ByteOutlet::Queue(const std::vector<TimedWrite>& writes)
{
    for (const TimedWrite& write : writes) {
        const QByteArray bytes(reinterpret_cast<const char*>(write.bytes.data()),
                               static_cast<qsizetype>(write.bytes.size()));
        const qint64 now = clock_.elapsed();
        if (queue_.empty() && write.delayMs == 0) {
            lastDue_ = now;
            WriteNow(bytes);
            continue;
        }
        lastDue_ = std::max(lastDue_, now) + write.delayMs;
        queue_.push_back({lastDue_, bytes});
    }
    Flush();
}

void ByteOutlet::Flush()
{
    const qint64 now = clock_.elapsed();
    while (!queue_.empty() && queue_.front().due <= now) {
        WriteNow(queue_.front().bytes);
        queue_.pop_front();
    }
    if (!queue_.empty())
        timer_.start(static_cast<int>(queue_.front().due - now));
}

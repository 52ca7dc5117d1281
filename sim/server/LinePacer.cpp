#include "LinePacer.h"

LinePacer::LinePacer(int baud, Sink sink, QObject* parent)
    : QObject(parent), byteNs_(11'000'000'000LL / baud), sink_(std::move(sink))
{
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &LinePacer::Release);
}

void LinePacer::Push(const QByteArray& bytes)
{
    qint64 due = std::max(lineFreeAt_, clock_.nsecsElapsed());
    for (char byte : bytes) {
        due += byteNs_;
        queue_.emplace_back(due, byte);
    }
    lineFreeAt_ = due;
    Release();
}

void LinePacer::Release()
{
    const qint64 now = clock_.nsecsElapsed();
    QByteArray ready;
    while (!queue_.empty() && queue_.front().first <= now) {
        ready.append(queue_.front().second);
        queue_.pop_front();
    }
    if (!ready.isEmpty())
        sink_(ready);
    if (queue_.empty())
        return;
    // Timers have millisecond steps; the last fraction is waited out with
    // zero-length timers so that bytes are not held back a whole step.
    const qint64 waitNs = queue_.front().first - now;
    timer_.start(static_cast<int>(waitNs / 1'000'000));
}

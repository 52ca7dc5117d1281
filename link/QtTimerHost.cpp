#include "QtTimerHost.h"

void QtTimerHost::Start(int id, int ms)
{
    auto& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, [this, id] { Fire(id); });
    }
    timer->start(ms);
}

void QtTimerHost::Stop(int id)
{
    if (auto found = timers_.find(id); found != timers_.end())
        found->second->stop();
}

bool QtTimerHost::IsRunning(int id) const
{
    auto found = timers_.find(id);
    return found != timers_.end() && found->second->isActive();
}

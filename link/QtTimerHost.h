#pragma once

#include "TimerHost.h"

#include <QTimer>

#include <map>

// Real-time timers on the Qt event loop.
class QtTimerHost : public TimerHost {
public:
    void Start(int id, int ms) override;
    void Stop(int id) override;
    bool IsRunning(int id) const override;

private:
    std::map<int, std::unique_ptr<QTimer>> timers_;
};

class QtTimerFactory : public TimerHostFactory {
public:
    std::unique_ptr<TimerHost> CreateTimerHost() override { return std::make_unique<QtTimerHost>(); }
};

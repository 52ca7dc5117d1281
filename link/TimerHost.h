#pragma once

#include <functional>
#include <memory>

// One window's numbered one-shot timers. A timer has stopped before its
// callback runs, so a handler may start it again.
class TimerHost {
public:
    using Callback = std::function<void(int id)>;

    virtual ~TimerHost() = default;

    // Starts the timer, or restarts it with the new period when it is running.
    virtual void Start(int id, int ms) = 0;
    virtual void Stop(int id) = 0;
    virtual bool IsRunning(int id) const = 0;

    void StopRange(int first, int last);
    void SetCallback(Callback callback) { callback_ = std::move(callback); }

protected:
    void Fire(int id) const;

private:
    Callback callback_;
};

// Makes the timer hosts of the windows; the program uses real time, tests a
// VirtualClock.
class TimerHostFactory {
public:
    virtual ~TimerHostFactory() = default;
    virtual std::unique_ptr<TimerHost> CreateTimerHost() = 0;
};

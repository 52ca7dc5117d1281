#pragma once

#include "TimerHost.h"

#include <cstdint>
#include <vector>

class VirtualTimerHost;

// Test time: nothing moves until Advance, which fires every due timer of every
// host made by this clock in due-time order (ties in start order), including
// timers started by the handlers it fires.
class VirtualClock : public TimerHostFactory {
public:
    VirtualClock() = default;
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;
    ~VirtualClock() override;

    std::unique_ptr<TimerHost> CreateTimerHost() override;

    void Advance(std::int64_t ms);
    std::int64_t Now() const { return now_; }

private:
    friend class VirtualTimerHost;

    struct Pending {
        VirtualTimerHost* host;
        int id;
        std::int64_t due;
        std::uint64_t order;
    };

    void Schedule(VirtualTimerHost* host, int id, int ms);
    void Cancel(const VirtualTimerHost* host, int id);
    void CancelAll(const VirtualTimerHost* host);
    bool IsScheduled(const VirtualTimerHost* host, int id) const;
    void Detach(VirtualTimerHost* host);

    std::vector<Pending> pending_;
    std::vector<VirtualTimerHost*> hosts_;
    std::int64_t now_ = 0;
    std::uint64_t nextOrder_ = 0;
};

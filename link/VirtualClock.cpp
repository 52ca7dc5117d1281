#include "VirtualClock.h"

#include <algorithm>

class VirtualTimerHost : public TimerHost {
public:
    explicit VirtualTimerHost(VirtualClock* clock) : clock_(clock) {}
    ~VirtualTimerHost() override
    {
        if (clock_)
            clock_->Detach(this);
    }

    void Start(int id, int ms) override
    {
        if (clock_)
            clock_->Schedule(this, id, ms);
    }
    void Stop(int id) override
    {
        if (clock_)
            clock_->Cancel(this, id);
    }
    bool IsRunning(int id) const override { return clock_ && clock_->IsScheduled(this, id); }

    void FireFromClock(int id) const { Fire(id); }
    void ForgetClock() { clock_ = nullptr; }

private:
    VirtualClock* clock_;
};

VirtualClock::~VirtualClock()
{
    for (VirtualTimerHost* host : hosts_)
        host->ForgetClock();
}

std::unique_ptr<TimerHost> VirtualClock::CreateTimerHost()
{
    auto host = std::make_unique<VirtualTimerHost>(this);
    hosts_.push_back(host.get());
    return host;
}

void VirtualClock::Advance(std::int64_t ms)
{
    const std::int64_t target = now_ + ms;
    for (;;) {
        auto next = std::min_element(pending_.begin(), pending_.end(),
                                     [](const Pending& a, const Pending& b) {
                                         return a.due != b.due ? a.due < b.due : a.order < b.order;
                                     });
        if (next == pending_.end() || next->due > target)
            break;
        const Pending due = *next;
        pending_.erase(next);
        now_ = due.due;
        due.host->FireFromClock(due.id);
    }
    now_ = target;
}

void VirtualClock::Schedule(VirtualTimerHost* host, int id, int ms)
{
    Cancel(host, id);
    pending_.push_back({host, id, now_ + std::max(ms, 0), nextOrder_++});
}

void VirtualClock::Cancel(const VirtualTimerHost* host, int id)
{
    std::erase_if(pending_, [&](const Pending& p) { return p.host == host && p.id == id; });
}

void VirtualClock::CancelAll(const VirtualTimerHost* host)
{
    std::erase_if(pending_, [&](const Pending& p) { return p.host == host; });
}

bool VirtualClock::IsScheduled(const VirtualTimerHost* host, int id) const
{
    return std::any_of(pending_.begin(), pending_.end(),
                       [&](const Pending& p) { return p.host == host && p.id == id; });
}

void VirtualClock::Detach(VirtualTimerHost* host)
{
    CancelAll(host);
    std::erase(hosts_, host);
}

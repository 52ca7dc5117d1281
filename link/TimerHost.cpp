#include "TimerHost.h"

void TimerHost::StopRange(int first, int last)
{
    for (int id = first; id <= last; ++id)
        Stop(id);
}

void TimerHost::Fire(int id) const
{
    if (callback_)
        callback_(id);
}

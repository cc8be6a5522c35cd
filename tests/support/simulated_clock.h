// A made-up clock for the screen runner: a sleep passes at once and brings the
// timer's ticks of the periods it spans, so a screen runs headless at its pace.
#pragma once
#include "app/globals.h"
#include "app/loop.h"
#include "platform/frame_clock.h"

namespace SimulatedTime {
inline int64_t now = 0;
inline int64_t periodNanos = 1;
inline int sleeps = 0;  // how often the runner went to sleep

inline void Sleep(int64_t when)
{
    sleeps++;
    if (when <= now)
        return;
    g_Ticks += static_cast<int>(when / periodNanos - now / periodNanos);
    now = when;
}

// The runner paces itself by the made-up clock, from 0, while this lives.
struct Running {
    explicit Running(int64_t period)
    {
        now = 0;
        sleeps = 0;
        periodNanos = period;
        UseRunnerClock({[] { return now; }, Sleep});
    }
    ~Running() { UseRunnerClock({MonotonicNanos, SleepUntil}); }
};
}  // namespace SimulatedTime

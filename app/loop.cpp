#include "app/loop.h"
#include "app/frame_clock.h"
#include "app/globals.h"
#include "app/startup.h"

// When the current ticks started, and their period: the steps' schedule.
static int64_t s_TicksStartedAt = 0;
static int s_TickPeriodMs = PERIOD_GAME;

void StartTicks(int periodMs)
{
    install_int(TimerTick, periodMs);
    g_Ticks = 0;
    s_TicksStartedAt = MonotonicNanos();
    s_TickPeriodMs = periodMs;
}

void StopTicks()
{
    remove_int(TimerTick);
}

// Runs one logic step per pending tick; returns how many ran.
static int RunPendingSteps(const std::function<void()>& logicStep)
{
    if (g_CloseRequested)
        QuitAtOnce();
    int steps = 0;
    while (g_Ticks > 0) {
        logicStep();
        g_Ticks--;
        steps++;
    }
    return steps;
}

void RunFrames(const std::function<void()>& logicStep, const std::function<bool()>& drawFrame)
{
    bool firstFrame = true;
    for (;;) {
        const bool stepped = RunPendingSteps(logicStep) > 0;
        if (!stepped && !firstFrame) {
            // Nothing changed since the last frame: wait for the next tick.
            rest(1);
            continue;
        }
        firstFrame = false;
        if (drawFrame())
            return;
    }
}

void RunPacedFrames(const std::function<void()>& logicStep, const std::function<bool(float)>& drawFrame)
{
    if (!HasFrameClock()) {
        RunFrames(logicStep, [&] { return drawFrame(1.0f); });
        return;
    }
    StepClock steps;
    steps.Start(s_TicksStartedAt, s_TickPeriodMs);
    FrameSchedule frames;
    frames.Start(MonotonicNanos());
    for (;;) {
        steps.StepsRan(RunPendingSteps(logicStep));
        if (drawFrame(steps.Fraction(MonotonicNanos())))
            return;
        SleepUntil(frames.Next(MonotonicNanos()));
    }
}

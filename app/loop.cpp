#include "app/loop.h"
#include "input/input.h"
#include "platform/audio.h"
#include "platform/display.h"
#include "platform/focus.h"
#include "platform/frame_clock.h"
#include "app/globals.h"
#include "app/startup.h"
#include "platform/x_display.h"

// When the current ticks started, and their period: the steps' schedule.
static int64_t s_TicksStartedAt = 0;
static int s_TickPeriodMs = PERIOD_GAME;

// Allegro without a system driver (the headless tests) has no timer to
// install; there the caller feeds g_Ticks itself.
static bool HaveTimer()
{
    return system_driver && system_driver->id != SYSTEM_NONE;
}

// install_int(TimerTick, periodMs) and g_Ticks = 0.
static void StartTicks(int periodMs)
{
    if (HaveTimer())
        install_int(TimerTick, periodMs);
    g_Ticks = 0;
    s_TicksStartedAt = MonotonicNanos();
    s_TickPeriodMs = periodMs;
    ForgetFocusLoss();
}

// remove_int(TimerTick).
static void StopTicks()
{
    if (HaveTimer())
        remove_int(TimerTick);
}

// Runs one logic step per pending tick; returns how many ran.
static int RunPendingSteps(const std::function<void()>& logicStep)
{
    if (g_CloseRequested)
        QuitAtOnce();
    if (DisplayLost())
        EndForLostDisplay();
    HandleDisplayKeys();
    int steps = 0;
    while (g_Ticks > 0) {
        PollInputDevices();
        logicStep();
        g_Ticks--;
        steps++;
    }
    return steps;
}

// Runs one logic step per pending tick, then draws one frame (drawFrame draws,
// flips and returns true to leave the loop). When no tick is pending the loop
// sleeps instead of drawing the same frame again, so an idle screen does not
// eat a CPU core.
static void RunFrames(const std::function<void()>& logicStep, const std::function<bool(float)>& drawFrame)
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
        if (drawFrame(1.0f))
            return;
    }
}

// Frames 60 times a second from the monotonic clock, each drawn the fraction
// of a period since the latest step. Every pending step runs before a frame;
// when drawing falls behind, the frame slots already past are dropped.
static void RunFramesBetweenSteps(const std::function<void()>& logicStep,
                                  const std::function<bool(float)>& drawFrame)
{
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

static void EnterScreen(const ScreenLoop& loop)
{
    // A front-end screen draws its first frame into the first page, whichever is on view.
    if (!loop.keepBackBuffer)
        g_BackBuffer = g_Page1;
    ForgetTypedKeys();
    StartTicks(loop.periodMs);
    if (loop.settleMs > 0) {
        rest(loop.settleMs);
        ForgetTypedKeys();
    }
    if (loop.music != NO_MUSIC)
        PlayMusic(loop.music);
}

static void LeaveScreen(const ScreenLoop& loop, const ScreenParts& parts)
{
    if (loop.music != NO_MUSIC)
        StopMusic();
    if (parts.leave)
        parts.leave();
    if (loop.clearKeysOnExit)
        ForgetTypedKeys();
    StopTicks();
}

void RunScreen(const ScreenLoop& loop, const ScreenParts& parts)
{
    EnterScreen(loop);
    auto drawFrame = [&](float t) {
        parts.draw(g_BackBuffer, t);
        FlipPages();
        return parts.done();
    };
    // Headless there is no timer: the steps are fed by hand and frames follow them.
    if (loop.framesBetweenSteps && HaveTimer() && HasFrameClock())
        RunFramesBetweenSteps(parts.step, drawFrame);
    else
        RunFrames(parts.step, drawFrame);
    LeaveScreen(loop, parts);
}

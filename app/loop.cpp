#include "app/loop.h"
#include <algorithm>
#include "input/input.h"
#include "platform/audio.h"
#include "platform/display.h"
#include "platform/focus.h"
#include "platform/frame_clock.h"
#include "app/globals.h"
#include "app/startup.h"
#include "platform/quit_signals.h"
#include "platform/x_display.h"

// When the current ticks started, and their period: the steps' schedule.
static int64_t s_TicksStartedAt = 0;
static int64_t s_TickPeriodNanos = PERIOD_GAME * NANOS_PER_SECOND / 1000;

static RunnerClock s_Clock{MonotonicNanos, SleepUntil};

void UseRunnerClock(const RunnerClock& clock)
{
    s_Clock = clock;
}

// Allegro without a system driver (the headless tests) has no timer to
// install; there the caller feeds g_Ticks itself.
static bool HaveTimer()
{
    return system_driver && system_driver->id != SYSTEM_NONE;
}

int64_t TickPeriodNanos(const ScreenLoop& loop)
{
    if (loop.stepsPerSecond > 0)
        return NANOS_PER_SECOND / loop.stepsPerSecond;
    return loop.periodMs * NANOS_PER_SECOND / 1000;
}

// TimerTick at the loop's pace and g_Ticks = 0.
static void StartTicks(const ScreenLoop& loop)
{
    if (HaveTimer() && loop.stepsPerSecond > 0)
        install_int_ex(TimerTick, BPS_TO_TIMER(loop.stepsPerSecond));
    else if (HaveTimer())
        install_int(TimerTick, loop.periodMs);
    g_Ticks = 0;
    s_TicksStartedAt = s_Clock.now();
    s_TickPeriodNanos = TickPeriodNanos(loop);
    ForgetFocusLoss();
}

// remove_int(TimerTick).
static void StopTicks()
{
    if (HaveTimer())
        remove_int(TimerTick);
}

// The close button or a quit signal ends the game before the next step.
static void LeaveWhenAsked()
{
    if (g_CloseRequested || g_QuitSignal)
        QuitAtOnce();
}

// Runs one logic step per pending tick; returns how many ran.
static int RunPendingSteps(const std::function<void()>& logicStep)
{
    LeaveWhenAsked();
    if (DisplayLost())
        EndForLostDisplay();
    HandleDisplayKeys();
    int steps = 0;
    while (g_Ticks > 0) {
        LeaveWhenAsked();
        PollInputDevices();
        logicStep();
        g_Ticks--;
        steps++;
    }
    return steps;
}

// Runs one logic step per pending tick, and draws the latest state (drawFrame
// draws, flips and returns true to leave the loop) at most once a display
// frame, 60 times a second: a screen stepping 100 times a second would
// otherwise draw frames the display never shows. Without a new step the loop
// sleeps until the next one is due (then a millisecond at a time for a late
// tick) instead of drawing the same frame again.
static void RunFrames(const std::function<void()>& logicStep, const std::function<bool(float)>& drawFrame)
{
    constexpr int64_t WAIT_FOR_TICK = NANOS_PER_SECOND / 1000;
    StepClock steps;
    steps.Start(s_TicksStartedAt, s_TickPeriodNanos);
    FrameSchedule frames;
    frames.Start(s_Clock.now());
    int64_t nextFrame = 0;  // the first frame at once
    bool changed = true;
    for (;;) {
        const int ran = RunPendingSteps(logicStep);
        steps.StepsRan(ran);
        changed = ran > 0 || changed;
        const int64_t now = s_Clock.now();
        if (!changed || now < nextFrame) {
            s_Clock.sleepUntil(changed ? nextFrame : std::max(steps.NextDue(), now + WAIT_FOR_TICK));
            continue;
        }
        changed = false;
        if (drawFrame(1.0f))
            return;
        nextFrame = frames.Next(s_Clock.now());
    }
}

// Frames 60 times a second from the monotonic clock, each drawn the fraction
// of a period since the latest step. Every pending step runs before a frame;
// when drawing falls behind, the frame slots already past are dropped.
static void RunFramesBetweenSteps(const std::function<void()>& logicStep,
                                  const std::function<bool(float)>& drawFrame)
{
    StepClock steps;
    steps.Start(s_TicksStartedAt, s_TickPeriodNanos);
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
    StartTicks(loop);
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

// A still picture is drawn twice a second.
constexpr int64_t STILL_PICTURE_REDRAW_NANOS = NANOS_PER_SECOND / 2;

void RunScreen(const ScreenLoop& loop, const ScreenParts& parts)
{
    EnterScreen(loop);
    bool drawn = false;
    int64_t shown = 0, drawnAt = 0;
    auto drawFrame = [&](float t) {
        if (parts.look) {
            const int64_t look = parts.look(), now = s_Clock.now();
            // The same frame is on view already; it is drawn again now and then all the
            // same, since only drawing finds out that the window is gone.
            if (drawn && look == shown && now - drawnAt < STILL_PICTURE_REDRAW_NANOS)
                return parts.done();
            shown = look;
            drawnAt = now;
        }
        drawn = true;
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

#include "app/loop.h"
#include "app/audio.h"
#include "app/display.h"
#include "app/focus.h"
#include "app/globals.h"
#include "app/startup.h"

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
    ForgetFocusLoss();
}

// remove_int(TimerTick).
static void StopTicks()
{
    if (HaveTimer())
        remove_int(TimerTick);
}

// Runs one logic step per pending tick, then draws one frame (drawFrame draws,
// flips and returns true to leave the loop). When no tick is pending the loop
// sleeps instead of drawing the same frame again, so an idle screen does not
// eat a CPU core.
static void RunFrames(const std::function<void()>& logicStep, const std::function<bool()>& drawFrame)
{
    bool firstFrame = true;
    for (;;) {
        if (g_CloseRequested)
            QuitAtOnce();
        HandleDisplayKeys();
        bool stepped = false;
        while (g_Ticks > 0) {
            logicStep();
            g_Ticks--;
            stepped = true;
        }
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

static void EnterScreen(const ScreenLoop& loop)
{
    // A front-end screen draws its first frame into the first page, whichever is on view.
    if (!loop.keepBackBuffer)
        g_BackBuffer = g_Page1;
    clear_keybuf();
    StartTicks(loop.periodMs);
    if (loop.settleMs > 0) {
        rest(loop.settleMs);
        clear_keybuf();
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
        clear_keybuf();
    StopTicks();
}

void RunScreen(const ScreenLoop& loop, const ScreenParts& parts)
{
    EnterScreen(loop);
    RunFrames(parts.step, [&] {
        parts.draw(g_BackBuffer);
        FlipPages();
        return parts.done();
    });
    LeaveScreen(loop, parts);
}

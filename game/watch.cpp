#include "game/watch.h"
#include "app/globals.h"
#include "app/loop.h"
#include "data/datafile.h"
#include "game/demo.h"
#include "game/game.h"
#include "game/record.h"
#include "input/input.h"
#include "platform/audio.h"
#include "platform/draw.h"
#include "replay/replay_store.h"

constexpr int FAST_STEPS = 4;  // steps per tick while Right is held

namespace {

struct WatchState {
    ReplayRun* run;
    const char* caption;
    WatchEnd end;
    PressReader keys;
    bool captionShown = false;
    int blinkCounter = DEMO_BLINK_PERIOD;
    bool done = false;
};

// The caption blinks as the demo's does: hidden 10 steps, then 11 shown, 11 hidden.
void Blink(WatchState& w)
{
    if (w.blinkCounter > 0) {
        w.blinkCounter--;
    } else {
        w.blinkCounter = DEMO_BLINK_PERIOD;
        w.captionShown = !w.captionShown;
    }
}

bool WatcherEnds(WatchState& w)
{
    if (w.end == WatchEnd::OnAnyKey) {
        if (!AnyKeyTyped())
            return false;
        PlaySample(SND_SELECT);  // whatever the game's sound switch says, as in the demo
        return true;
    }
    return w.keys.Pressed(INPUT_ESC);
}

void WatchStep(WatchState& w)
{
    w.keys.Step();
    if (w.done)
        return;
    if (WatcherEnds(w) || w.run->Finished()) {
        w.done = true;
        return;
    }
    const bool fast = w.end == WatchEnd::OnEsc && ReadHeldDirections(CONTROL_KEYBOARD, 0, 0).right;
    for (int i = 0; i < (fast ? FAST_STEPS : 1) && !w.run->Finished(); i++)
        w.run->Step();
    Blink(w);
}

void WatchDraw(const WatchState& w, BITMAP* dest, float t)
{
    DrawLevel_01(dest, t);
    if (w.captionShown)
        DrawOverlayText(dest, DataFont(FNT_TABLE), w.caption, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2,
                        makecol(0, 0, 255), 5);
}

}  // namespace

void WatchReplay(const Replay& replay, const char* caption, WatchEnd end)
{
    ReplayRun run(replay);
    WatchState w{&run, caption, end, PressReader{}};
    w.keys.Open(PERIOD_GAME, REPEAT_AFTER_MS);
    // A relaxed game plays back at the pace it was played at.
    RunScreen(GameLoop(replay.speed), w, WatchStep, WatchDraw);
}

void PlayAttractDemo()
{
    Replay best;
    if (ReadBestRecordedGame(best))
        WatchReplay(best, "DEMO", WatchEnd::OnAnyKey);
    else
        PlayDemo();
}

// The fixed-step screen loop shared by every screen, the game and the demo.
#pragma once
#include <allegro.h>
#include <cstdint>
#include <functional>

constexpr int NO_MUSIC = -1;

// How a screen wants its loop run.
struct ScreenLoop {
    int periodMs;               // one logic step per period
    int music = NO_MUSIC;       // datafile tune looped while the screen runs
    bool keepBackBuffer = false;  // the game and the demo draw on into the page they find
    int settleMs = 0;           // a pause after the timer starts; its ticks run before the first frame
    bool clearKeysOnExit = false;  // the key that ended the screen must not reach the next one
    // Frames 60 times a second, paced by the clock, each drawn a fraction of the
    // way from the previous step to the latest one; otherwise the latest step,
    // drawn after each round of steps but never more than 60 times a second.
    bool framesBetweenSteps = false;
    // Logic steps a second when set, instead of one a periodMs (the game's relaxed speeds).
    int stepsPerSecond = 0;
};
// The time between two of the loop's logic steps.
int64_t TickPeriodNanos(const ScreenLoop& loop);

// What a screen gives the loop: one logic step, one frame drawn into the page
// it is handed (reading state, changing nothing) with t, the fraction of a
// period since the latest step (0..1; 1 unless frames come between steps),
// the test, made after each drawn frame, that the screen is over, and what it
// does as it leaves, once its music has stopped (may be empty), and, for a
// still picture, what it shows (may be empty): a frame is drawn only when that
// changes, so an idle menu leaves the picture on view and draws nothing.
struct ScreenParts {
    std::function<void()> step;
    std::function<void(BITMAP*, float)> draw;
    std::function<bool()> done;
    std::function<void()> leave;
    std::function<int64_t()> look;
};

// Runs a screen from entry to exit: the back buffer, the key buffer, the
// timer, the music, the steps, the frames and their flips, then music, keys
// and timer off again. The screen sets up its state before and lets go of its
// bitmaps after.
void RunScreen(const ScreenLoop& loop, const ScreenParts& parts);

// The clock the runner paces its frames by: the monotonic clock unless a test
// gives a simulated one.
struct RunnerClock {
    int64_t (*now)();
    void (*sleepUntil)(int64_t when);
};
void UseRunnerClock(const RunnerClock& clock);

// The same for a screen whose state is one struct with a `done` flag.
template <class State>
void RunScreen(const ScreenLoop& loop, State& state, void (*step)(State&), void (*draw)(const State&, BITMAP*))
{
    auto stepState = [&] { step(state); };
    auto drawState = [&](BITMAP* page, float) { draw(state, page); };
    RunScreen(loop, {stepState, drawState, [&] { return state.done; }, nullptr, nullptr});
}

// And for a still picture that changes only with what `look` returns.
template <class State>
void RunScreen(const ScreenLoop& loop, State& state, void (*step)(State&), void (*draw)(const State&, BITMAP*),
               int64_t (*look)(const State&))
{
    auto stepState = [&] { step(state); };
    auto drawState = [&](BITMAP* page, float) { draw(state, page); };
    RunScreen(loop, {stepState, drawState, [&] { return state.done; }, nullptr, [&] { return look(state); }});
}

// And for one whose frames are drawn between its steps.
template <class State>
void RunScreen(const ScreenLoop& loop, State& state, void (*step)(State&),
               void (*draw)(const State&, BITMAP*, float))
{
    auto stepState = [&] { step(state); };
    auto drawState = [&](BITMAP* page, float t) { draw(state, page, t); };
    RunScreen(loop, {stepState, drawState, [&] { return state.done; }, nullptr, nullptr});
}

// The fixed-step screen loop shared by every screen, the game and the demo.
#pragma once
#include <functional>

// install_int(TimerTick, periodMs) and g_Ticks = 0.
void StartTicks(int periodMs);
// remove_int(TimerTick).
void StopTicks();

// Runs one logic step per pending tick, then draws one frame (drawFrame draws
// into g_BackBuffer, calls FlipPages and returns true to leave the loop).
// When no tick is pending the loop sleeps instead of drawing the same frame
// again, so an idle screen does not eat a CPU core.
void RunFrames(const std::function<void()>& logicStep, const std::function<bool()>& drawFrame);

// Frames 60 times a second, paced by the clock, between the logic steps of the
// ticks started last: drawFrame gets t, the fraction of a period since the
// latest step (0..1), draws into g_BackBuffer, flips and returns true to leave.
// Every logic step still runs; when drawing falls behind, frames are dropped.
// Without a clock fine enough for 60 frames, frames follow the steps at t = 1.
void RunPacedFrames(const std::function<void()>& logicStep, const std::function<bool(float)>& drawFrame);

// Shared state of the screens: timer ticks, display pages and the flags the
// screens hand each other. The picture's size, the datafile and the player's
// settings come along, since nearly every screen needs them.
#pragma once
#include "data/datafile.h"
#include "platform/picture.h"
#include "settings/settings.h"
#include <allegro.h>
#include <atomic>
#include <cstdint>

constexpr int PAUSE_BETWEEN_SCREENS_MS = 250;

// Timer periods of the screens, in milliseconds.
constexpr int PERIOD_FAST_SCREEN = 10;  // intro, menu, setup
constexpr int PERIOD_SLOW_SCREEN = 40;  // instructions, hi-score, name entry, credits, congratulations
constexpr int PERIOD_GAME = 50;         // game and demo

// Timer periods not yet consumed by a logic step. Written by the timer
// thread and the main thread, so it must never lose an increment.
extern std::atomic<int32_t> g_Ticks;
void TimerTick();

extern BITMAP* g_Page1;
extern BITMAP* g_Page2;
extern BITMAP* g_BackBuffer;
// True when the pages are real video bitmaps shown by page flipping; false when
// they are memory pages that FlipPages copies to the screen (Allegro's X11 driver).
extern bool g_VideoPages;
void FlipPages();

extern bool g_DemoMode;

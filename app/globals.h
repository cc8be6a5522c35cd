// Shared state of the whole program: timer ticks, display pages, the loaded
// datafile, settings, hi-scores and the flags the screens hand each other.
#pragma once
#include <allegro.h>
#include <atomic>
#include <cstdint>

constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;
constexpr int COLOR_DEPTH = 32;
constexpr int HISCORE_ROWS = 6;
constexpr int PAUSE_BETWEEN_SCREENS_MS = 250;
constexpr int PLAYER_NAME_MAX = 14;

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

extern DATAFILE* g_Data;
extern bool g_DemoMode;

struct GameSettings {
    int32_t control;
    int32_t soundVolume;
    int32_t musicVolume;
};
static_assert(sizeof(GameSettings) == 12, "config.dat holds exactly 12 bytes");
extern GameSettings g_Settings;
extern const GameSettings DEFAULT_SETTINGS;

struct HiScoreEntry {
    char name[16];
    int32_t score;
};
static_assert(sizeof(HiScoreEntry) == 20, "a hi-score row is 20 bytes");
static_assert(sizeof(HiScoreEntry[HISCORE_ROWS]) == 120, "hiscore.dat holds exactly 120 bytes");
extern HiScoreEntry g_HiScores[HISCORE_ROWS];

extern char g_PlayerName[PLAYER_NAME_MAX + 1];

// The flags, delays and counters of a game in progress.
#pragma once
#include "input/input.h"
#include <cstdint>

constexpr int GAME_OVER_TICKS = 150;

struct GameState {
    bool quitRequested;
    bool quitBoxOpen;
    int32_t quitChoice;  // 0 Yes, 1 No
    bool paused;
    bool soundOn;
    int32_t soundMessageTime;
    bool musicOn;
    int32_t musicMessageTime;
    int32_t gameOverTime;
    bool gameOver;
    bool seaCrossed;
    int32_t finalScore;
    int32_t hiScoreRank;      // the table's row the final score took, -1 for none
    int32_t bannerLevel;      // the level "LEVEL n" names
    int32_t levelBannerTime;  // ticks the banner stays on screen
    // The share of 20 steps a second the game runs at, in percent: the game's
    // loop and its replay take it from here; under 100 the score is not ranked.
    int32_t speed;
    // ESC, the quit box's arrows and Enter, P, S and M.
    PressReader keys;
};

extern GameState g_Game;

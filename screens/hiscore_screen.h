// The hi-score table over a rain of coins.
#pragma once
#include "settings/settings.h"
#include <allegro.h>
#include <string>

constexpr int HISCORE_RAIN_STEPS = 200;  // 8 s of new coins
constexpr int HISCORE_COIN_FALL = 10;    // pixels per step

struct HiScoreState {
    int countdown = HISCORE_RAIN_STEPS;
    bool done = false;
    bool rowHasGame[HISCORE_ROWS] = {};  // its game is kept and can be watched
    int watchRow = -1;                    // the row whose game the player asked for
    std::string message;                  // why a row's game cannot be watched
};

// Resets the state (and notes which rows have a game to watch) and readies the (bound) collection for the coin rain.
void HiScoreReset(HiScoreState& table);
// One step of the rain; it ends with HiScoreCheckDone.
void HiScoreStep(HiScoreState& table);
// The coins are drawn a fraction t of the way from the previous step to the latest one.
void HiScoreDraw(const HiScoreState& table, BITMAP* dest, float t = 1.0f);
// Done when the rain is over and the last coin is gone, or on a key; keys 1
// to 6 watch that row's game instead, when it has one (a damaged one says why).
void HiScoreCheckDone(HiScoreState& table);

// After a game that was not quit: keeps the fish's score as the final score
// and offers it to the table. Returns the row it took, or -1.
int OfferFinalScore();

// A score right-aligned in a field of six characters ("%6ld").
std::string HiScoreText(long score);

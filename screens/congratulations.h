// The congratulations screen after a completed game.
#pragma once
#include <allegro.h>
#include <string>

constexpr int CONGRATULATIONS_SPAWN_STEPS = 120;  // 4.8 s of new figures
constexpr int CONGRATULATIONS_FIGURE_STEP = -10;  // pixels per step, leftwards

extern const char* const CongratulationsLines[2];

struct CongratulationsState {
    int countdown = CONGRATULATIONS_SPAWN_STEPS;
    bool done = false;
    std::string scoreText;
    std::string newHiScoreText;  // "" when the score did not enter the table
};

// Resets the state, places the fish and fills the collection; the score is
// g_Game.finalScore, and g_Game.hiScoreRank the row of the table it took.
void CongratulationsReset(CongratulationsState& congrats);
// One step of the figures; it ends with CongratulationsCheckDone.
void CongratulationsStep(CongratulationsState& congrats);
// The figures are drawn a fraction t of the way from the previous step to the latest one.
void CongratulationsDraw(const CongratulationsState& congrats, BITMAP* dest, float t = 1.0f);
// Done when the figures have stopped coming and are gone, or on a key.
void CongratulationsCheckDone(CongratulationsState& congrats);

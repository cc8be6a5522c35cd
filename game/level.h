// The parts of one game that tests and benchmarks reach without the timer.
#pragma once
#include <allegro.h>
#include <functional>
#include <string>

// A held game key acts every 6th tick (once it has been held 300 ms).
constexpr int GAME_REPEAT_MS = 300;
// How long "SOUND ON", "MUSIC OFF" and the like stay on screen, in ticks.
constexpr int GAME_MESSAGE_TICKS = 50;
// "LEVEL 1", "LEVEL 2"... stays 2 s at the start of every level, over the play.
constexpr int LEVEL_BANNER_TICKS = 40;

// The sea grows busier and more varied with every level: the sea collection's
// minimum, kinds in play and spawn band from the map (the game and the demo alike).
void FeedSeaCollection();
// Before every step of the game or the demo, moving or not: the sea's layers,
// map and objects remember where they are, for the frames drawn until the next step.
void StartSeaStep();
// The background layers scroll at the sea's pace divided by these: the far
// layer at a sixth, the near one at a third.
constexpr int FAR_LAYER_DIVISOR = 6;
constexpr int NEAR_LAYER_DIVISOR = 3;
// One step of the sea, the game's and the demo's alike: the map scrolls (by
// the fish's speed where it follows the fish), the collection is fed for the
// level, both layers follow at their parallax, `beforeObjectsDrift` has its
// say, and the objects drift with the floor.
void StepSea(int fishSpeedX, int fishSpeedY, const std::function<void()>& beforeObjectsDrift = {});
// Sets g_Game to the state a new game starts in.
void ResetGameState();
// True once the game has ended: quit, GAME OVER run out, or the sea crossed.
bool IsGameEnded();
// HUD texts: lives and coins in two digits (3 as "03", 12 as "12").
std::string FormatHudCounter(int value);
// The score in five digits (120 as "00120"): in the HUD, under GAME OVER and on
// the congratulations screen.
std::string FormatScore(int score);
// Under "GAME OVER" while its countdown runs: "SCORE 00075", centred, its top at
// GameOverScoreTop of the frame height.
std::string FormatGameOverScore(int score);
int GameOverScoreTop(int height, FONT* f);
// Under the score when it enters the table: "NEW HI-SCORE - 2ND PLACE" for row 1.
std::string FormatNewHiScore(int rank);
// The two lines under PAUSE, from the live bindings: "arrows steer - P resumes",
// "S sound - M music - ESC quits".
struct PauseKeysText {
    std::string first;
    std::string second;
};
PauseKeysText PauseKeys();
// "LEVEL 1" for the map's level 0.
std::string FormatLevelBanner(int level);
// The progress line's length on a frame `width` wide: how far the map's distance
// counter has run through the level (the whole width once the sea is crossed).
int LevelProgressLength(int distance, bool completed, int width);

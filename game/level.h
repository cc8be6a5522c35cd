// The parts of one game that tests and benchmarks reach without the timer.
#pragma once
#include <allegro.h>
#include <string>

// Key repeat delay of the game's keys, in ticks: a held key acts every 6th tick.
constexpr int GAME_KEY_DELAY = 5;
// How long "SOUND ON", "MUSIC OFF" and the like stay on screen, in ticks.
constexpr int GAME_MESSAGE_TICKS = 50;

// The sea grows busier and more varied with every level: the sea collection's
// minimum, kinds in play and spawn band from the map (the game and the demo alike).
void FeedSeaCollection();
// Before every step of the game or the demo, moving or not: the sea's layers,
// map and objects remember where they are, for the frames drawn until the next step.
void StartSeaStep();
// Sets g_Game to the state a new game starts in.
void ResetGameState();
// True once the game has ended: quit, GAME OVER run out, or the sea crossed.
bool IsGameEnded();
// HUD texts: lives and coins in two digits (3 as "03", 12 as "12"), the score in five (120 as "00120").
std::string FormatHudCounter(int value);
std::string FormatHudScore(int score);
// Under "GAME OVER" while its countdown runs: "SCORE 00075", centred, its top at
// GameOverScoreTop of the frame height.
std::string FormatGameOverScore(int score);
int GameOverScoreTop(int height, FONT* f);

// How one game begins: the seed of its dice and what the run carries into it.
// A recorded game keeps these, so that its replay starts from the same sea.
#pragma once
#include "world/chance.h"
#include <cstdint>

struct GameStart {
    uint32_t seed;
    // The spawn order's place, which runs on from game to game.
    int32_t spawnOrderPosition;
};

// The dice of the game in play, seeded once per game: the map's walk and
// decorations and the sea's spawns draw from it, nothing else does.
extern CChance g_GameChance;

// A new seed (from the run's own generator, which time seeded) and the spawn
// order where the last game or demo left it.
GameStart FreshGameStart();
// Sets up the world and g_Game for a game that begins as `start` says.
void InitLevel_01(const GameStart& start);

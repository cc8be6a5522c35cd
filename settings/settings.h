// What the player keeps between runs: the Setup choices of config.dat, the
// hi-score table of hiscore.dat and the name of the next game's player.
#pragma once
#include <cstdint>

constexpr int HISCORE_ROWS = 6;
constexpr int PLAYER_NAME_MAX = 14;

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

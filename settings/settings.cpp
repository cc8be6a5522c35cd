#include "settings/settings.h"

const GameSettings DEFAULT_SETTINGS = {0, 127, 127};
GameSettings g_Settings = {0, 0, 0};
HiScoreEntry g_HiScores[HISCORE_ROWS] = {};
char g_PlayerName[PLAYER_NAME_MAX + 1] = {};

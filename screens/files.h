// "config.dat" and "hiscore.dat": the settings and the hi-score table on disk.
#pragma once
#include "app/globals.h"
#include <string>

constexpr const char* SETTINGS_FILE = "config.dat";
constexpr const char* HISCORE_FILE = "hiscore.dat";

// Reads up to 12 bytes into g_Settings; -1 when the file cannot be opened.
int LoadSettings(const char* path);
// Writes the 12 bytes of g_Settings; a file that cannot be written is skipped.
void SaveSettings(const char* path);

extern const HiScoreEntry DEFAULT_HISCORES[HISCORE_ROWS];
// Reads up to 120 bytes into g_HiScores; -1 when the file cannot be opened.
int LoadHiScores(const char* path);
void SaveHiScores(const char* path);
void ShiftHiScores(int row);
void InsertHiScore(int score, const char* name);
void ClearPlayerName();
void SetDefaultPlayerName();
// A row's name, never read past its 16 bytes even without a terminator.
std::string HiScoreName(const HiScoreEntry& entry);

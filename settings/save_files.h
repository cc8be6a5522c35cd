// "config.dat" and "hiscore.dat": the settings and the hi-score table on disk.
#pragma once
#include "settings/settings.h"
#include <string>

constexpr const char* SETTINGS_FILE = "config.dat";
constexpr const char* HISCORE_FILE = "hiscore.dat";

// Reads the first 12 bytes into g_Settings. -1 when the file does not exist (the
// settings are left alone); -2 when something stands there that cannot be read
// as the file (a FIFO, a folder, no permission, too large): it is never written
// over in this run.
int LoadSettings(const char* path);
// Writes the 12 bytes of g_Settings, whole or not at all; a failure costs one
// line on standard error, and a read-only file is left as it is.
void SaveSettings(const char* path);
// The settings a file of `size` bytes holds; missing fields take the defaults.
GameSettings DecodeSettings(const unsigned char* bytes, size_t size);

extern const HiScoreEntry DEFAULT_HISCORES[HISCORE_ROWS];
// Reads the first 120 bytes into g_HiScores, with the results of LoadSettings.
int LoadHiScores(const char* path);
void SaveHiScores(const char* path);
// The six rows a file of `size` bytes holds; missing rows are default rows.
void DecodeHiScores(const unsigned char* bytes, size_t size, HiScoreEntry* rows);
void ShiftHiScores(int row);
// The row (0 the best) a score would take in the table, or -1 when it would not
// enter: it must beat the last row, and a tie goes above the row it ties.
int HiScoreRankFor(int score);
// Enters a final score; returns the row it took, or -1 when it did not enter.
int InsertHiScore(int score, const char* name);
void ClearPlayerName();
void SetDefaultPlayerName();
// A row's name, never read past its 16 bytes even without a terminator.
std::string HiScoreName(const HiScoreEntry& entry);

// Where recorded games are kept: the last game as last.replay, and the game of
// each hi-score row beside hiscore.dat, moving with its row.
#pragma once
#include "replay/replay_file.h"
#include <string>

constexpr const char* LAST_REPLAY_FILE = "last.replay";

// hiscore1.replay for the best row ... hiscore6.replay for the last.
std::string RowReplayPath(int row);

// Keeps `game` as last.replay and, when its score entered the table at `row`
// (-1 when it did not), as that row's game: the rows below take their games
// one row down, and the game of the row that dropped out goes.
void KeepRecordedGame(const Replay& game, int row);

enum class KeptReplay { None, Read, Damaged };
// The game of a row: None when no file holds that row's game (its name and
// score), Damaged with the reason in `why` when one is there but cannot be read.
KeptReplay ReadRowReplay(int row, Replay& replay, std::string& why);
// The best row's game, else the last game played; false when there is none.
bool ReadBestRecordedGame(Replay& replay);

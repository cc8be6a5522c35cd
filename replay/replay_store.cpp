#include "replay/replay_store.h"
#include "files/paths.h"
#include "settings/save_files.h"
#include "settings/settings.h"
#include <cstdio>
#include <unistd.h>

std::string RowReplayPath(int row)
{
    return SavePath(("hiscore" + std::to_string(row + 1) + ".replay").c_str());
}

static void Warn(const std::string& path, const std::string& why)
{
    fprintf(stderr, "pesko: %s not kept: %s\n", path.c_str(), why.c_str());
}

static void Keep(const std::string& path, const Replay& game)
{
    std::string why;
    if (!WriteReplayFile(path, game, why))
        Warn(path, why);
}

// Row `row`'s game moves one row down; a row without one leaves none below.
// A rename replaces the file below whole, so no row ever holds half a game.
static void MoveDown(int row)
{
    const std::string from = RowReplayPath(row), to = RowReplayPath(row + 1);
    if (access(from.c_str(), F_OK) == 0)
        rename(from.c_str(), to.c_str());
    else
        unlink(to.c_str());
}

void KeepRecordedGame(const Replay& game, int row)
{
    if (!SaveFolderReady())
        return;
    Keep(SavePath(LAST_REPLAY_FILE), game);
    if (row < 0 || row >= HISCORE_ROWS)
        return;
    for (int i = HISCORE_ROWS - 2; i >= row; i--)
        MoveDown(i);
    Keep(RowReplayPath(row), game);
}

KeptReplay ReadRowReplay(int row, Replay& replay, std::string& why)
{
    const std::string path = RowReplayPath(row);
    if (access(path.c_str(), F_OK) != 0)
        return KeptReplay::None;
    why = ReadReplayFile(path, replay);
    if (!why.empty())
        return KeptReplay::Damaged;
    // A file left from another table (hiscore.dat replaced or reset) is not this row's game.
    const HiScoreEntry& entry = g_HiScores[row];
    if (replay.finalScore != entry.score || replay.playerName != HiScoreName(entry))
        return KeptReplay::None;
    return KeptReplay::Read;
}

bool ReadBestRecordedGame(Replay& replay)
{
    std::string why;
    for (int row = 0; row < HISCORE_ROWS; row++)
        if (ReadRowReplay(row, replay, why) == KeptReplay::Read)
            return true;
    return ReadReplayFile(SavePath(LAST_REPLAY_FILE), replay).empty();
}

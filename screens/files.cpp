#include "screens/files.h"
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

const HiScoreEntry DEFAULT_HISCORES[HISCORE_ROWS] = {
    {"PESKO", 4000}, {"VEDUR", 2000}, {"ZAVUD", 1000},
    {"ANONYM3", 500}, {"ANONYM2", 250}, {"ANONYM1", 100},
};

// The files hold signed 32-bit little-endian numbers whatever the machine.
static void PutInt32(unsigned char* out, int32_t value)
{
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; i++)
        out[i] = static_cast<unsigned char>(v >> (8 * i));
}

static int32_t GetInt32(const unsigned char* in)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; i++)
        v |= static_cast<uint32_t>(in[i]) << (8 * i);
    return static_cast<int32_t>(v);
}

// Reads up to `size` bytes over `bytes`; a short file changes only the leading ones.
static int ReadFileOver(const char* path, unsigned char* bytes, size_t size)
{
    FILE* f = fopen(path, "rb");
    if (!f)
        return -1;
    size_t got = fread(bytes, 1, size, f);
    (void)got;
    fclose(f);
    return 0;
}

// Writes a new file beside the old one and renames it over, so that a crash
// or a full disk never leaves a damaged file. Failure is silently skipped.
static void WriteFileWhole(const char* path, const unsigned char* bytes, size_t size)
{
    std::string temp = std::string(path) + ".new";
    FILE* f = fopen(temp.c_str(), "wb");
    if (!f)
        return;
    bool ok = fwrite(bytes, 1, size, f) == size;
    ok = (fflush(f) == 0) && ok;
    ok = (fsync(fileno(f)) == 0) && ok;
    ok = (fclose(f) == 0) && ok;
    if (!ok || rename(temp.c_str(), path) != 0)
        remove(temp.c_str());
}

static void EncodeSettings(const GameSettings& s, unsigned char* bytes)
{
    PutInt32(bytes, s.control);
    PutInt32(bytes + 4, s.soundVolume);
    PutInt32(bytes + 8, s.musicVolume);
}

int LoadSettings(const char* path)
{
    unsigned char bytes[sizeof(GameSettings)];
    EncodeSettings(g_Settings, bytes);
    if (ReadFileOver(path, bytes, sizeof bytes) < 0)
        return -1;
    g_Settings.control = GetInt32(bytes);
    g_Settings.soundVolume = GetInt32(bytes + 4);
    g_Settings.musicVolume = GetInt32(bytes + 8);
    return 0;
}

void SaveSettings(const char* path)
{
    unsigned char bytes[sizeof(GameSettings)];
    EncodeSettings(g_Settings, bytes);
    WriteFileWhole(path, bytes, sizeof bytes);
}

constexpr size_t HISCORE_ROW_BYTES = sizeof(HiScoreEntry);
constexpr size_t HISCORE_FILE_BYTES = HISCORE_ROW_BYTES * HISCORE_ROWS;

static void EncodeHiScores(unsigned char* bytes)
{
    for (int r = 0; r < HISCORE_ROWS; r++) {
        memcpy(bytes + r * HISCORE_ROW_BYTES, g_HiScores[r].name, sizeof g_HiScores[r].name);
        PutInt32(bytes + r * HISCORE_ROW_BYTES + 16, g_HiScores[r].score);
    }
}

int LoadHiScores(const char* path)
{
    unsigned char bytes[HISCORE_FILE_BYTES];
    EncodeHiScores(bytes);
    if (ReadFileOver(path, bytes, sizeof bytes) < 0)
        return -1;
    for (int r = 0; r < HISCORE_ROWS; r++) {
        memcpy(g_HiScores[r].name, bytes + r * HISCORE_ROW_BYTES, sizeof g_HiScores[r].name);
        g_HiScores[r].score = GetInt32(bytes + r * HISCORE_ROW_BYTES + 16);
    }
    return 0;
}

void SaveHiScores(const char* path)
{
    unsigned char bytes[HISCORE_FILE_BYTES];
    EncodeHiScores(bytes);
    WriteFileWhole(path, bytes, sizeof bytes);
}

std::string HiScoreName(const HiScoreEntry& entry)
{
    return std::string(entry.name, strnlen(entry.name, sizeof entry.name));
}

// Copies a name as a zero-terminated string that always ends inside the row.
static void SetRowName(HiScoreEntry& row, const char* name)
{
    size_t length = strnlen(name, sizeof row.name - 1);
    memcpy(row.name, name, length);
    row.name[length] = '\0';
}

void ShiftHiScores(int row)
{
    for (int i = HISCORE_ROWS - 1; i > row; i--) {
        std::string name = HiScoreName(g_HiScores[i - 1]);
        SetRowName(g_HiScores[i], name.c_str());
        g_HiScores[i].score = g_HiScores[i - 1].score;
    }
}

void InsertHiScore(int score, const char* name)
{
    if (score <= g_HiScores[HISCORE_ROWS - 1].score)
        return;
    int position = HISCORE_ROWS - 1;
    for (int i = HISCORE_ROWS - 1; i >= 0 && score >= g_HiScores[i].score; i--)
        position = i;
    ShiftHiScores(position);
    SetRowName(g_HiScores[position], name);
    g_HiScores[position].score = score;
    SaveHiScores(HISCORE_FILE);
}

void ClearPlayerName()
{
    memset(g_PlayerName, ' ', PLAYER_NAME_MAX);
    g_PlayerName[0] = '\0';
}

void SetDefaultPlayerName()
{
    ClearPlayerName();
    strcpy(g_PlayerName, "ANONYM");
}

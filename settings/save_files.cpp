#include "settings/save_files.h"
#include "files/paths.h"
#include "files/file_bytes.h"
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

// Reads the file over `bytes`: -1 when the file does not exist, -2 when
// something unusable stands there (the layer said so and keeps it).
static int ReadFileOver(const char* path, std::vector<uint8_t>& bytes)
{
    switch (ReadPlayerFile(path, bytes)) {
    case PlayerFile::Read:
        return 0;
    case PlayerFile::Missing:
        return -1;
    case PlayerFile::Unusable:
        break;
    }
    return -2;
}

static void EncodeSettings(const GameSettings& s, unsigned char* bytes)
{
    PutInt32(bytes, s.control);
    PutInt32(bytes + 4, s.soundVolume);
    PutInt32(bytes + 8, s.musicVolume);
}

GameSettings DecodeSettings(const unsigned char* bytes, size_t size)
{
    // A field the file lacks (in whole or in part) keeps its default.
    GameSettings s = DEFAULT_SETTINGS;
    int32_t* fields[] = {&s.control, &s.soundVolume, &s.musicVolume};
    for (size_t f = 0; f < 3 && (f + 1) * 4 <= size; f++)
        *fields[f] = GetInt32(bytes + 4 * f);
    return s;
}

int LoadSettings(const char* path)
{
    std::vector<uint8_t> bytes;
    int result = ReadFileOver(path, bytes);
    if (result == 0)
        g_Settings = DecodeSettings(bytes.data(), bytes.size());
    return result;
}

void SaveSettings(const char* path)
{
    unsigned char bytes[sizeof(GameSettings)];
    EncodeSettings(g_Settings, bytes);
    WritePlayerFile(path, bytes, sizeof bytes);
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

void DecodeHiScores(const unsigned char* bytes, size_t size, HiScoreEntry* rows)
{
    // A row the file lacks (in whole or in part) is the default row.
    memcpy(rows, DEFAULT_HISCORES, sizeof DEFAULT_HISCORES);
    for (size_t r = 0; r < HISCORE_ROWS && (r + 1) * HISCORE_ROW_BYTES <= size; r++) {
        memcpy(rows[r].name, bytes + r * HISCORE_ROW_BYTES, sizeof rows[r].name);
        rows[r].score = GetInt32(bytes + r * HISCORE_ROW_BYTES + 16);
    }
}

int LoadHiScores(const char* path)
{
    std::vector<uint8_t> bytes;
    int result = ReadFileOver(path, bytes);
    if (result == 0)
        DecodeHiScores(bytes.data(), bytes.size(), g_HiScores);
    return result;
}

void SaveHiScores(const char* path)
{
    unsigned char bytes[HISCORE_FILE_BYTES];
    EncodeHiScores(bytes);
    WritePlayerFile(path, bytes, sizeof bytes);
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

int HiScoreRankFor(int score)
{
    if (score <= g_HiScores[HISCORE_ROWS - 1].score)
        return -1;
    int position = HISCORE_ROWS - 1;
    for (int i = HISCORE_ROWS - 1; i >= 0 && score >= g_HiScores[i].score; i--)
        position = i;
    return position;
}

int InsertHiScore(int score, const char* name)
{
    const int position = HiScoreRankFor(score);
    if (position < 0)
        return -1;
    ShiftHiScores(position);
    SetRowName(g_HiScores[position], name);
    g_HiScores[position].score = score;
    SaveHiScores(SavePath(HISCORE_FILE).c_str());
    return position;
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

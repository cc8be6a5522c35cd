// libFuzzer target: any bytes as config.dat and as hiscore.dat, through the
// game's own loaders, the table's insertion and a save and load round trip.
// Build with fuzz/build.sh; run with ./save_files_fuzz corpus/save_files.
#include "files/paths.h"
#include "fuzz/scratch_folder.h"
#include "settings/save_files.h"
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

std::string g_Folder;

std::string WriteInput(const char* name, const uint8_t* data, size_t size)
{
    std::string path = g_Folder + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(data, 1, size, f);
    fclose(f);
    return path;
}

// What the game must hold after any load: names that end inside their rows.
void CheckTable()
{
    for (const HiScoreEntry& row : g_HiScores)
        if (HiScoreName(row).size() > sizeof row.name)
            abort();
}

// The table written and read back must be the table in memory.
void CheckRoundTrip()
{
    std::string path = g_Folder + "/again.dat";
    SaveHiScores(path.c_str());
    HiScoreEntry before[HISCORE_ROWS];
    memcpy(before, g_HiScores, sizeof before);
    if (LoadHiScores(path.c_str()) != 0 || memcmp(before, g_HiScores, sizeof before) != 0)
        abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (g_Folder.empty()) {
        g_Folder = ScratchFolder();
        SetGameFolders("", g_Folder, g_Folder);
    }
    g_Settings = DEFAULT_SETTINGS;
    if (LoadSettings(WriteInput("config.dat", data, size).c_str()) != 0)
        abort();
    if (size < 12 && memcmp(&g_Settings.musicVolume, &DEFAULT_SETTINGS.musicVolume, 4) != 0)
        abort();  // a short file never leaves a field it lacks as anything but its default

    memcpy(g_HiScores, DEFAULT_HISCORES, sizeof g_HiScores);
    if (LoadHiScores(WriteInput("hiscore.dat", data, size).c_str()) != 0)
        abort();
    CheckTable();
    int32_t score = 0;
    memcpy(&score, data, size < 4 ? size : 4);
    std::string name(reinterpret_cast<const char*>(data), size < 40 ? size : 40);
    InsertHiScore(score, name.c_str());
    CheckTable();
    CheckRoundTrip();
    return 0;
}

// config.dat and hiscore.dat: exact bytes, short and damaged files, the table's ranking.
#include "settings/save_files.h"
#include "support/temp_dir.h"
#include <csignal>
#include <cstring>
#include <vector>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

static std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

static std::string DefaultHiScoreBytes()
{
    std::string bytes;
    for (const HiScoreEntry& row : DEFAULT_HISCORES) {
        std::string name(row.name);
        name.resize(16, '\0');
        bytes += name;
        for (int i = 0; i < 4; i++)
            bytes.push_back(static_cast<char>((row.score >> (8 * i)) & 0xFF));
    }
    return bytes;
}

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_Settings = {0, 0, 0};
        memcpy(g_HiScores, DEFAULT_HISCORES, sizeof g_HiScores);
    }
    TempDir dir;
};

// config.dat as it is found and the settings read from it: fields it lacks (a
// field cut short too) take their defaults, bytes past twelve are ignored, and
// no file leaves the settings alone. Saved, the settings give the bytes again.
TEST_F(FilesTest, SettingsAreTwelveBytesAndAShortFileTakesDefaults)
{
    const std::string mine = Bytes({2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0});
    const struct Case { std::string file; int result; GameSettings read; } cases[] = {
        {mine, 0, {2, -1, 255}},
        {mine + "\x63\x63", 0, {2, -1, 255}},
        {mine.substr(0, 8), 0, {2, -1, 127}},
        {mine.substr(0, 5), 0, {2, 127, 127}},
        {mine.substr(0, 4), 0, {2, 127, 127}},
        {"", 0, {0, 127, 127}},
    };
    for (const Case& c : cases) {
        dir.WriteFile(SETTINGS_FILE, c.file);
        g_Settings = {7, 7, 7};
        ASSERT_EQ(LoadSettings(SETTINGS_FILE), c.result) << c.file.size() << " bytes";
        EXPECT_EQ((std::vector<int>{g_Settings.control, g_Settings.soundVolume, g_Settings.musicVolume}),
                  (std::vector<int>{c.read.control, c.read.soundVolume, c.read.musicVolume}))
            << c.file.size() << " bytes";
    }
    g_Settings = {2, -1, 255};
    SaveSettings(SETTINGS_FILE);
    EXPECT_EQ(dir.ReadFile(SETTINGS_FILE), mine);
    g_Settings = DEFAULT_SETTINGS;
    SaveSettings(SETTINGS_FILE);
    EXPECT_EQ(dir.ReadFile(SETTINGS_FILE), Bytes({0, 0, 0, 0, 0x7F, 0, 0, 0, 0x7F, 0, 0, 0}));
    unlink(SETTINGS_FILE);
    g_Settings = {1, 2, 3};
    EXPECT_EQ(LoadSettings(SETTINGS_FILE), -1);
    EXPECT_EQ(g_Settings.musicVolume, 3);
}

// Two saves that fail for root as well (no mode bit stops root): the folder is a
// regular file, and the disk takes no more than 4 bytes (the file size limit).
// The run goes on, the old files stay whole and nothing is left beside them.
TEST_F(FilesTest, ASaveThatCannotBeWrittenIsSkippedAndLeavesTheOldFileWhole)
{
    dir.WriteFile("folder", "a file where the save folder should be");
    const std::string old = "old bytes";
    dir.WriteFile(SETTINGS_FILE, old);
    dir.WriteFile(HISCORE_FILE, old);
    signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead of ending the test
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{4, limit.rlim_max};  // the hard limit stays, so that the old one comes back
    for (const char* folder : {"folder/", ""}) {
        if (!*folder) {
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        }
        g_Settings = DEFAULT_SETTINGS;
        SaveSettings((std::string(folder) + SETTINGS_FILE).c_str());
        SaveHiScores((std::string(folder) + HISCORE_FILE).c_str());
        setrlimit(RLIMIT_FSIZE, &limit);
        for (const char* name : {SETTINGS_FILE, HISCORE_FILE}) {
            EXPECT_EQ(dir.ReadFile(name), old) << name;
            EXPECT_FALSE(dir.Exists(std::string(name) + ".new")) << name;
        }
    }
    signal(SIGXFSZ, SIG_DFL);
}

// hiscore.dat: six rows of a 16-byte name and a little-endian score; a short
// file takes the default rows for the rows it lacks. A name without its zero is
// never read past its 16 bytes, and moved down a row it is cut to end inside it.
TEST_F(FilesTest, HiScoresAreSixRowsAndAShortFileTakesDefaultRows)
{
    SaveHiScores(HISCORE_FILE);
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), DefaultHiScoreBytes());
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE).substr(0, 20), std::string("PESKO\0\0\0\0\0\0\0\0\0\0\0\xA0\x0F\0\0", 20));
    std::string bytes = DefaultHiScoreBytes();
    bytes.replace(0, 16, "ABCDEFGHIJKLMNOP");
    bytes.replace(20, 5, "OTHER");
    dir.WriteFile(HISCORE_FILE, bytes.substr(0, 30));  // one whole row and half of the next
    strcpy(g_HiScores[1].name, "OLD");
    g_HiScores[1].score = 77;
    ASSERT_EQ(LoadHiScores(HISCORE_FILE), 0);
    EXPECT_EQ(HiScoreName(g_HiScores[0]), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(g_HiScores[0].score, 4000);
    EXPECT_EQ(HiScoreName(g_HiScores[1]), "VEDUR");
    EXPECT_EQ(g_HiScores[1].score, 2000);
    EXPECT_EQ(HiScoreName(g_HiScores[5]), "ANONYM1");
    InsertHiScore(5000, "NEW");
    EXPECT_EQ(HiScoreName(g_HiScores[1]), "ABCDEFGHIJKLMNO");
    EXPECT_NE(memchr(g_HiScores[1].name, 0, 16), nullptr);
}

// The whole table after one score is offered to the default table: a tie goes above
// the row it ties, the last row's score does not enter (and the file is left alone),
// an overlong name is cut to fit the row.
TEST_F(FilesTest, AnOfferedScoreTakesItsPlaceInTheTable)
{
    struct Case {
        int score;
        const char* name;
        std::vector<std::string> names;
        std::vector<int> scores;
        int rank;  // the row it took, -1 for none, as HiScoreRankFor says beforehand
    };
    const Case cases[] = {
        {100, "X", {"PESKO", "VEDUR", "ZAVUD", "ANONYM3", "ANONYM2", "ANONYM1"}, {4000, 2000, 1000, 500, 250, 100}, -1},
        {101, "FISH", {"PESKO", "VEDUR", "ZAVUD", "ANONYM3", "ANONYM2", "FISH"}, {4000, 2000, 1000, 500, 250, 101}, 5},
        {1000, "TIE", {"PESKO", "VEDUR", "TIE", "ZAVUD", "ANONYM3", "ANONYM2"}, {4000, 2000, 1000, 1000, 500, 250}, 2},
        {4001, "BEST", {"BEST", "PESKO", "VEDUR", "ZAVUD", "ANONYM3", "ANONYM2"}, {4001, 4000, 2000, 1000, 500, 250}, 0},
        {3000, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", {"PESKO", "ABCDEFGHIJKLMNO", "VEDUR", "ZAVUD", "ANONYM3", "ANONYM2"},
         {4000, 3000, 2000, 1000, 500, 250}, 1},
    };
    for (const Case& c : cases) {
        memcpy(g_HiScores, DEFAULT_HISCORES, sizeof g_HiScores);
        EXPECT_EQ(HiScoreRankFor(c.score), c.rank) << c.score;
        InsertHiScore(c.score, c.name);
        if (c.rank >= 0) {
            EXPECT_EQ(g_HiScores[c.rank].score, c.score) << c.score;
        }
        for (int r = 0; r < HISCORE_ROWS; r++) {
            EXPECT_EQ(HiScoreName(g_HiScores[r]), c.names[r]) << c.score << ", row " << r;
            EXPECT_EQ(g_HiScores[r].score, c.scores[r]) << c.score << ", row " << r;
        }
        if (c.score == 100) {
            EXPECT_FALSE(dir.Exists(HISCORE_FILE));
        } else {
            EXPECT_EQ(dir.ReadFile(HISCORE_FILE).size(), 120u);
        }
    }
}

TEST_F(FilesTest, ReadOnlyAndUnreadableFilesKeepTheirBytesAndEveryFileItsMode)
{
    std::string settings = dir.Path() + "/config.dat";
    std::string table = dir.Path() + "/hiscore.dat";
    dir.WriteFile("config.dat", Bytes({1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0}));
    dir.WriteFile("hiscore.dat", DefaultHiScoreBytes());
    chmod(settings.c_str(), 0444);
    chmod(table.c_str(), 0000);
    LoadSettings(settings.c_str());
    LoadHiScores(table.c_str());  // root reads it; anyone else is refused
    g_Settings = {0, 200, 200};
    SaveSettings(settings.c_str());
    InsertHiScore(99999, "NEW");
    SaveHiScores(table.c_str());
    EXPECT_EQ(dir.Mode("config.dat"), 0444u);
    EXPECT_EQ(dir.Mode("hiscore.dat"), 0000u);
    chmod(table.c_str(), 0600);
    EXPECT_EQ(dir.ReadFile("config.dat"), Bytes({1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0}));
    EXPECT_EQ(dir.ReadFile("hiscore.dat"), DefaultHiScoreBytes());
    // A file that can be written is replaced and keeps its mode.
    SaveHiScores(table.c_str());
    EXPECT_EQ(dir.ReadFile("hiscore.dat").substr(0, 3), "NEW");
    EXPECT_EQ(dir.Mode("hiscore.dat"), 0600u);
}

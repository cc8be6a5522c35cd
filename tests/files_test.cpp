// config.dat and hiscore.dat: exact bytes, short and damaged files, the table's ranking.
#include "screens/files.h"
#include "support/temp_dir.h"
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST_F(FilesTest, DefaultSettingsAreTheTwelveKnownBytes)
{
    g_Settings = DEFAULT_SETTINGS;
    SaveSettings(SETTINGS_FILE);
    EXPECT_EQ(dir.ReadFile(SETTINGS_FILE), Bytes({0, 0, 0, 0, 0x7F, 0, 0, 0, 0x7F, 0, 0, 0}));
}

TEST_F(FilesTest, SettingsRoundTripIncludingNegativeAndLargeValues)
{
    g_Settings = {2, -1, 255};
    SaveSettings(SETTINGS_FILE);
    EXPECT_EQ(dir.ReadFile(SETTINGS_FILE), Bytes({2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0}));
    g_Settings = {9, 9, 9};
    ASSERT_EQ(LoadSettings(SETTINGS_FILE), 0);
    EXPECT_EQ(g_Settings.control, 2);
    EXPECT_EQ(g_Settings.soundVolume, -1);
    EXPECT_EQ(g_Settings.musicVolume, 255);
}

TEST_F(FilesTest, MissingSettingsFileLeavesTheSettingsAlone)
{
    g_Settings = {1, 2, 3};
    EXPECT_EQ(LoadSettings(SETTINGS_FILE), -1);
    EXPECT_EQ(g_Settings.control, 1);
    EXPECT_EQ(g_Settings.musicVolume, 3);
}

TEST_F(FilesTest, ShortSettingsFileFillsOnlyItsLeadingBytes)
{
    g_Settings = {0, 127, 127};
    dir.WriteFile(SETTINGS_FILE, Bytes({1, 0, 0, 0, 50}));
    ASSERT_EQ(LoadSettings(SETTINGS_FILE), 0);
    EXPECT_EQ(g_Settings.control, 1);
    EXPECT_EQ(g_Settings.soundVolume, 50);  // low byte replaced, the rest kept (127 had none)
    EXPECT_EQ(g_Settings.musicVolume, 127);
}

TEST_F(FilesTest, LongSettingsFileReadsOnlyTwelveBytes)
{
    dir.WriteFile(SETTINGS_FILE, Bytes({1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 99, 99, 99}));
    ASSERT_EQ(LoadSettings(SETTINGS_FILE), 0);
    EXPECT_EQ(g_Settings.musicVolume, 3);
}

TEST_F(FilesTest, UnwritableFolderIsSkippedSilently)
{
    chmod(dir.Path().c_str(), 0555);
    g_Settings = DEFAULT_SETTINGS;
    SaveSettings(SETTINGS_FILE);
    SaveHiScores(HISCORE_FILE);
    chmod(dir.Path().c_str(), 0755);
    // root ignores the folder's mode; either way nothing half-written may remain.
    EXPECT_FALSE(dir.Exists(std::string(SETTINGS_FILE) + ".new"));
    EXPECT_FALSE(dir.Exists(std::string(HISCORE_FILE) + ".new"));
}

TEST_F(FilesTest, DefaultHiScoreTableIsTheHundredTwentyKnownBytes)
{
    SaveHiScores(HISCORE_FILE);
    std::string bytes = dir.ReadFile(HISCORE_FILE);
    ASSERT_EQ(bytes.size(), 120u);
    EXPECT_EQ(bytes, DefaultHiScoreBytes());
    EXPECT_EQ(bytes.substr(0, 6), std::string("PESKO\0", 6));
    EXPECT_EQ(bytes.substr(16, 4), Bytes({0xA0, 0x0F, 0, 0}));  // 4000
}

TEST_F(FilesTest, ShortHiScoreFileFillsOnlyItsLeadingBytes)
{
    dir.WriteFile(HISCORE_FILE, DefaultHiScoreBytes().substr(0, 30));
    strcpy(g_HiScores[0].name, "OLD");
    g_HiScores[0].score = 1;
    g_HiScores[1].score = 77;
    ASSERT_EQ(LoadHiScores(HISCORE_FILE), 0);
    EXPECT_EQ(HiScoreName(g_HiScores[0]), "PESKO");
    EXPECT_EQ(g_HiScores[0].score, 4000);
    EXPECT_EQ(HiScoreName(g_HiScores[1]), "VEDUR");  // ten bytes of row 1's name came from the file
    EXPECT_EQ(g_HiScores[1].score, 77);              // its score did not
}

TEST_F(FilesTest, NameWithoutTerminatorIsNeverReadPastItsSixteenBytes)
{
    std::string bytes = DefaultHiScoreBytes();
    bytes.replace(0, 16, "ABCDEFGHIJKLMNOP");  // no zero inside the name
    dir.WriteFile(HISCORE_FILE, bytes);
    ASSERT_EQ(LoadHiScores(HISCORE_FILE), 0);
    EXPECT_EQ(HiScoreName(g_HiScores[0]), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(g_HiScores[0].score, 4000);

    // Shifting the row down keeps it terminated inside the row.
    InsertHiScore(5000, "NEW");
    EXPECT_EQ(HiScoreName(g_HiScores[1]), "ABCDEFGHIJKLMNO");
    EXPECT_NE(memchr(g_HiScores[1].name, 0, 16), nullptr);
}

TEST_F(FilesTest, ScoreEqualToTheLastRowDoesNotEnterAndLeavesTheFileAlone)
{
    InsertHiScore(100, "X");
    EXPECT_FALSE(dir.Exists(HISCORE_FILE));
    EXPECT_EQ(HiScoreName(g_HiScores[5]), "ANONYM1");
}

TEST_F(FilesTest, OneMoreThanTheLastRowEntersLast)
{
    InsertHiScore(101, "FISH");
    EXPECT_EQ(HiScoreName(g_HiScores[5]), "FISH");
    EXPECT_EQ(g_HiScores[5].score, 101);
    EXPECT_EQ(HiScoreName(g_HiScores[4]), "ANONYM2");
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE).size(), 120u);
}

TEST_F(FilesTest, EqualScoreGoesAboveTheRowItTies)
{
    InsertHiScore(1000, "TIE");
    EXPECT_EQ(HiScoreName(g_HiScores[2]), "TIE");
    EXPECT_EQ(HiScoreName(g_HiScores[3]), "ZAVUD");
    EXPECT_EQ(HiScoreName(g_HiScores[5]), "ANONYM2");
}

TEST_F(FilesTest, BestScoreMovesEveryRowDown)
{
    InsertHiScore(4001, "BEST");
    const char* expected[] = {"BEST", "PESKO", "VEDUR", "ZAVUD", "ANONYM3", "ANONYM2"};
    for (int r = 0; r < HISCORE_ROWS; r++)
        EXPECT_EQ(HiScoreName(g_HiScores[r]), expected[r]) << "row " << r;
    EXPECT_EQ(g_HiScores[1].score, 4000);
}

TEST_F(FilesTest, OverlongNameIsCutToFitTheRow)
{
    InsertHiScore(3000, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(HiScoreName(g_HiScores[1]), "ABCDEFGHIJKLMNO");
}

TEST(PlayerNameTest, DefaultNameIsAnonym)
{
    strcpy(g_PlayerName, "SOMEONE ELSE");
    ClearPlayerName();
    EXPECT_STREQ(g_PlayerName, "");
    SetDefaultPlayerName();
    EXPECT_STREQ(g_PlayerName, "ANONYM");
}

// The name entry before a game and the hi-score table screen.
#include "data/datafile.h"
#include "app/globals.h"
#include "world/world.h"
#include "settings/save_files.h"
#include "screens/front_end.h"
#include "screens/hiscore_screen.h"
#include "screens/name_entry.h"
#include "support/fake_data.h"
#include "support/pixels.h"
#include "support/sound_log.h"
#include <cstring>
#include <gtest/gtest.h>

class NameEntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeData();
        LetGoOfEverything();
        clear_keybuf();
        strcpy(g_PlayerName, "LEFTOVER");
        NameEntryReset(entry);
    }
    void TearDown() override
    {
        LetGoOfEverything();
        clear_keybuf();
    }
    void Type(int scancode, int times = 1)
    {
        for (int i = 0; i < times; i++)
            NameEntryTakeKey(entry, scancode);
    }
    NameEntryState entry;
};

TEST_F(NameEntryTest, EnterOrEscapeAtOnceKeepsAnonymAndIgnoresWaitingKeys)
{
    for (int k : {KEY_ENTER, KEY_ESC}) {
        LetGoOfEverything();
        NameEntryReset(entry);
        EXPECT_STREQ(g_PlayerName, "ANONYM");
        EXPECT_EQ(entry.cursor, 6);
        simulate_keypress((KEY_X << 8) | 'x');
        PressKey(k);
        NameEntryStep(entry);
        EXPECT_TRUE(entry.done) << k;
        EXPECT_STREQ(g_PlayerName, "ANONYM") << k;
    }
}

TEST_F(NameEntryTest, SixBackspacesGiveAnEmptyNameAndMoreDoNothing)
{
    Type(KEY_BACKSPACE, 6);
    EXPECT_STREQ(g_PlayerName, "");
    EXPECT_EQ(entry.cursor, 0);
    Type(KEY_BACKSPACE, 3);
    EXPECT_EQ(entry.cursor, 0);
    Type(KEY_B);
    EXPECT_STREQ(g_PlayerName, "B");
}

TEST_F(NameEntryTest, FifteenthCharacterIsIgnored)
{
    Type(KEY_BACKSPACE, 6);
    for (int k = KEY_A; k < KEY_A + 15; k++)
        Type(k);
    EXPECT_STREQ(g_PlayerName, "ABCDEFGHIJKLMN");
    EXPECT_EQ(entry.cursor, PLAYER_NAME_MAX);
    Type(KEY_BACKSPACE);
    Type(KEY_Z);
    EXPECT_STREQ(g_PlayerName, "ABCDEFGHIJKLMZ");
}

TEST_F(NameEntryTest, LettersAreCapitalsDigitsAndSpaceKeptPunctuationIgnored)
{
    Type(KEY_BACKSPACE, 6);
    Type(KEY_A);
    Type(KEY_SPACE);
    Type(KEY_7);
    Type(KEY_3_PAD);
    for (int k : {KEY_COMMA, KEY_STOP, KEY_MINUS, KEY_SLASH, KEY_QUOTE, KEY_TAB, KEY_F1, KEY_LEFT})
        Type(k);
    EXPECT_STREQ(g_PlayerName, "A 73");
    EXPECT_EQ(NameCharacter(KEY_Z), 'Z');
    EXPECT_EQ(NameCharacter(KEY_0_PAD), '0');
    EXPECT_EQ(NameCharacter(KEY_EQUALS), 0);
}

TEST_F(NameEntryTest, TypingReplacesTheOfferedName)
{
    BITMAP* page = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    const int white = makecol(255, 255, 255);
    auto whiteInName = [&] {
        NameEntryDraw(entry, page);
        return CountColour(page, 140, 240, 360, 40, white);
    };
    EXPECT_EQ(whiteInName(), 0) << "the offered name is drawn dimmer";
    for (int k : {KEY_P, KEY_E, KEY_S, KEY_K, KEY_O})
        Type(k);
    EXPECT_STREQ(g_PlayerName, "PESKO");
    EXPECT_GT(whiteInName(), 20);
    PressKey(KEY_ENTER);
    NameEntryStep(entry);
    EXPECT_TRUE(entry.done);
    EXPECT_STREQ(g_PlayerName, "PESKO");
    destroy_bitmap(page);
}

TEST_F(NameEntryTest, EnterHeldAsTheEntryOpensDoesNotSkipIt)
{
    PressKey(KEY_ENTER);
    NameEntryReset(entry);
    for (int i = 0; i < 50; i++)
        NameEntryStep(entry);
    EXPECT_FALSE(entry.done);
}

class HiScoreScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeData();
        clear_keybuf();
        memcpy(g_HiScores, DEFAULT_HISCORES, sizeof g_HiScores);
        BindCollection();
        HiScoreReset(table);
        page = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    }
    void TearDown() override
    {
        ReleaseCollection();
        destroy_bitmap(page);
        clear_keybuf();
    }
    HiScoreState table;
    SoundLog sounds;
    BITMAP* page = nullptr;
};

TEST_F(HiScoreScreenTest, ScoresAreRightAlignedInSixCharacters)
{
    EXPECT_EQ(HiScoreText(4000), "  4000");
    EXPECT_EQ(HiScoreText(99999), " 99999");
    EXPECT_EQ(HiScoreText(0), "     0");
    // Drawn: the row ends at x 540 in the 8 px table font; the two blanks stay empty.
    HiScoreDraw(table, page);
    const int white = makecol(255, 255, 255);
    EXPECT_EQ(CountColour(page, 492, 100, 16, 8, white), 0);
    EXPECT_GT(CountColour(page, 508, 100, 32, 8, white), 10);
    EXPECT_EQ(CountColour(page, 540, 100, 20, 8, white), 0);
}

TEST_F(HiScoreScreenTest, NameWithoutTerminatorIsDrawnToItsSixteenBytesOnly)
{
    memset(g_HiScores[0].name, 'W', sizeof g_HiScores[0].name);
    g_HiScores[0].score = 0x57575757;  // more "W"s if the name ran on into the score
    HiScoreDraw(table, page);
    const int white = makecol(255, 255, 255);
    EXPECT_GT(CountColour(page, 100 + 15 * 8, 100, 8, 8, white), 5) << "the 16th W";
    EXPECT_EQ(CountColour(page, 100 + 16 * 8, 100, 64, 8, white), 0);
}


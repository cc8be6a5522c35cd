// The name entry before a game and the hi-score table screen.
#include "data/datafile.h"
#include "app/globals.h"
#include "world/world.h"
#include "settings/save_files.h"
#include "screens/front_end.h"
#include "screens/hiscore_screen.h"
#include "screens/name_entry.h"
#include "support/screen_test.h"
#include "support/pixels.h"
#include "support/sound_log.h"
#include <cstring>
#include <vector>
#include <gtest/gtest.h>

class NameEntryTest : public ScreenTest {
protected:
    void SetUp() override
    {
        strcpy(g_PlayerName, "LEFTOVER");
        NameEntryReset(entry);
    }
    void Type(int scancode, int times = 1)
    {
        for (int i = 0; i < times; i++)
            NameEntryTakeKey(entry, scancode);
    }
    NameEntryState entry;
};

// A key held as the entry opens does not end it; Enter or ESC pressed at once keeps
// ANONYM, and keys typed before are ignored.
TEST_F(NameEntryTest, EnterOrEscapeAtOnceKeepsAnonymAndIgnoresWaitingKeys)
{
    for (int k : {KEY_ENTER, KEY_ESC}) {
        LetGoOfEverything();
        PressKey(k);
        NameEntryReset(entry);
        for (int i = 0; i < 50; i++)
            NameEntryStep(entry);
        EXPECT_FALSE(entry.done) << k;
        ReleaseKey(k);
        EXPECT_STREQ(g_PlayerName, "ANONYM");
        EXPECT_EQ(entry.cursor, 6);
        simulate_keypress((KEY_X << 8) | 'x');
        PressKey(k);
        NameEntryStep(entry);
        EXPECT_TRUE(entry.done) << k;
        EXPECT_STREQ(g_PlayerName, "ANONYM") << k;
    }
}

// Keys typed over the offered ANONYM (a backspace is '<'): letters come out as
// capitals, digits of both rows and space are kept, the rest ignored; the name
// holds fourteen characters.
TEST_F(NameEntryTest, TypedKeysMakeTheName)
{
    const std::vector<int> punctuation = {KEY_COMMA, KEY_STOP, KEY_MINUS, KEY_SLASH, KEY_QUOTE, KEY_TAB, KEY_F1,
                                          KEY_LEFT, KEY_EQUALS};
    std::vector<int> alphabet;
    for (int k = KEY_A; k <= KEY_Z; k++)
        alphabet.push_back(k);
    const struct { std::vector<int> keys; const char* name; } cases[] = {
        {{}, "ANONYM"},
        {{KEY_B}, "B"},
        {{KEY_A, KEY_SPACE, KEY_7, KEY_3_PAD, KEY_0_PAD}, "A 730"},
        {punctuation, ""},
        {{KEY_A, KEY_B, KEY_BACKSPACE, KEY_BACKSPACE, KEY_BACKSPACE, KEY_C}, "C"},
        {alphabet, "ABCDEFGHIJKLMN"},
    };
    for (const auto& c : cases) {
        NameEntryReset(entry);
        if (!c.keys.empty())
            Type(KEY_BACKSPACE, 9);  // more than the offered name holds
        for (int k : c.keys)
            Type(k);
        EXPECT_STREQ(g_PlayerName, c.name);
        EXPECT_EQ(entry.cursor, int(strlen(c.name)));
    }
    Type(KEY_BACKSPACE);
    Type(KEY_Z);
    EXPECT_STREQ(g_PlayerName, "ABCDEFGHIJKLMZ");
}

TEST_F(NameEntryTest, TypingReplacesTheOfferedName)
{
    Picture page(SCREEN_WIDTH, SCREEN_HEIGHT);
    const int white = makecol(255, 255, 255);
    auto whiteInName = [&] {
        NameEntryDraw(entry, page);
        return CountColour(page, 140, 240, 360, 40, white);
    };
    EXPECT_EQ(whiteInName(), 0) << "the offered name is drawn dimmer";
    for (int k : {KEY_P, KEY_E, KEY_S, KEY_K, KEY_O})
        Type(k);
    EXPECT_GT(whiteInName(), 20);
    PressKey(KEY_ENTER);
    NameEntryStep(entry);
    EXPECT_TRUE(entry.done);
    EXPECT_STREQ(g_PlayerName, "PESKO");
}

class HiScoreScreenTest : public ScreenTest {
protected:
    void SetUp() override
    {
        memcpy(g_HiScores, DEFAULT_HISCORES, sizeof g_HiScores);
        BindCollection();
        HiScoreReset(table);
    }
    void TearDown() override { ReleaseCollection(); }
    HiScoreState table;
    SoundLog sounds;
    Picture page{SCREEN_WIDTH, SCREEN_HEIGHT};
};

// A row's score ends at x 540 in the 8 px table font, right-aligned in six
// characters; a name without its terminator is drawn to its 16 bytes only.
TEST_F(HiScoreScreenTest, RowsShowTheNameToItsSixteenBytesAndTheScoreRightAligned)
{
    EXPECT_EQ(HiScoreText(99999), " 99999");
    EXPECT_EQ(HiScoreText(0), "     0");
    memset(g_HiScores[0].name, 'W', sizeof g_HiScores[0].name);
    g_HiScores[0].score = 0x57575757;  // more "W"s if the name ran on into the score
    g_HiScores[1].score = 4000;
    HiScoreDraw(table, page);
    const int white = makecol(255, 255, 255);
    EXPECT_GT(CountColour(page, 100 + 15 * 8, 100, 8, 8, white), 5) << "the 16th W";
    EXPECT_EQ(CountColour(page, 100 + 16 * 8, 100, 64, 8, white), 0);
    const int row = 100 + text_height(DataFont(FNT_TABLE));
    EXPECT_EQ(CountColour(page, 492, row, 16, 8, white), 0);
    EXPECT_GT(CountColour(page, 508, row, 32, 8, white), 10);
    EXPECT_EQ(CountColour(page, 540, row, 20, 8, white), 0);
}

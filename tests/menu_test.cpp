// The main menu's logic steps: arrow cadence, ESC, Enter, the idle countdown.
#include "data/datafile.h"
#include "app/globals.h"
#include "screens/menu.h"
#include "screens/screens.h"
#include "support/screen_test.h"
#include "support/pixels.h"
#include "support/sound_log.h"
#include <algorithm>
#include <gtest/gtest.h>

class MenuTest : public ScreenTest {
protected:
    void SetUp() override { MenuReset(menu, MENU_PLAY); }
    void Steps(int n)
    {
        for (int i = 0; i < n; i++)
            MenuStep(menu);
    }
    // A key held for `ms` of 10 ms steps, then let go and followed by a quiet second.
    void Hold(int k, int ms)
    {
        PressKey(k);
        Steps(ms / PERIOD_FAST_SCREEN);
        ReleaseKey(k);
        Steps(100);
    }
    MenuState menu;
    SoundLog sounds;
};

TEST_F(MenuTest, EveryPressShorterThanTheRepeatDelayMovesOneItem)
{
    MenuReset(menu, MENU_SETUP);
    for (int ms : {40, 80, 120, 150, 250}) {
        Hold(KEY_UP, ms);
        EXPECT_EQ(menu.selection, MENU_HISCORE) << "Up held " << ms << " ms";
        Hold(KEY_DOWN, ms);
        EXPECT_EQ(menu.selection, MENU_SETUP) << "Down held " << ms << " ms";
    }
}

TEST_F(MenuTest, AltEnterLeavesTheMenuWhereItWas)
{
    MenuReset(menu, MENU_HISCORE);
    PressKey(KEY_ALT);
    PressKey(KEY_ENTER);
    Steps(10);
    ReleaseKey(KEY_ALT);  // Enter still held: it went down as Alt+Enter
    Steps(10);
    ReleaseKey(KEY_ENTER);
    Steps(10);
    EXPECT_FALSE(menu.done);
    key[KEY_ALT] = key[KEY_ENTER] = 1;  // both found down, whatever the watch saw
    Steps(1);
    key[KEY_ALT] = key[KEY_ENTER] = 0;
    EXPECT_FALSE(menu.done);
    EXPECT_TRUE(sounds.Samples().empty());
    Hold(KEY_ENTER, 50);
    EXPECT_TRUE(menu.done);
    EXPECT_EQ(menu.selection, MENU_HISCORE);
}

TEST_F(MenuTest, KeysHeldAsTheMenuOpensActOnlyWhenPressedAgain)
{
    for (int k : {KEY_DOWN, KEY_ENTER, KEY_ESC}) {
        PressKey(k);
        MenuReset(menu, MENU_SETUP);
        Steps(300);
        EXPECT_FALSE(menu.done);
        EXPECT_EQ(menu.selection, MENU_SETUP) << "a held key does not repeat into the menu";
        ReleaseKey(k);
        Steps(5);
        PressKey(k);
        Steps(1);
        ReleaseKey(k);
        EXPECT_EQ(menu.done, k != KEY_DOWN);
        EXPECT_EQ(menu.selection, k == KEY_ENTER ? MENU_SETUP : MENU_QUIT);
    }
}

// An idle menu asks for the demo after 28 s (2801 steps of 10 ms), counted
// again from the last arrow press, even one that moves nothing.
TEST_F(MenuTest, IdleMenuAsksForTheDemoAfterExactly2801Steps)
{
    MenuReset(menu, MENU_SETUP);
    Steps(2800);
    EXPECT_FALSE(menu.done);
    EXPECT_FALSE(g_DemoMode);
    Steps(1);
    EXPECT_TRUE(menu.done);
    EXPECT_TRUE(g_DemoMode);
    EXPECT_EQ(menu.selection, MENU_SETUP);
    MenuReset(menu, MENU_PLAY);
    EXPECT_FALSE(g_DemoMode);  // every opening of the menu clears it
    Steps(2000);
    PressKey(KEY_UP);
    ReleaseKey(KEY_UP);
    Steps(2800);
    EXPECT_FALSE(g_DemoMode);
    Steps(1);
    EXPECT_TRUE(g_DemoMode);
}

// The rows from the top: Play, Instructions, Hi-score, Setup, Quit.
const int ROWS[] = {MENU_PLAY, MENU_INSTRUCTIONS, MENU_HISCORE, MENU_SETUP, MENU_QUIT};

// A tap moves to the neighbouring row with the move sound; Up on Play and Down on Quit stay,
// silent. Enter chooses the highlighted row, Quit included, and ESC chooses Quit from any.
TEST_F(MenuTest, EachTapActsOnTheHighlightedRow)
{
    for (int row = 0; row < 5; row++)
        for (int k : {KEY_UP, KEY_DOWN, KEY_ENTER, KEY_ESC}) {
            LetGoOfEverything();
            MenuReset(menu, ROWS[row]);
            sounds.Clear();
            PressKey(k);
            ReleaseKey(k);
            Steps(1);
            const int to = k == KEY_UP ? std::max(row - 1, 0) : k == KEY_DOWN ? std::min(row + 1, 4)
                         : k == KEY_ENTER ? row : 4;
            const int sound = k == KEY_ENTER ? SND_SELECT : k == KEY_ESC ? SND_BACK : SND_MOVE;
            EXPECT_EQ(menu.selection, ROWS[to]) << "row " << row << ", key " << k;
            EXPECT_EQ(menu.done, k == KEY_ENTER || k == KEY_ESC) << "row " << row << ", key " << k;
            EXPECT_EQ(sounds.Samples(), to == row && !menu.done ? std::vector<int>{} : std::vector<int>{sound})
                << "row " << row << ", key " << k;
        }
}

// The highlighted row, and that row only, is drawn red.
TEST_F(MenuTest, SelectedItemIsDrawnRedAndPressed)
{
    Picture page(640, 480);
    const int red = makecol(255, 0, 0);
    for (int selected = 0; selected < 5; selected++) {
        MenuReset(menu, ROWS[selected]);
        MenuDraw(menu, page);
        for (int row = 0; row < 5; row++)
            EXPECT_EQ(CountColour(page, 200, 145 + 60 * row, 240, 20, red) > 0, row == selected)
                << "row " << row << " with row " << selected << " highlighted";
    }
}

// A held key the system repeats is still one press, and F11 is the full-screen switch's alone.
TEST_F(MenuTest, SystemKeyRepeatAndF11MoveNothing)
{
    PressKey(KEY_DOWN);
    Steps(1);
    PressKey(KEY_DOWN);  // the system's repeat: no release in between
    Steps(1);
    PressKey(KEY_F11);
    Steps(1);
    EXPECT_EQ(menu.selection, MENU_INSTRUCTIONS);
    EXPECT_TRUE(DisplayTakesKey(KEY_F11));
}

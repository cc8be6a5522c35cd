// The main menu's logic steps: arrow cadence, ESC, Enter, the idle countdown.
#include "app/datafile.h"
#include "app/globals.h"
#include "screens/menu.h"
#include "screens/screens.h"
#include "support/fake_data.h"
#include "support/sound_log.h"
#include <gtest/gtest.h>

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeData();
        clear_key_state();
        MenuReset(menu, MENU_PLAY);
    }
    void TearDown() override { clear_key_state(); }
    static void clear_key_state()
    {
        for (int k = 0; k < KEY_MAX; k++)
            key[k] = 0;
    }
    void Steps(int n)
    {
        for (int i = 0; i < n; i++)
            MenuStep(menu);
    }
    MenuState menu;
    SoundLog sounds;
};

TEST_F(MenuTest, HeldArrowMovesOneItemEveryEleventhStep)
{
    key[KEY_DOWN] = 1;
    Steps(1);
    EXPECT_EQ(menu.selection, MENU_INSTRUCTIONS);
    Steps(10);
    EXPECT_EQ(menu.selection, MENU_INSTRUCTIONS);
    Steps(1);
    EXPECT_EQ(menu.selection, MENU_HISCORE);
    EXPECT_EQ(sounds.Samples(), (std::vector<int>{SND_MOVE, SND_MOVE}));
    EXPECT_FALSE(menu.done);
}

TEST_F(MenuTest, UpOnPlayAndDownOnQuitStayPutSilentlyButWakeTheMenu)
{
    Steps(2000);
    key[KEY_UP] = 1;
    Steps(11);  // one of them is an examined step
    key[KEY_UP] = 0;
    EXPECT_EQ(menu.selection, MENU_PLAY);
    Steps(2700);
    EXPECT_FALSE(g_DemoMode);  // the countdown started again

    MenuReset(menu, MENU_QUIT);
    key[KEY_DOWN] = 1;
    Steps(50);
    EXPECT_EQ(menu.selection, MENU_QUIT);
    EXPECT_TRUE(sounds.Samples().empty());
}

TEST_F(MenuTest, BothArrowsInOneStepHandleUpFirst)
{
    MenuReset(menu, MENU_SETUP);
    key[KEY_UP] = key[KEY_DOWN] = 1;
    Steps(1);
    EXPECT_EQ(menu.selection, MENU_SETUP);
    EXPECT_EQ(sounds.Samples().size(), 2u);
}

TEST_F(MenuTest, EscapeChoosesQuitWhateverIsHighlighted)
{
    MenuReset(menu, MENU_HISCORE);
    Steps(3);  // inside the arrow delay: ESC is read on every step
    key[KEY_ESC] = 1;
    Steps(1);
    EXPECT_TRUE(menu.done);
    EXPECT_EQ(menu.selection, MENU_QUIT);
    EXPECT_EQ(sounds.Samples().back(), SND_BACK);
}

TEST_F(MenuTest, EnterChoosesTheHighlightedItemQuitIncluded)
{
    MenuReset(menu, MENU_QUIT);
    Steps(5);
    key[KEY_ENTER] = 1;
    Steps(1);
    EXPECT_TRUE(menu.done);
    EXPECT_EQ(menu.selection, MENU_QUIT);
    EXPECT_EQ(sounds.Samples().back(), SND_SELECT);
}

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
    MenuReset(menu, MENU_SETUP);
    EXPECT_FALSE(g_DemoMode);  // every opening of the menu clears it
}

TEST_F(MenuTest, DemoStarts2801StepsAfterTheLastExaminedArrow)
{
    Steps(2000);  // arrows are examined on steps 1, 12, 23, ... so next on step 2003
    key[KEY_DOWN] = 1;
    Steps(3);
    key[KEY_DOWN] = 0;
    Steps(2799);
    EXPECT_FALSE(g_DemoMode);
    Steps(1);
    EXPECT_TRUE(g_DemoMode);
}

TEST_F(MenuTest, SelectedItemIsDrawnRedAndPressed)
{
    BITMAP* page = create_bitmap(640, 480);
    MenuReset(menu, MENU_HISCORE);
    MenuDraw(menu, page);
    auto redInRow = [&](int row) {
        int y0 = 145 + 60 * row;
        int red = 0;
        for (int y = y0; y < y0 + 20; y++)
            for (int x = 200; x < 440; x++)
                red += getpixel(page, x, y) == makecol(255, 0, 0);
        return red;
    };
    EXPECT_GT(redInRow(2), 0);  // Hi-score is row 2
    EXPECT_EQ(redInRow(0), 0);
    EXPECT_EQ(redInRow(4), 0);
    destroy_bitmap(page);
}

// The instructions screen: paging, the Prev/Back/Next bar, key repeat and ESC.
#include "data/datafile.h"
#include "app/globals.h"
#include "screens/front_end.h"
#include "screens/instructions.h"
#include "support/screen_test.h"
#include "support/pixels.h"
#include "support/sound_log.h"
#include <gtest/gtest.h>

class InstructionsTest : public ScreenTest {
protected:
    void SetUp() override
    {
        BindCollection();
        InstructionsReset(help);
    }
    void TearDown() override { ReleaseCollection(); }
    // Taps, each down and up again between two steps.
    void Press(int k, int times = 1)
    {
        for (int i = 0; i < times; i++) {
            PressKey(k);
            ReleaseKey(k);
            InstructionsStep(help);
        }
    }
    InstructionsState help;
    SoundLog sounds;
};

// Enter on Next and Prev turns the pages; where the button vanishes the cursor
// goes to Back, and Enter on Back ends the screen.
TEST_F(InstructionsTest, PagesAndCursorWalkNeverRestingOnAHiddenButton)
{
    EXPECT_EQ(help.page, 0);
    EXPECT_EQ(help.cursor, NAV_NEXT);
    Press(KEY_ENTER, 5);
    EXPECT_EQ(help.page, 5);
    EXPECT_EQ(help.cursor, NAV_BACK) << "Next vanishes on the last page";
    Press(KEY_LEFT);
    Press(KEY_ENTER, 5);
    EXPECT_EQ(help.page, 0);
    EXPECT_EQ(help.cursor, NAV_BACK) << "Prev vanishes on the first page";
    EXPECT_FALSE(help.done);
    Press(KEY_ENTER);
    EXPECT_TRUE(help.done);
}

// A held Enter turns a page every five ticks once held 300 ms; ESC pressed while
// it is held ends the screen on Back.
TEST_F(InstructionsTest, HeldKeyRepeatsEveryFiveTicksOnceHeld300MsAndEscapeStillWorks)
{
    PressKey(KEY_ENTER);
    InstructionsStep(help);
    EXPECT_EQ(help.page, 1);
    for (int i = 0; i < 7; i++)  // 280 ms in all
        InstructionsStep(help);
    EXPECT_EQ(help.page, 1);
    InstructionsStep(help);
    EXPECT_EQ(help.page, 2);
    for (int i = 0; i < 5; i++)
        InstructionsStep(help);
    EXPECT_EQ(help.page, 3);
    sounds.Clear();
    PressKey(KEY_ESC);
    InstructionsStep(help);
    EXPECT_TRUE(help.done);
    EXPECT_EQ(help.cursor, NAV_BACK);
    EXPECT_EQ(sounds.Samples(), std::vector<int>{SND_BACK});
}

TEST_F(InstructionsTest, FirstPageHidesPrevAndLastPageHidesNext)
{
    Picture page(SCREEN_WIDTH, SCREEN_HEIGHT);
    const int white = makecol(255, 255, 255);
    const int red = makecol(255, 0, 0);
    auto prevInk = [&] { return CountColour(page, 100, 395, 50, 20, white) + CountColour(page, 100, 395, 50, 20, red); };
    auto nextInk = [&] { return CountColour(page, 500, 395, 45, 20, white) + CountColour(page, 500, 395, 45, 20, red); };
    for (int p = 0; p < INSTRUCTION_PAGES; p++) {
        help.page = p;
        help.cursor = NAV_BACK;
        InstructionsDraw(help, page);
        EXPECT_EQ(prevInk() > 0, p > 0) << "page " << p;
        EXPECT_EQ(nextInk() > 0, p < INSTRUCTION_PAGES - 1) << "page " << p;
    }
}


// The credits: the text table, its height, the roll and how the screen ends.
#include "data/datafile.h"
#include "app/globals.h"
#include "world/world.h"
#include "screens/credits.h"
#include "support/screen_test.h"
#include "support/pixels.h"
#include "support/sound_log.h"
#include <gtest/gtest.h>

class CreditsTest : public ScreenTest {
protected:
    void SetUp() override
    {
        BindCollection();
        CreditsReset(credits, text);
    }
    void TearDown() override { ReleaseCollection(); }
    void RollTo(int offset)
    {
        while (credits.offset < offset)
            CreditsStep(credits);
    }
    int Ink(int y, int h)
    {
        return CountColour(page, 0, y, SCREEN_WIDTH, h, makecol(128, 128, 128)) +
               CountColour(page, 0, y, SCREEN_WIDTH, h, makecol(255, 255, 255));
    }
    CreditsState credits;
    Picture text{CREDITS_TEXT_WIDTH, CREDITS_STRIP_HEIGHT}, page{SCREEN_WIDTH, SCREEN_HEIGHT};
    SoundLog sounds;
};

// The text rolls in from the strip's bottom and never shows outside the strip.
TEST_F(CreditsTest, FirstLineEntersTheStripAfterTheOffsetPassesThirtyNine)
{
    EXPECT_EQ(CreditLineY(0, 39), CREDITS_TEXT_HEIGHT);
    EXPECT_EQ(CreditLineY(0, 40), CREDITS_TEXT_HEIGHT - 1);
    RollTo(38);
    CreditsDraw(credits, page);
    EXPECT_EQ(Ink(0, SCREEN_HEIGHT), 0);
    RollTo(50);
    EXPECT_EQ(credits.offset, 50) << "2 pixels a tick";
    CreditsDraw(credits, page);
    EXPECT_GT(Ink(CREDITS_TEXT_TOP, CREDITS_TEXT_HEIGHT), 0);
    EXPECT_EQ(Ink(CREDITS_TEXT_TOP + CREDITS_TEXT_HEIGHT, 20), 0) << "nothing below the strip";
    RollTo(400);
    CreditsDraw(credits, page);
    EXPECT_EQ(Ink(0, CREDITS_TEXT_TOP) + Ink(CREDITS_TEXT_TOP + CREDITS_TEXT_HEIGHT, 20), 0);
}

#include "data/datafile.h"
#include "world/world.h"
#include "game/demo.h"
#include "game/level.h"
#include "support/screen_test.h"
#include "support/pixels.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

int PixelsNearTheCentre(BITMAP* bmp, int colour)
{
    int count = 0;
    for (int y = 235; y < 255; y++)
        for (int x = 300; x < 350; x++)
            count += getpixel(bmp, x, y) == colour;
    return count;
}

class DemoTest : public ScreenTest {
protected:
    void SetUp() override
    {
        srand(7);
        DemoReset(demo);
    }
    void TearDown() override { DemoRelease(); }
    DemoState demo;
};

// The sea the demo and the game share: how many objects each level keeps on
// screen and how many kinds of the spawn order it walks.
TEST_F(DemoTest, EachLevelKeepsItsObjectsAndKindsInPlay)
{
    const struct { int level, objects, kinds; } levels[] = {{0, 4, 3}, {2, 6, 7}, {5, 9, 13}};
    for (const auto& l : levels) {
        g_LevelMap.m_Level = l.level;
        DemoStep(demo);
        EXPECT_EQ(g_Enemies.m_ChenemyCountOnScreenMin, l.objects) << "level " << l.level;
        EXPECT_EQ(g_Enemies.m_CHEnemyTypeCount, l.kinds) << "level " << l.level;
        EXPECT_EQ(g_Enemies.m_CHSpawnTop, g_LevelMap.GetSpawnTop());
    }
}

TEST_F(DemoTest, FrameShowsTheLayersTheObjectsTheMapAndTheBlueCaption)
{
    Picture dest(640, 480), sheet(960, 688, 0xC86400);
    BITMAP* layer1 = DataBitmap(BMP_LAYER1);
    rectfill(layer1, 0, 0, 1279, 479, makecol(0, 90, 0));
    g_ScrollLayer1.SetBitmap(layer1);  // the layer reads its image as it is set
    g_Enemies.SetBitmaps(sheet, sheet);
    g_Enemies.AddEnemy(KIND_URCHIN, 0, 500, 200);
    for (int tick = 0; tick < 11; tick++)
        DemoStep(demo);
    ASSERT_TRUE(demo.captionShown);
    DemoDraw(demo, dest);
    EXPECT_EQ(getpixel(dest, 5, 300), makecol(0, 90, 0));       // the back layer through open water
    const CCharacterNode* urchin = g_Enemies.m_CHHead;  // added first, so it stays the head
    EXPECT_EQ(getpixel(dest, urchin->m_X + 10, 210), makecol(200, 100, 0));
    EXPECT_GT(PixelsNearTheCentre(dest, makecol(0, 0, 255)), 10);
    EXPECT_GT(PixelsNearTheCentre(dest, makecol(0, 0, 0)), 5);  // the shadow
    for (int tick = 0; tick < 11; tick++)
        DemoStep(demo);
    ASSERT_FALSE(demo.captionShown);
    DemoDraw(demo, dest);
    EXPECT_EQ(PixelsNearTheCentre(dest, makecol(0, 0, 255)), 0);
    g_Enemies.RemoveAllEnemies();
    g_Enemies.ClearBitmaps();
    rectfill(layer1, 0, 0, 1279, 479, bitmap_mask_color(layer1));
}

}  // namespace

// Drawing between logic steps: the map, the objects and the fish are drawn a
// fraction t of the way from their places after the previous step to their latest
// ones, and what jumped in the latest step is drawn where it now is.
#include "support/pixels.h"
#include "world/character.h"
#include "world/level_map.h"
#include "world/player.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

// A bitmap whose every pixel has its own colour, so a drawn pixel tells where it came from.
BITMAP* PixelCodedBitmap(int w, int h)
{
    BITMAP* bmp = create_bitmap(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            putpixel(bmp, x, y, makecol(x & 0xFF, ((x >> 8) << 4) | (y >> 8), (y & 0xFF) | 1));
    return bmp;
}

bool SamePicture(BITMAP* a, BITMAP* b)
{
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            if (getpixel(a, x, y) != getpixel(b, x, y))
                return false;
    return true;
}

class MotionTest : public ::testing::Test {
protected:
    void SetUp() override { srand(5); }
    Picture before{640, 480}, after{640, 480};
};

TEST_F(MotionTest, MapSlidesOnAcrossItsColumnShift)
{
    BITMAP* tiles = PixelCodedBitmap(120, 80);
    CLevelMap map{640, 480};
    map.SetBitmaps(tiles, nullptr);
    map.Init();
    map.StartStep();
    map.Update(0, 0);
    EXPECT_EQ(map.DrawnScrollX(0.5f), 1);

    // At 6 pixels a step, 36 becomes 42: two columns go out on the left and the
    // scroll starts again at 2. The picture must not jump back by 40 pixels.
    map.m_Level = 2;
    map.m_ScrollX = 36;
    map.StartStep();
    map.Draw(before);
    map.Update(0, 0);
    ASSERT_EQ(map.m_ScrollX, 2);
    EXPECT_EQ(map.DrawnScrollX(0.0f), -4);
    EXPECT_EQ(map.DrawnScrollX(0.5f), -1);
    map.Draw(after, 0.0f);
    EXPECT_TRUE(SamePicture(before, after)) << "the frame at the start of the step is the previous step's";
    map.Draw(after, 0.5f);
    EXPECT_EQ(getpixel(after, 100, 100), getpixel(before, 103, 100));
    map.ClearBitmaps();
    destroy_bitmap(tiles);
}

TEST_F(MotionTest, ObjectsSlideWithTheSeaAndNewOnesAppearWhereTheyAre)
{
    CCharacter sea{640, 480};
    sea.InitForGame();
    sea.AddEnemy(KIND_URCHIN, 0, 300, 200);
    sea.StartStep();
    sea.m_CHEnemyTypeCount = 3;
    sea.m_ChenemyCountOnScreenMin = 3;  // one object short: this step spawns one
    sea.AddEnemy(KIND_MINE, 0, 400, 100);  // appeared during the step, before the sea moved
    sea.MoveCharacter(6);
    ASSERT_EQ(sea.m_CHEnemyCount, 3);
    EXPECT_EQ(DrawnX(*sea.m_CHHead, 0.5f), 297);
    EXPECT_EQ(DrawnY(*sea.m_CHHead, 0.5f), 200);
    for (const CCharacterNode* node = sea.m_CHHead->m_Next; node; node = node->m_Next)
        EXPECT_EQ(DrawnX(*node, 0.0f), node->m_X) << "kind " << node->m_Kind;
    // From the next step on, they slide like the others.
    sea.StartStep();
    sea.MoveCharacter(6);
    for (const CCharacterNode* node = sea.m_CHHead; node; node = node->m_Next)
        EXPECT_EQ(DrawnX(*node, 0.5f), node->m_X + 3) << "kind " << node->m_Kind;
    sea.RemoveAllEnemies();
}

TEST_F(MotionTest, FishSlidesAndARespawnedOneAppearsAtTheStart)
{
    CLevelMap map{640, 480};
    CCharacter sea{640, 480};
    CPlayer fish{640, 480};
    fish.NewGame();
    fish.m_ShieldTime = 0;
    fish.StartStep();
    HeldDirections rightAndDown;
    rightAndDown.right = rightAndDown.down = true;
    for (int tick = 0; tick < 6; tick++) {
        fish.StartStep();
        fish.Update(rightAndDown, map, sea);
    }
    // Speed 6 in both directions: from 15 past the start to 21.
    ASSERT_EQ(fish.m_ScreenX, PLAYER_START_X + 21);
    EXPECT_EQ(fish.DrawnX(0.5f), PLAYER_START_X + 18);
    EXPECT_EQ(fish.DrawnY(0.5f), PLAYER_START_Y + 18);

    // Risen out of the screen after a crash, it comes back at the start, not sliding down to it.
    fish.m_State = 1;
    fish.m_PosY = fish.m_ScreenY = -80;
    fish.StartStep();
    fish.Update(HeldDirections{}, map, sea);
    ASSERT_EQ(fish.m_State, 0);
    EXPECT_EQ(fish.DrawnX(0.0f), PLAYER_START_X);
    EXPECT_EQ(fish.DrawnY(0.0f), PLAYER_START_Y);
}

}  // namespace

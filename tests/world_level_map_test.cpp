#include "support/pixels.h"
#include "world/level_map.h"
#include "world/world.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <set>

namespace {

// Row of the ceiling edge of a column, or -1 when it has none.
int CeilingRowOf(const CLevelMap& map, int column)
{
    for (int row = 0; row < MAP_ROWS; row++)
        if (map.m_Cells[column][row].m_TileY == 1)
            return row;
    return -1;
}

// Checks that a column is rock, ceiling edge, fifteen rows of water, floor edge, rock.
void ExpectWellFormedColumn(const CLevelMap& map, int column, int level)
{
    const int t = CeilingRowOf(map, column);
    ASSERT_GE(t, 0) << "column " << column;
    ASSERT_LE(t, 7) << "column " << column;
    for (int row = 0; row < MAP_ROWS; row++) {
        const CMapCell& cell = map.m_Cells[column][row];
        EXPECT_EQ(cell.m_TileX, cell.m_HitTileX);
        EXPECT_EQ(cell.m_TileY, cell.m_HitTileY);
        if (row < t || row > t + 16) {
            EXPECT_EQ(cell.m_TileY, 0) << "rock at " << column << "," << row;
            EXPECT_EQ(cell.m_TileX, level);
        } else if (row == t + 16) {
            EXPECT_EQ(cell.m_TileY, 2) << "floor at " << column << "," << row;
            EXPECT_EQ(cell.m_TileX, level);
        } else if (row > t) {
            EXPECT_EQ(cell.m_TileY, 3) << "water at " << column << "," << row;
            EXPECT_LE(cell.m_TileX, 3) << "a decoration at " << column << "," << row;
        }
    }
}

class LevelMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartHeadlessAllegro();
        srand(1234);
        map.Init();
    }
    CLevelMap map{640, 480};
};

// The ceiling walks between rows 0 and 7 (bouncing off them) a row a column at
// most, and decorations stand only in open water.
TEST_F(LevelMapTest, RandomWalkStaysWithinItsBoundsOverManyColumns)
{
    map.m_Level = 3;
    int seen[8] = {};
    for (int round = 0; round < 300; round++) {
        map.GenerateColumns(MAP_COLUMNS);
        // New objects come in at the newest column, all of their band in its water.
        const int top = map.GetSpawnTop(), bottom = top + map.GetSpawnHeight() - 1;
        for (int row = top / TILE_SIZE; row <= bottom / TILE_SIZE; row++)
            ASSERT_EQ(map.m_Cells[MAP_COLUMNS - 1][row].m_TileY, TILE_WATER_ROW) << "spawn row " << row;
        for (int c = 0; c < MAP_COLUMNS; c++) {
            ExpectWellFormedColumn(map, c, 3);
            seen[CeilingRowOf(map, c)]++;
            if (c > 0) {
                // Even the bounces off the limits move the edge by one row only.
                EXPECT_LE(abs(CeilingRowOf(map, c) - CeilingRowOf(map, c - 1)), 1);
            }
        }
    }
    for (int row = 0; row < 8; row++)
        EXPECT_GT(seen[row], 0) << "row " << row << " never reached";
}

TEST_F(LevelMapTest, DemoStartsAtARandomLevelWithARandomSea)
{
    std::set<int> levels;
    bool unevenStart = false;
    for (unsigned seed = 1; seed < 200; seed++) {
        srand(seed);
        map.InitForDemo();
        levels.insert(map.m_Level);
        ExpectWellFormedColumn(map, 0, map.m_Level);
        EXPECT_TRUE(map.m_Level > 0 || CeilingRowOf(map, 0) == 5) << "the first level starts flat";
        unevenStart |= CeilingRowOf(map, 0) != 5;
    }
    EXPECT_EQ(levels, (std::set<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_TRUE(unevenStart);
}

// A tile sheet where every tile has its own colour, and a mask whose only solid
// pixel is the top-left of every ceiling-edge tile.
class LevelMapDrawTest : public LevelMapTest {
protected:
    static int TileColour(int column, int row) { return makecol(10 + column * 30, 10 + row * 40, 99); }
    void SetUp() override
    {
        LevelMapTest::SetUp();
        for (int column = 0; column < 6; column++)
            for (int row = 0; row < 4; row++) {
                rectfill(tiles, column * 20, row * 20, column * 20 + 19, row * 20 + 19, TileColour(column, row));
                if (row == 1)
                    putpixel(mask, column * 20, 20, makecol(255, 0, 0));
            }
        rectfill(tiles, 60, 60, 79, 79, bitmap_mask_color(tiles));  // open water lets the back show
        putpixel(tiles, 60 + 7, 60 + 7, makecol(1, 1, 1));
        putpixel(tiles, 19, 39, bitmap_mask_color(tiles));  // level 1's ceiling edge, see-through at a corner
        map.SetBitmaps(tiles, mask);
    }
    Picture tiles{120, 80}, mask{120, 80, 0xFF00FF}, target{640, 480, 0x32};
};

// The flat start at its rows, open water masked apart from its one dark pixel;
// scrolled, the tiles move left by the offset.
TEST_F(LevelMapDrawTest, DrawsTheTilesAtTheirRowsLessTheScroll)
{
    map.Draw(target);
    EXPECT_EQ(getpixel(target, 0, 0), TileColour(0, 0));
    EXPECT_EQ(getpixel(target, 100, 5 * 20 + 10), TileColour(0, 1));
    EXPECT_EQ(getpixel(target, 399, 21 * 20), TileColour(0, 2));
    EXPECT_EQ(getpixel(target, 200, 10 * 20 + 3), makecol(0, 0, 50));
    if (map.m_Cells[10][10].m_TileX == 3) {
        EXPECT_EQ(getpixel(target, 200 + 7, 200 + 7), makecol(1, 1, 1));
    }
    map.m_Level = 4;
    map.FillStart();
    map.m_ScrollX = 35;
    map.Draw(target);
    // Screen x 0 is map x 35: column 1 at 15 pixels in; its edge is at screen x 5.
    EXPECT_EQ(getpixel(target, 5, 5 * 20), TileColour(4, 1));
    EXPECT_EQ(getpixel(target, 639, CeilingRowOf(map, MAP_COLUMNS - 1) * 20), TileColour(4, 1));
}

// The far layers left out under the solid rock: the frame is the same as with them
// drawn whole, on level 1 (a see-through ceiling edge) and level 5, as the walk goes on.
TEST_F(LevelMapDrawTest, LayersUnderTheRockAreLeftOutUnseen)
{
    Picture far(1280, 480), near(1280, 480), whole(640, 480);
    for (int x = 0; x < 1280; x++) {
        vline(far, x, 0, 479, makecol(x & 0xFF, x >> 8, 1));
        vline(near, x, 0, 479, x % 3 ? bitmap_mask_color(near) : makecol(x & 0xFF, x >> 8, 2));
    }
    CScrollLayer back{640, 480}, front{640, 480};
    back.SetBitmap(far);
    front.SetBitmap(near);
    const CScrollLayer* layers[] = {&back, &front};
    int wrong = 0, leftOut = 0;
    srand(3);
    for (int level : {0, 4}) {
        map.m_Level = level;
        map.FillStart();
        for (int step = 0; step < 80; step++) {
            map.StartStep();
            map.Update(0, 0);
            back.m_PrevPosX = back.m_PosX = step * 13 % 1280;
            front.m_PrevPosX = front.m_PosX = step * 29 % 1280;
            const float t = step % 7 / 7.0f;
            back.Draw(whole, t);
            front.Draw(whole, t);
            map.DrawWalls(whole, t);
            DrawLayersBehindRock(target, t, map, layers, 2);
            map.DrawWalls(target, t);
            for (int y = 0; y < 480; y++)
                for (int x = 0; x < 640; x++)
                    wrong += getpixel(whole, x, y) != getpixel(target, x, y);
            const CLevelMap::RockReach reach = map.SolidRockOver(0, 640, t);
            leftOut += reach.top >= TILE_SIZE && reach.bottom <= 480 - TILE_SIZE;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(leftOut, 100) << "the rock hides the layers' top and foot in every step";
}

TEST_F(LevelMapDrawTest, MaskPixelsComeFromTheHitTiles)
{
    const int ceilingY = 5 * 20;
    EXPECT_EQ(map.GetMaskPixel(40, ceilingY), 0xFF0000);
    EXPECT_EQ(map.GetMaskPixel(41, ceilingY), makecol(255, 0, 255));
    EXPECT_EQ(map.GetMaskPixel(-1, ceilingY), -1);
    EXPECT_EQ(map.GetMaskPixel(680, ceilingY), -1);
    EXPECT_EQ(map.GetMaskPixel(40, 480), -1);
    EXPECT_EQ(map.GetHitType(680, 0), 0);
}

TEST_F(LevelMapDrawTest, ADamagedTileSheetIsNotReadPastItsEdge)
{
    Picture small(20, 20, 0xFF0000);
    map.SetBitmaps(small, small);
    map.m_Level = 5;
    map.FillStart();
    map.Draw(target);
    EXPECT_EQ(map.GetMaskPixel(0, 0), -1);  // tile (5, 0) lies outside the 20 x 20 sheet
    map.m_Level = 0;
    map.FillStart();
    EXPECT_EQ(map.GetMaskPixel(0, 0), 0xFF0000);
    map.ClearBitmaps();
    EXPECT_EQ(map.GetMaskPixel(0, 0), -1);
    map.Draw(target);
}

}  // namespace

// The built data.dat and game_font.pcx, loaded the way the game loads them:
// every object where the game looks for it, pictures whose collision twins
// match what the player sees, and one-colour fonts that take the game's colours.
#include "data/datafile.h"
#include "platform/headless.h"
#include "world/character.h"
#include <gtest/gtest.h>

namespace {

constexpr int PINK_32 = 0xFF00FF;
constexpr int RED_32 = 0xFF0000;

class ArtTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        StartHeadlessAllegro();
        g_Data = load_datafile(PESKO_DATA_DIR "/data.dat");  // read through the game's own accessors
    }
    void SetUp() override { ASSERT_NE(g_Data, nullptr) << "data.dat did not load from " PESKO_DATA_DIR; }
};

// Pixels of the rectangle that are not mask pink.
int VisiblePixels(BITMAP* bmp, int x0, int y0, int w, int h)
{
    int count = 0;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++)
            count += getpixel(bmp, x, y) != PINK_32;
    return count;
}

// Where the sprite shows, its twin is pure red; everywhere else it is not.
int MaskMismatches(BITMAP* sprite, BITMAP* mask)
{
    int mismatches = 0;
    for (int y = 0; y < sprite->h; y++)
        for (int x = 0; x < sprite->w; x++)
            mismatches += (getpixel(sprite, x, y) != PINK_32) != (getpixel(mask, x, y) == RED_32);
    return mismatches;
}

}  // namespace

TEST_F(ArtTest, BitmapsHaveTheSizesTheGameDrawsThemAt)
{
    struct Expected { int index, w, h; };
    const Expected sizes[] = {
        {BMP_PLAYER, 1200, 72}, {BMP_MENU, 640, 480}, {BMP_SCREEN, 640, 480},
        {BMP_LAYER1, 1280, 480}, {BMP_LAYER2, 1280, 480},
    };
    for (const Expected& e : sizes) {
        EXPECT_EQ(DataBitmap(e.index)->w, e.w) << "object #" << e.index;
        EXPECT_EQ(DataBitmap(e.index)->h, e.h) << "object #" << e.index;
    }
    for (int sheet : {BMP_PLAYER, BMP_TILES, BMP_CHARACTERS}) {
        EXPECT_EQ(DataBitmap(sheet + 1)->w, DataBitmap(sheet)->w) << "mask of #" << sheet;
        EXPECT_EQ(DataBitmap(sheet + 1)->h, DataBitmap(sheet)->h) << "mask of #" << sheet;
    }
    EXPECT_GE(DataBitmap(BMP_TILES)->w, 6 * 20);
    EXPECT_GE(DataBitmap(BMP_TILES)->h, 4 * 20);
    for (int b = BMP_PLAYER; b <= BMP_CHARACTERS_MASK; b++)
        EXPECT_EQ(bitmap_color_depth(DataBitmap(b)), 32) << "object #" << b;
}

TEST_F(ArtTest, MaskTwinsAreSolidExactlyWhereTheSpritesShow)
{
    for (int sheet : {BMP_PLAYER, BMP_TILES, BMP_CHARACTERS})
        EXPECT_EQ(MaskMismatches(DataBitmap(sheet), DataBitmap(sheet + 1)), 0) << "sheet #" << sheet;
}

TEST_F(ArtTest, EveryFrameOfEveryKindShowsSomething)
{
    BITMAP* sheet = DataBitmap(BMP_CHARACTERS);
    for (int kind = 0; kind < CHARACTER_KIND_COUNT; kind++) {
        const CharacterKindInfo& k = g_CharacterKinds[kind];
        ASSERT_LE(k.sheetX + k.width * k.frameCount, sheet->w) << "kind " << kind;
        ASSERT_LE(k.sheetY + k.height, sheet->h) << "kind " << kind;
        for (int f = 0; f < k.frameCount; f++) {
            int visible = VisiblePixels(sheet, k.sheetX + f * k.width, k.sheetY, k.width, k.height);
            // An eighth of the frame at least: small specks would read as nothing.
            EXPECT_GT(visible, k.width * k.height / 8) << "kind " << kind << " frame " << f;
        }
    }
}

TEST_F(ArtTest, TilesAreRockWaterAndDecorationsWhereTheMapPutsThem)
{
    BITMAP* tiles = DataBitmap(BMP_TILES);
    EXPECT_EQ(VisiblePixels(tiles, 60, 60, 20, 20), 0) << "the open-water tile must be see-through";
    for (int level = 0; level < 6; level++) {
        EXPECT_EQ(VisiblePixels(tiles, level * 20, 0, 20, 20), 400) << "rock of level " << level;
        for (int edge = 1; edge <= 2; edge++) {
            int visible = VisiblePixels(tiles, level * 20, edge * 20, 20, 20);
            EXPECT_GT(visible, 100) << "edge " << edge << " of level " << level;
            EXPECT_LT(visible, 400) << "edge " << edge << " of level " << level;
        }
    }
    // Decorations are solid: a speck too small to notice would crash the fish unseen.
    for (int deco = 0; deco < 3; deco++)
        EXPECT_GT(VisiblePixels(tiles, deco * 20, 60, 20, 20), 160) << "decoration " << deco;
}

TEST_F(ArtTest, FontsHaveTheirSizesAndTheLongestLineFits)
{
    struct Range { int index, lo, hi; };
    const Range heights[] = {
        {FNT_TITLE, 80, 100}, {FNT_HEADING, 36, 44}, {FNT_TEXT, 18, 22}, {FNT_TABLE, 24, 28}, {FNT_MENU, 34, 40},
    };
    for (const Range& r : heights) {
        EXPECT_GE(text_height(DataFont(r.index)), r.lo) << "font #" << r.index;
        EXPECT_LE(text_height(DataFont(r.index)), r.hi) << "font #" << r.index;
    }
    // The instructions put it between x = 145 and the right edge less 10.
    EXPECT_LE(text_length(DataFont(FNT_TEXT), "Actinian protects Pesko for a few time."), 485);
    EXPECT_LE(text_length(DataFont(FNT_TITLE), "PESKO"), 640);
}

TEST(DataFile, StaysSmallEnoughToShip)
{
    // Packed with compression; without it the bitmaps alone pass 10 MB.
    EXPECT_LT(file_size_ex(PESKO_DATA_DIR "/data.dat"), 8 * 1024 * 1024);
    // The instruments the tunes play: read whole at start-up.
    EXPECT_GT(file_size_ex(PESKO_DATA_DIR "/patches.dat"), 0);
    EXPECT_LT(file_size_ex(PESKO_DATA_DIR "/patches.dat"), 16 * 1024 * 1024);
}

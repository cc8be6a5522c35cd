// The picture generator's building blocks: how drawn pixels become sprite
// pixels and collision masks, that Allegro reads back the files it writes,
// and that every build draws the same pictures.
#include "art.h"
#include "draw.h"
#include "fonts.h"
#include "image.h"
#include "support/headless.h"
#include "support/temp_dir.h"
#include <gtest/gtest.h>

namespace {

// One pixel painted with the given colour and coverage.
uint32_t FlattenOnePixel(uint32_t rgb, double alpha)
{
    Image img = RenderSprite(1, 1, [&](cairo_t* cr) {
        SetColour(cr, rgb, alpha);
        cairo_paint(cr);
    });
    return img.At(0, 0);
}

}  // namespace

TEST(ArtGenerator, FaintEdgesBecomeTransparentAndSeenPixelsKeepTheirColour)
{
    EXPECT_EQ(FlattenOnePixel(0x20A040, 1.0), 0x20A040u);
    EXPECT_EQ(FlattenOnePixel(0x20A040, 0.2), PINK);
    // Half-covered edge pixels keep their own colour, not a darkened one.
    uint32_t edge = FlattenOnePixel(0xC08040, 0.6);
    EXPECT_NEAR(int(edge >> 16), 0xC0, 2);
    EXPECT_NEAR(int((edge >> 8) & 0xFF), 0x80, 2);
    // A drawn pixel of exactly the mask colour must still be seen.
    EXPECT_NE(FlattenOnePixel(PINK, 1.0), PINK);
}

TEST(ArtGenerator, AllegroReadsTheTgaTheRightWayUp)
{
    InitHeadlessAllegro();
    TempDir dir;
    Image img(5, 3, PINK);
    img.At(0, 0) = 0x102030;
    img.At(4, 2) = 0xA0B0C0;
    ASSERT_TRUE(WriteTga("pic.tga", img));
    BITMAP* bmp = load_bitmap("pic.tga", nullptr);
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->w, 5);
    EXPECT_EQ(bmp->h, 3);
    EXPECT_EQ(getpixel(bmp, 0, 0), makecol(0x10, 0x20, 0x30));
    EXPECT_EQ(getpixel(bmp, 4, 2), makecol(0xA0, 0xB0, 0xC0));
    EXPECT_EQ(getpixel(bmp, 2, 1), makecol(255, 0, 255));
    destroy_bitmap(bmp);
}

TEST(ArtGenerator, AllegroReadsThePcxRunsBackExactly)
{
    InitHeadlessAllegro();
    TempDir dir;
    // Odd width, runs longer than one PCX run, and bytes that look like run counts.
    const int w = 131, h = 4;
    std::vector<uint8_t> indices(w * h);
    for (int i = 0; i < w * h; i++)
        indices[i] = (i / 70) % 2 ? 255 : uint8_t(i % 7 == 0 ? 0xC5 : 1);
    std::vector<uint8_t> palette(768);
    for (int i = 0; i < 768; i++)
        palette[i] = uint8_t(i / 3);
    ASSERT_TRUE(WritePcx8("grid.pcx", w, h, indices, palette));
    set_color_conversion(COLORCONV_NONE);
    BITMAP* bmp = load_bitmap("grid.pcx", nullptr);
    set_color_conversion(COLORCONV_TOTAL);
    ASSERT_NE(bmp, nullptr);
    ASSERT_EQ(bitmap_color_depth(bmp), 8);
    int wrong = 0;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            wrong += getpixel(bmp, x, y) != indices[y * w + x];
    EXPECT_EQ(wrong, 0);
    destroy_bitmap(bmp);
}

TEST(ArtGenerator, FontGridLoadsAsAOneColourFontOfTheAskedHeight)
{
    InitHeadlessAllegro();
    TempDir dir;
    ASSERT_TRUE(WriteFontGrid({"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 30, 1.0}, "f.pcx"));
    FONT* f = load_bitmap_font("f.pcx", nullptr, nullptr);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(text_height(f), 30);
    EXPECT_FALSE(is_color_font(f));
    EXPECT_GT(text_length(f, "W"), text_length(f, "i"));
    destroy_font(f);
    EXPECT_FALSE(WriteFontGrid({"/no/such/font.ttf", 30, 0.0}, "g.pcx"));
}

TEST(ArtGenerator, NarrowedFontKeepsItsHeightAndLosesWidth)
{
    InitHeadlessAllegro();
    TempDir dir;
    const char* face = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    ASSERT_TRUE(WriteFontGrid({face, 30, 1.0}, "wide.pcx"));
    ASSERT_TRUE(WriteFontGrid({face, 30, 1.0, 0.7}, "narrow.pcx"));
    FONT* wide = load_bitmap_font("wide.pcx", nullptr, nullptr);
    FONT* narrow = load_bitmap_font("narrow.pcx", nullptr, nullptr);
    ASSERT_NE(wide, nullptr);
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(text_height(narrow), 30);
    int w = text_length(wide, "WAVES"), n = text_length(narrow, "WAVES");
    EXPECT_LT(n, w * 0.8);
    EXPECT_GT(n, w * 0.6);
    destroy_font(wide);
    destroy_font(narrow);
}

TEST(ArtGenerator, EveryBuildDrawsTheSamePictures)
{
    EXPECT_EQ(MakeFishSheet().px, MakeFishSheet().px);
    EXPECT_EQ(MakeCharacterSheet().px, MakeCharacterSheet().px);
    EXPECT_EQ(MakeTileSheet().px, MakeTileSheet().px);
    EXPECT_EQ(MakeNearLayer().px, MakeNearLayer().px);
}

namespace {

constexpr int TILE = 20;
constexpr int DECORATION_ROW = 3;

bool Drawn(const Image& tiles, int column, int x, int y)
{
    return x >= 0 && y >= 0 && x < TILE && y < TILE && tiles.At(column * TILE + x, DECORATION_ROW * TILE + y) != PINK;
}

int Luma(uint32_t c)
{
    return (299 * int(c >> 16) + 587 * int((c >> 8) & 0xFF) + 114 * int(c & 0xFF)) / 1000;
}

int ColourDistance(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int shift : {16, 8, 0})
        d += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    return d;
}

// Mean colour distance (|dR| + |dG| + |dB|, 0-765) between a decoration's pixels and the
// background under them, at the place where the decoration blends in best: anywhere
// across the layer, at any height where the map puts decorations (rows 1-22).
double WorstContrast(const Image& tiles, int column, const Image& background)
{
    double worst = 1e9;
    for (int top = TILE; top <= 22 * TILE; top += 5)
        for (int left = 0; left + TILE <= background.w; left += 5) {
            long total = 0, count = 0;
            for (int y = 0; y < TILE; y++)
                for (int x = 0; x < TILE; x++)
                    if (Drawn(tiles, column, x, y)) {
                        uint32_t stone = tiles.At(column * TILE + x, DECORATION_ROW * TILE + y);
                        total += ColourDistance(stone, background.At(left + x, top + y));
                        count++;
                    }
            worst = std::min(worst, double(total) / count);
        }
    return worst;
}

}  // namespace

// The stones that stand in open water crash the fish: each is outlined in dark all
// round, and its collision mask is exactly what is drawn.
TEST(ArtGenerator, DecorationsAreOutlinedSolidsMaskedWhereTheyAreDrawn)
{
    Image tiles = MakeTileSheet();
    Image mask = MaskOf(tiles);
    for (int column = 0; column < 3; column++) {
        int solid = 0, misMasked = 0, edge = 0, lightEdge = 0;
        for (int y = 0; y < TILE; y++)
            for (int x = 0; x < TILE; x++) {
                bool drawn = Drawn(tiles, column, x, y);
                misMasked += drawn != (mask.At(column * TILE + x, DECORATION_ROW * TILE + y) == SOLID_RED);
                if (!drawn)
                    continue;
                solid++;
                if (Drawn(tiles, column, x - 1, y) && Drawn(tiles, column, x + 1, y) && Drawn(tiles, column, x, y - 1)
                    && Drawn(tiles, column, x, y + 1))
                    continue;
                edge++;
                lightEdge += Luma(tiles.At(column * TILE + x, DECORATION_ROW * TILE + y)) > 40;
            }
        EXPECT_EQ(misMasked, 0) << "decoration " << column;
        EXPECT_GT(solid, TILE * TILE * 2 / 5) << "decoration " << column;
        EXPECT_GT(edge, 0) << "decoration " << column;
        EXPECT_EQ(lightEdge, 0) << "decoration " << column;
    }
}

// Nothing in the background looks like those stones: at its worst place a stone still
// differs from the layers behind it by 150 of 765 on average (the far layer's water and
// the near layer's kelp and silt over it; the layers are the same on every level).
TEST(ArtGenerator, DecorationsStandOutFromBothBackgroundLayersEverywhere)
{
    Image tiles = MakeTileSheet();
    Image far = MakeFarLayer();
    Image nearOverFar = MakeNearLayer();
    for (size_t i = 0; i < nearOverFar.px.size(); i++)
        if (nearOverFar.px[i] == PINK)
            nearOverFar.px[i] = far.px[i];
    for (int column = 0; column < 3; column++) {
        EXPECT_GT(WorstContrast(tiles, column, far), 150) << "decoration " << column << " on the far layer";
        EXPECT_GT(WorstContrast(tiles, column, nearOverFar), 150) << "decoration " << column << " on the near layer";
    }
}

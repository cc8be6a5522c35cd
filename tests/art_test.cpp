// The built data.dat and game_font.pcx, loaded the way the game loads them:
// every object where the game looks for it, pictures whose collision twins
// match what the player sees, and one-colour fonts that take the game's colours.
#include "data/datafile.h"
#include "support/headless.h"
#include "world/character.h"
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <utility>

namespace {

constexpr int PINK_32 = 0xFF00FF;
constexpr int RED_32 = 0xFF0000;

class ArtTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InitHeadlessAllegro();
        s_Data = load_datafile(PESKO_DATA_DIR "/data.dat");
    }
    static void TearDownTestSuite()
    {
        if (s_Data)
            unload_datafile(s_Data);
        s_Data = nullptr;
    }
    void SetUp() override { ASSERT_NE(s_Data, nullptr) << "data.dat did not load from " PESKO_DATA_DIR; }

    static BITMAP* Bitmap(int index) { return static_cast<BITMAP*>(s_Data[index].dat); }
    static FONT* Font(int index) { return static_cast<FONT*>(s_Data[index].dat); }

    static DATAFILE* s_Data;
};
DATAFILE* ArtTest::s_Data = nullptr;

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

int ColourDistance(int a, int b)
{
    return std::abs(getr32(a) - getr32(b)) + std::abs(getg32(a) - getg32(b)) + std::abs(getb32(a) - getb32(b));
}

// Mean colour step between two columns of a layer.
double ColumnStep(BITMAP* layer, int xa, int xb)
{
    double total = 0;
    for (int y = 0; y < layer->h; y++)
        total += ColourDistance(getpixel(layer, xa, y), getpixel(layer, xb, y));
    return total / layer->h;
}

// The step across the wrap (x = 1279 to x = 0) against the largest step
// between neighbouring columns inside the layer.
void ExpectSeamless(BITMAP* layer)
{
    double largestInside = 0;
    for (int x = 0; x + 1 < layer->w; x++)
        largestInside = std::max(largestInside, ColumnStep(layer, x, x + 1));
    EXPECT_LE(ColumnStep(layer, layer->w - 1, 0), largestInside);
}

}  // namespace

TEST_F(ArtTest, EveryObjectHasTheKindTheGameReadsItAs)
{
    EXPECT_EQ(CheckDatafile(s_Data), "");
    EXPECT_EQ(s_Data[DATA_UNUSED_7].type, DAT_SAMPLE);
    // Past #34 dat keeps only its own info record.
    for (int i = DATA_OBJECT_COUNT; s_Data[i].type != DAT_END; i++)
        EXPECT_EQ(s_Data[i].type, DAT_ID('i', 'n', 'f', 'o')) << "object #" << i;
}

TEST_F(ArtTest, BitmapsHaveTheSizesTheGameDrawsThemAt)
{
    struct Expected { int index, w, h; };
    const Expected sizes[] = {
        {BMP_PLAYER, 1200, 72}, {BMP_MENU, 640, 480}, {BMP_SCREEN, 640, 480},
        {BMP_LAYER1, 1280, 480}, {BMP_LAYER2, 1280, 480},
    };
    for (const Expected& e : sizes) {
        EXPECT_EQ(Bitmap(e.index)->w, e.w) << "object #" << e.index;
        EXPECT_EQ(Bitmap(e.index)->h, e.h) << "object #" << e.index;
    }
    for (int sheet : {BMP_PLAYER, BMP_TILES, BMP_CHARACTERS}) {
        EXPECT_EQ(Bitmap(sheet + 1)->w, Bitmap(sheet)->w) << "mask of #" << sheet;
        EXPECT_EQ(Bitmap(sheet + 1)->h, Bitmap(sheet)->h) << "mask of #" << sheet;
    }
    EXPECT_GE(Bitmap(BMP_TILES)->w, 6 * 20);
    EXPECT_GE(Bitmap(BMP_TILES)->h, 4 * 20);
    for (int b = BMP_PLAYER; b <= BMP_CHARACTERS_MASK; b++)
        EXPECT_EQ(bitmap_color_depth(Bitmap(b)), 32) << "object #" << b;
}

TEST_F(ArtTest, MaskTwinsAreSolidExactlyWhereTheSpritesShow)
{
    for (int sheet : {BMP_PLAYER, BMP_TILES, BMP_CHARACTERS})
        EXPECT_EQ(MaskMismatches(Bitmap(sheet), Bitmap(sheet + 1)), 0) << "sheet #" << sheet;
}

TEST_F(ArtTest, EveryFrameOfEveryKindShowsSomething)
{
    BITMAP* sheet = Bitmap(BMP_CHARACTERS);
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

TEST_F(ArtTest, EveryFishFrameShowsAFishInsideItsFrame)
{
    BITMAP* fish = Bitmap(BMP_PLAYER);
    for (int f = 0; f < 12; f++) {
        EXPECT_GT(VisiblePixels(fish, f * 100, 0, 100, 72), 100 * 72 / 4) << "frame " << f;
        // Nothing touches the frame's left and right columns: it would be cut off.
        EXPECT_EQ(VisiblePixels(fish, f * 100, 0, 1, 72), 0) << "frame " << f;
        EXPECT_EQ(VisiblePixels(fish, f * 100 + 99, 0, 1, 72), 0) << "frame " << f;
    }
}

TEST_F(ArtTest, TilesAreRockWaterAndDecorationsWhereTheMapPutsThem)
{
    BITMAP* tiles = Bitmap(BMP_TILES);
    EXPECT_EQ(VisiblePixels(tiles, 60, 60, 20, 20), 0) << "the open-water tile must be see-through";
    for (int level = 0; level < 6; level++) {
        EXPECT_EQ(VisiblePixels(tiles, level * 20, 0, 20, 20), 400) << "rock of level " << level;
        for (int edge = 1; edge <= 2; edge++) {
            int visible = VisiblePixels(tiles, level * 20, edge * 20, 20, 20);
            EXPECT_GT(visible, 100) << "edge " << edge << " of level " << level;
            EXPECT_LT(visible, 400) << "edge " << edge << " of level " << level;
        }
    }
    // A ceiling edge is rock at its top, a floor edge rock at its bottom.
    EXPECT_EQ(VisiblePixels(tiles, 0, 20, 20, 1), 20);
    EXPECT_EQ(VisiblePixels(tiles, 0, 39, 20, 1), 0);
    EXPECT_EQ(VisiblePixels(tiles, 0, 40, 20, 1), 0);
    EXPECT_EQ(VisiblePixels(tiles, 0, 59, 20, 1), 20);
    // Decorations are solid: a speck too small to notice would crash the fish unseen.
    for (int deco = 0; deco < 3; deco++)
        EXPECT_GT(VisiblePixels(tiles, deco * 20, 60, 20, 20), 160) << "decoration " << deco;
}

TEST_F(ArtTest, FarLayerCoversTheScreenAndNearLayerLetsItShowThrough)
{
    EXPECT_EQ(VisiblePixels(Bitmap(BMP_LAYER1), 0, 0, 1280, 480), 1280 * 480);
    int near = VisiblePixels(Bitmap(BMP_LAYER2), 0, 0, 1280, 480);
    EXPECT_GT(near, 1280 * 480 / 10);
    EXPECT_LT(near, 1280 * 480 / 2);
    ExpectSeamless(Bitmap(BMP_LAYER1));
    ExpectSeamless(Bitmap(BMP_LAYER2));
    EXPECT_EQ(VisiblePixels(Bitmap(BMP_MENU), 0, 0, 640, 480), 640 * 480);
    EXPECT_EQ(VisiblePixels(Bitmap(BMP_SCREEN), 0, 0, 640, 480), 640 * 480);
}

TEST_F(ArtTest, FontsDrawInWhateverColourTheGameAsksFor)
{
    BITMAP* page = create_bitmap(640, 120);
    for (int f = FNT_TITLE; f <= FNT_MENU; f++) {
        clear_to_color(page, makecol(0, 0, 255));
        textout_ex(page, Font(f), "PESKO Aa09!", 5, 5, makecol(255, 0, 0), -1);
        int red = 0, other = 0;
        for (int y = 0; y < page->h; y++)
            for (int x = 0; x < page->w; x++) {
                int c = getpixel(page, x, y);
                red += c == RED_32;
                other += c != RED_32 && c != 0x0000FF;
            }
        EXPECT_GT(red, 50) << "font #" << f;
        EXPECT_EQ(other, 0) << "font #" << f << " is not one-coloured";
    }
    destroy_bitmap(page);
}

TEST_F(ArtTest, FontsHaveTheirSizesAndTheLongestLineFits)
{
    struct Range { int index, lo, hi; };
    const Range heights[] = {
        {FNT_TITLE, 80, 100}, {FNT_HEADING, 36, 44}, {FNT_TEXT, 18, 22}, {FNT_TABLE, 24, 28}, {FNT_MENU, 34, 40},
    };
    for (const Range& r : heights) {
        EXPECT_GE(text_height(Font(r.index)), r.lo) << "font #" << r.index;
        EXPECT_LE(text_height(Font(r.index)), r.hi) << "font #" << r.index;
    }
    // The instructions put it between x = 145 and the right edge less 10.
    EXPECT_LE(text_length(Font(FNT_TEXT), "Actinian protects Pesko for a few time."), 485);
    EXPECT_LE(text_length(Font(FNT_TITLE), "PESKO"), 640);
}

// Rows of `bmp` that hold any pixel of `colour`: first and last, or -1 when none.
std::pair<int, int> InkRows(BITMAP* bmp, int colour)
{
    int first = -1, last = -1;
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++)
            if (getpixel(bmp, x, y) == colour) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
    return {first, last};
}

TEST_F(ArtTest, SoundAndMusicMessagesDoNotRunIntoEachOther)
{
    // Drawn 20 px apart, each over a black shadow 5 px lower: the sound
    // message's shadow must end above the music message's letters.
    BITMAP* shadow = create_bitmap(640, 80);
    BITMAP* music = create_bitmap(640, 80);
    clear_to_color(shadow, 0);
    clear_to_color(music, 0);
    textout_centre_ex(shadow, Font(FNT_TEXT), "SOUND OFF", 320, 5, RED_32, -1);
    textout_centre_ex(music, Font(FNT_TEXT), "MUSIC OFF", 320, 20, RED_32, -1);
    EXPECT_LT(InkRows(shadow, RED_32).second, InkRows(music, RED_32).first);
    destroy_bitmap(shadow);
    destroy_bitmap(music);
}

TEST_F(ArtTest, LongestNamesStayInTheirPlaces)
{
    // Fourteen letters, the most a name can have.
    const char* const names[] = {"WWWWWWWWWWWWWW", "MMMMMMMMMMMMMM", "ALEXANDER GRAY"};
    for (const char* name : names) {
        // The hi-score row: the name from x = 100, the score right-aligned at 540.
        EXPECT_LT(100 + text_length(Font(FNT_TABLE), name), 540 - text_length(Font(FNT_TABLE), " 99999")) << name;
    }
    // The name entry's box is 360 px wide; a real name fits inside it, and
    // even fourteen Ws stick out by no more than a letter's edge.
    EXPECT_LE(text_length(Font(FNT_HEADING), "ALEXANDER GRAY"), 340);
    EXPECT_LE(text_length(Font(FNT_HEADING), "MMMMMMMMMMMMMM"), 360);
    EXPECT_LE(text_length(Font(FNT_HEADING), "WWWWWWWWWWWWWW"), 380);
}

// Ink of one character drawn alone at the font's origin, as rows of '#'.
std::vector<std::string> GlyphInk(FONT* f, char c)
{
    const char text[2] = {c, 0};
    BITMAP* cell = create_bitmap(text_length(f, "W") * 2, text_height(f));
    clear_to_color(cell, 0);
    textout_ex(cell, f, text, 0, 0, RED_32, -1);
    std::vector<std::string> rows(cell->h, std::string(cell->w, '.'));
    for (int y = 0; y < cell->h; y++)
        for (int x = 0; x < cell->w; x++)
            if (getpixel(cell, x, y) == RED_32)
                rows[y][x] = '#';
    destroy_bitmap(cell);
    return rows;
}

int DifferingPixels(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    int differing = 0;
    for (size_t y = 0; y < a.size(); y++)
        for (size_t x = 0; x < a[y].size(); x++)
            differing += a[y][x] != b[y][x];
    return differing;
}

std::string Picture(const std::vector<std::string>& rows)
{
    std::string picture;
    for (const std::string& row : rows)
        picture += row + "\n";
    return picture;
}

// Empty rows between the first inked row and the last: the dot gap of i and j.
int GapRows(const std::vector<std::string>& rows)
{
    int first = -1, last = -1, empty = 0;
    for (int y = 0; y < int(rows.size()); y++)
        if (rows[y].find('#') != std::string::npos)
            first = first < 0 ? y : first, last = y;
    for (int y = first; y >= 0 && y <= last; y++)
        empty += rows[y].find('#') == std::string::npos;
    return empty;
}

// Characters a player could take for one another, checked pair by pair in every
// font the game draws with (the window only ever scales whole pixels, so a pair
// apart at 1x is apart at 2x). Eight pixels: two rows of a 4-pixel stem, the
// least dot gap of i in the 20-pixel text font, are that much; a lone row of
// the stem (4 or 5 pixels, what the face's own hinted i left) is a speck that
// reads as l, and sans-serif I and l differed by nothing but their height.
TEST_F(ArtTest, LookAlikeCharactersStayApartInEveryFont)
{
    constexpr int MIN_DIFFERING = 8;
    const char* const groups[] = {"ilI1|!j", "O0oDQ", "S5", "B8", "Z2", "G6", "uv", "rn"};
    for (int f = FNT_TITLE; f <= FNT_MENU; f++) {
        for (char dotted : {'i', 'j'})
            EXPECT_GE(GapRows(GlyphInk(Font(f), dotted)), 1) << "font #" << f << ", " << dotted << ":\n"
                                                             << Picture(GlyphInk(Font(f), dotted));
        for (const char* group : groups)
            for (const char* a = group; *a; a++)
                for (const char* b = a + 1; *b; b++)
                    EXPECT_GE(DifferingPixels(GlyphInk(Font(f), *a), GlyphInk(Font(f), *b)), MIN_DIFFERING)
                        << "font #" << f << ": " << *a << " and " << *b << "\n"
                        << Picture(GlyphInk(Font(f), *a)) << Picture(GlyphInk(Font(f), *b));
    }
}

TEST(DataFile, StaysSmallEnoughToShip)
{
    // Packed with compression; without it the bitmaps alone pass 10 MB.
    EXPECT_LT(file_size_ex(PESKO_DATA_DIR "/data.dat"), 8 * 1024 * 1024);
}

TEST(GameFont, LoadsAsABitmapFont)
{
    InitHeadlessAllegro();
    FONT* f = load_bitmap_font(PESKO_DATA_DIR "/game_font.pcx", nullptr, nullptr);
    ASSERT_NE(f, nullptr);
    EXPECT_GT(text_height(f), 8);
    EXPECT_GT(text_length(f, "Pesko"), 20);
    destroy_font(f);
}

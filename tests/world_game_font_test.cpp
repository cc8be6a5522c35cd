#include "support/headless.h"
#include "support/temp_dir.h"
#include "world/game_font.h"
#include <gtest/gtest.h>

namespace {

TEST(GameFontTest, AMissingFontFileLeavesTheHolderEmpty)
{
    InitHeadlessAllegro();
    TempDir dir;
    CGameFont holder;
    holder.LoadFont();
    EXPECT_EQ(holder.m_Font, nullptr);
    holder.DestroyFont();
    holder.DestroyFont();
    EXPECT_EQ(holder.m_Font, nullptr);
}

TEST(GameFontTest, AFontFileIsLoadedAndFreed)
{
    InitHeadlessAllegro();
    TempDir dir;
    // A bitmap font sheet: glyphs on a grid separated by a colour other than the glyph colours.
    BITMAP* sheet = create_bitmap(8 * 16 + 17, 8 * 6 + 7);
    clear_to_color(sheet, makecol(255, 255, 0));
    for (int row = 0; row < 6; row++)
        for (int column = 0; column < 16; column++) {
            const int x = 1 + column * 9;
            const int y = 1 + row * 9;
            rectfill(sheet, x, y, x + 7, y + 7, makecol(0, 0, 0));
            putpixel(sheet, x + 3, y + 3, makecol(255, 255, 255));
        }
    ASSERT_EQ(save_bitmap("game_font.pcx", sheet, nullptr), 0);
    destroy_bitmap(sheet);
    CGameFont holder;
    holder.LoadFont();
    ASSERT_NE(holder.m_Font, nullptr);
    EXPECT_EQ(text_height(holder.m_Font), 8);
    holder.LoadFont();  // loading again replaces the font without losing the first
    ASSERT_NE(holder.m_Font, nullptr);
    holder.DestroyFont();
    EXPECT_EQ(holder.m_Font, nullptr);
}

}  // namespace

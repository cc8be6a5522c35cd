#include "world/sprite.h"
#include <cstdint>

int MaskPixel(BITMAP* mask, int x, int y)
{
    // Outside the bitmap the answer is -1, which is never pure red.
    if (!mask || x < 0 || y < 0 || x >= mask->w || y >= mask->h)
        return -1;
    // The fish's collision scans read thousands of mask pixels every tick: a
    // 32-bit memory bitmap (every datafile mask) is read straight from its line.
    if (is_memory_bitmap(mask) && bitmap_color_depth(mask) == 32)
        return static_cast<int>(reinterpret_cast<const uint32_t*>(mask->line[y])[x]);
    return getpixel(mask, x, y);
}

bool IsMaskSolid(BITMAP* mask, int x, int y)
{
    return MaskPixel(mask, x, y) == MASK_SOLID;
}

void DrawSpriteFrame(BITMAP* dest, BITMAP* sheet, int sheetX, int sheetY, int frame, int w, int h,
                     int x, int y)
{
    // masked_blit clips against both bitmaps, so a sheet smaller than the
    // frame draws what it has and reads nothing beyond its edges.
    if (sheet && dest && w > 0 && h > 0)
        masked_blit(sheet, dest, sheetX + frame * w, sheetY, x, y, w, h);
}

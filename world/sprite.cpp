#include "world/sprite.h"

int MaskPixel(BITMAP* mask, int x, int y)
{
    // getpixel clips: outside the bitmap it answers -1, which is never pure red.
    return mask ? getpixel(mask, x, y) : -1;
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

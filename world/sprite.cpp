#include "world/sprite.h"

bool IsMaskSolid(BITMAP* mask, int x, int y)
{
    // getpixel answers -1 outside the bitmap, which is never pure red.
    return mask && getpixel(mask, x, y) == MASK_SOLID;
}

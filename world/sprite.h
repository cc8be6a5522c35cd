// Sprite sheets: rows of equal frames side by side, drawn with masked_blit;
// collision masks are twins of the sheets where exactly pure red is solid.
#pragma once
#include <allegro.h>

constexpr int MASK_SOLID = 0xFF0000;

// True when the mask pixel at (x, y) is pure red. Outside the bitmap (or with
// no bitmap) it is empty: getpixel answers -1 there. Every collision query uses it.
bool IsMaskSolid(BITMAP* mask, int x, int y);

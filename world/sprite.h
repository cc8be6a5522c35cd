// Sprite sheets: rows of equal frames side by side, drawn as masked_blit would;
// collision masks are twins of the sheets where exactly pure red is solid.
#pragma once
#include <allegro.h>

constexpr int MASK_SOLID = 0xFF0000;

// The mask pixel at (x, y): getpixel's answer, and -1 outside the bitmap or
// with no bitmap at all, so a damaged or missing sheet is never read past its end.
int MaskPixel(BITMAP* mask, int x, int y);

// True when the mask pixel at (x, y) is pure red. Outside the bitmap (or with
// no bitmap) it is empty: getpixel answers -1 there. Every collision query uses it.
bool IsMaskSolid(BITMAP* mask, int x, int y);

// Draws frame `frame` of the row whose frame 0 lies at (sheetX, sheetY), each
// frame w x h, with its top-left corner at (x, y). Nothing without a sheet.
void DrawSpriteFrame(BITMAP* dest, BITMAP* sheet, int sheetX, int sheetY, int frame, int w, int h,
                     int x, int y);

// What blit copies, for 32-bit memory bitmaps a row at a time without Allegro's
// line-by-line bank calls: a wall tile is drawn hundreds of times a frame.
void CopyPart(BITMAP* dest, BITMAP* source, int sx, int sy, int x, int y, int w, int h);

#include "world/sprite.h"
#include "platform/draw.h"
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <emmintrin.h>

int MaskPixel(BITMAP* mask, int x, int y)
{
    // Outside the bitmap the answer is -1, which is never pure red.
    if (!mask || x < 0 || y < 0 || x >= mask->w || y >= mask->h)
        return -1;
    // The fish's collision scans read thousands of mask pixels every tick: a
    // 32-bit memory bitmap (every datafile mask) is read straight from its line.
    if (IsMemoryPicture(mask, 32))
        return static_cast<int>(reinterpret_cast<const uint32_t*>(mask->line[y])[x]);
    return getpixel(mask, x, y);
}

bool IsMaskSolid(BITMAP* mask, int x, int y)
{
    return MaskPixel(mask, x, y) == MASK_SOLID;
}

// A rectangle of the sheet and where it lands, cut to what both bitmaps hold.
struct Copy {
    int sx, sy, dx, dy, w, h;
};

// Cuts the start of one axis to `low` and its end to `high`, moving the other side along.
static void Cut(int& from, int& to, int& n, int low, int high, bool cutFrom)
{
    int& at = cutFrom ? from : to;
    const int cut = std::max(0, low - at);
    from += cut, to += cut, n -= cut;
    n = std::min(n, high - at);
}

static Copy Clipped(BITMAP* sheet, BITMAP* dest, Copy c)
{
    Cut(c.sx, c.dx, c.w, 0, sheet->w, true);
    Cut(c.sy, c.dy, c.h, 0, sheet->h, true);
    const bool clip = dest->clip;
    Cut(c.sx, c.dx, c.w, clip ? dest->cl : 0, clip ? dest->cr : dest->w, false);
    Cut(c.sy, c.dy, c.h, clip ? dest->ct : 0, clip ? dest->cb : dest->h, false);
    return c;
}

// Allegro's masked_blit tests a pixel at a time; four at once take the sheet's
// pixel where it is not the mask colour and keep the picture's where it is.
static void MaskedCopy32(BITMAP* sheet, BITMAP* dest, Copy c)
{
    const uint32_t mask = static_cast<uint32_t>(bitmap_mask_color(sheet));
    const __m128i masks = _mm_set1_epi32(static_cast<int>(mask));
    for (int row = 0; row < c.h; row++) {
        const uint32_t* from = reinterpret_cast<const uint32_t*>(sheet->line[c.sy + row]) + c.sx;
        uint32_t* to = reinterpret_cast<uint32_t*>(dest->line[c.dy + row]) + c.dx;
        int i = 0;
        for (; i + 4 <= c.w; i += 4) {
            const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
            const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
            const __m128i open = _mm_cmpeq_epi32(pixels, masks);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i),
                             _mm_or_si128(_mm_and_si128(open, under), _mm_andnot_si128(open, pixels)));
        }
        for (; i < c.w; i++)
            if (from[i] != mask)
                to[i] = from[i];
    }
}

void CopyPart(BITMAP* dest, BITMAP* source, int sx, int sy, int x, int y, int w, int h)
{
    if (!source || !dest || w <= 0 || h <= 0)
        return;
    if (!IsMemoryPicture(source, 32) || !IsMemoryPicture(dest, 32)) {
        blit(source, dest, sx, sy, x, y, w, h);
        return;
    }
    const Copy c = Clipped(source, dest, {sx, sy, x, y, w, h});
    for (int row = 0; row < c.h && c.w > 0; row++)
        memcpy(reinterpret_cast<uint32_t*>(dest->line[c.dy + row]) + c.dx,
               reinterpret_cast<const uint32_t*>(source->line[c.sy + row]) + c.sx, c.w * sizeof(uint32_t));
}

void DrawSpriteFrame(BITMAP* dest, BITMAP* sheet, int sheetX, int sheetY, int frame, int w, int h,
                     int x, int y)
{
    if (!sheet || !dest || w <= 0 || h <= 0)
        return;
    // Both ways clip against both bitmaps, so a sheet smaller than the frame
    // draws what it has and reads nothing beyond its edges.
    const int frameX = sheetX + frame * w;
    if (IsMemoryPicture(sheet, 32) && IsMemoryPicture(dest, 32)) {
        const Copy c = Clipped(sheet, dest, {frameX, sheetY, x, y, w, h});
        if (c.w > 0 && c.h > 0)
            MaskedCopy32(sheet, dest, c);
        return;
    }
    masked_blit(sheet, dest, frameX, sheetY, x, y, w, h);
}

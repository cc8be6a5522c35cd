#include "movie/avi_player.h"
#include <algorithm>
#include <cstring>

static bool SameLayout32(BITMAP* target)
{
    // Pixels of the bitmap are 0x00RRGGBB words, as in Allegro's 32-bit X11 layout.
    return bitmap_color_depth(target) == 32 && _rgb_r_shift_32 == 16 && _rgb_g_shift_32 == 8 &&
           _rgb_b_shift_32 == 0;
}

static void CopyRow(BITMAP* target, int x, int y, const uint32_t* src, int count, bool direct)
{
    if (direct) {
        memcpy(reinterpret_cast<uint32_t*>(target->line[y]) + x, src, size_t(count) * 4);
        return;
    }
    for (int i = 0; i < count; i++) {
        uint32_t p = src[i];
        putpixel(target, x + i, y, makecol((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
}

void DrawPackedBitmap(BITMAP* target, int x, int y, const BITMAPINFOHEADER* frame)
{
    if (!target || !frame || frame->biBitCount != 32 || frame->biWidth <= 0)
        return;
    const int width = frame->biWidth;
    const int height = std::abs(frame->biHeight);
    const bool bottomUp = frame->biHeight > 0;
    const auto* pixels = reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(frame) + frame->biSize);
    const int left = std::max(x, target->cl);
    const int right = std::min(x + width, target->cr);
    const int top = std::max(y, target->ct);
    const int bottom = std::min(y + height, target->cb);
    if (left >= right || top >= bottom)
        return;
    const bool direct = SameLayout32(target) && is_memory_bitmap(target);
    acquire_bitmap(target);
    for (int ty = top; ty < bottom; ty++) {
        int row = ty - y;
        const uint32_t* src = pixels + size_t(bottomUp ? height - 1 - row : row) * size_t(width) + (left - x);
        CopyRow(target, left, ty, src, right - left, direct);
    }
    release_bitmap(target);
}

// Drawn frames: a memory bitmap that frees itself, and pixels of one colour counted in a box.
#pragma once
#include "platform/headless.h"
#include <allegro.h>

// Filled with one colour; Allegro starts headless first if nothing started it.
class Picture {
public:
    Picture(int w, int h, int colour = 0) : m_Bitmap((StartHeadlessAllegro(), create_bitmap(w, h)))
    {
        clear_to_color(m_Bitmap, colour);
    }
    ~Picture() { destroy_bitmap(m_Bitmap); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    operator BITMAP*() const { return m_Bitmap; }
    BITMAP* operator->() const { return m_Bitmap; }

private:
    BITMAP* m_Bitmap;
};

inline int CountColour(BITMAP* bmp, int x, int y, int w, int h, int colour)
{
    int n = 0;
    for (int yy = y; yy < y + h; yy++)
        for (int xx = x; xx < x + w; xx++)
            n += getpixel(bmp, xx, yy) == colour;
    return n;
}

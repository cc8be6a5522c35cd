// Counting pixels of one colour in a box of a drawn frame.
#pragma once
#include "support/keyboard.h"
#include <allegro.h>

inline int CountColour(BITMAP* bmp, int x, int y, int w, int h, int colour)
{
    int n = 0;
    for (int yy = y; yy < y + h; yy++)
        for (int xx = x; xx < x + w; xx++)
            n += getpixel(bmp, xx, yy) == colour;
    return n;
}

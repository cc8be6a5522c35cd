#include "platform/draw.h"

void DrawHeading(BITMAP* bmp, FONT* f, const char* text, int x, int y)
{
    textout_centre_ex(bmp, f, text, x + 5, y + 5, makecol(0, 0, 0), -1);
    textout_centre_ex(bmp, f, text, x + 2, y + 2, makecol(150, 150, 20), -1);
    textout_centre_ex(bmp, f, text, x, y, makecol(255, 255, 0), -1);
}

void DrawButton(BITMAP* bmp, FONT* f, const char* text, int x, int y, Align align, bool selected)
{
    auto draw = [&](int at, int top, int colour) {
        switch (align) {
        case Align::Left: textout_ex(bmp, f, text, at, top, colour, -1); break;
        case Align::Centre: textout_centre_ex(bmp, f, text, at, top, colour, -1); break;
        case Align::Right: textout_right_ex(bmp, f, text, at, top, colour, -1); break;
        }
    };
    draw(x + (selected ? 5 : 10), y + 10, makecol(0, 0, 0));
    if (selected)
        draw(x, y + 5, makecol(255, 0, 0));
    else
        draw(x, y, makecol(255, 255, 255));
}

void DrawCentredButton(BITMAP* bmp, FONT* f, const char* text, int x, int y, bool selected)
{
    DrawButton(bmp, f, text, x, y, Align::Centre, selected);
}

int OutlineColourFor(int colour)
{
    int luma = (299 * getr(colour) + 587 * getg(colour) + 114 * getb(colour)) / 1000;
    // Pure blue is darker than any water it floats on: give it a pale rim.
    return luma < 60 ? makecol(200, 235, 255) : makecol(0, 0, 0);
}

void DrawOverlayText(BITMAP* bmp, FONT* f, const char* text, int x, int y, int colour, int shadow)
{
    constexpr int RADIUS = 2;
    textout_centre_ex(bmp, f, text, x + shadow, y + shadow, makecol(0, 0, 0), -1);
    int outline = OutlineColourFor(colour);
    for (int dy = -RADIUS; dy <= RADIUS; dy++)
        for (int dx = -RADIUS; dx <= RADIUS; dx++)
            if ((dx || dy) && dx * dx + dy * dy <= RADIUS * RADIUS + 1)
                textout_centre_ex(bmp, f, text, x + dx, y + dy, outline, -1);
    textout_centre_ex(bmp, f, text, x, y, colour, -1);
}

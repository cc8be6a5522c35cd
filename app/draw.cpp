#include "app/draw.h"

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

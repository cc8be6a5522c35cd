#include "app/draw.h"

void DrawHeading(BITMAP* bmp, FONT* f, const char* text, int x, int y)
{
    textout_centre_ex(bmp, f, text, x + 5, y + 5, makecol(0, 0, 0), -1);
    textout_centre_ex(bmp, f, text, x + 2, y + 2, makecol(150, 150, 20), -1);
    textout_centre_ex(bmp, f, text, x, y, makecol(255, 255, 0), -1);
}

void DrawCentredButton(BITMAP* bmp, FONT* f, const char* text, int x, int y, bool selected)
{
    if (selected) {
        textout_centre_ex(bmp, f, text, x + 5, y + 10, makecol(0, 0, 0), -1);
        textout_centre_ex(bmp, f, text, x, y + 5, makecol(255, 0, 0), -1);
    } else {
        textout_centre_ex(bmp, f, text, x + 10, y + 10, makecol(0, 0, 0), -1);
        textout_centre_ex(bmp, f, text, x, y, makecol(255, 255, 255), -1);
    }
}

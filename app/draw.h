// Drawing helpers shared by the front-end screens.
#pragma once
#include <allegro.h>

// A heading drawn three times: black 5 px right and down, olive 2 px, then yellow.
void DrawHeading(BITMAP* bmp, FONT* f, const char* text, int x, int y);

// A centred button or item over a black shadow; the selected one is red, 5 px
// lower, with its shadow only 5 px to its right, so it looks pressed.
void DrawCentredButton(BITMAP* bmp, FONT* f, const char* text, int x, int y, bool selected);

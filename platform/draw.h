// Drawing helpers shared by the front-end screens.
#pragma once
#include <allegro.h>

// A heading drawn three times: black 5 px right and down, olive 2 px, then yellow.
void DrawHeading(BITMAP* bmp, FONT* f, const char* text, int x, int y);

enum class Align { Left, Centre, Right };

// A button or item over a black shadow 10 px right and down; the selected one is
// red, 5 px lower, with its shadow only 5 px to its right, so it looks pressed.
void DrawButton(BITMAP* bmp, FONT* f, const char* text, int x, int y, Align align, bool selected);
void DrawCentredButton(BITMAP* bmp, FONT* f, const char* text, int x, int y, bool selected);

// Centred text that reads on any water or rock: a black shadow `shadow` px right and
// down, a 2-px outline that contrasts with the text (light round dark blue, dark round
// red and green), then the text itself in its own colour.
void DrawOverlayText(BITMAP* bmp, FONT* f, const char* text, int x, int y, int colour, int shadow);
// The outline colour DrawOverlayText puts round text of `colour`.
int OutlineColourFor(int colour);

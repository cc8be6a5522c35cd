// Every picture of the game, built from vector drawing.
#pragma once
#include "image.h"

constexpr int FISH_FRAME_W = 100;
constexpr int FISH_FRAME_H = 72;
constexpr int FISH_FRAMES = 12;
constexpr int FISH_SWIM_FRAMES = 8;

Image MakeFishSheet();        // #20: 12 frames, swimming then crashed
Image MakeCharacterSheet();   // #28: the 13 kinds at their places
Image MakeTileSheet();        // #26: 20 x 20 tiles of six levels
Image MakeFarLayer();         // #24: 1280 x 480, covers the screen
Image MakeNearLayer();        // #25: 1280 x 480, pink where the far layer shows
Image MakeMenuBackground();   // #22
Image MakeScreenBackground(); // #23


// Pesko centred on the origin, about 92 x 56 pixels; the extra-life item
// is a small copy of it.
void DrawPesko(cairo_t* cr, double tailAngle);
// The desktop icon, `size` pixels square, as a PNG with transparency.
bool WriteIcon(int size, const std::string& path);
// The same icon for the game's window, pink where the desktop shows.
constexpr int WINDOW_ICON_SIZE = 48;
Image MakeWindowIcon();
// An XPM picture as C source: an array of strings called `name`; pink is None.
bool WriteXpm(const std::string& path, const std::string& name, const Image& img);

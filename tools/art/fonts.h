// The game's fonts: glyph grids that Allegro grabs as one-colour fonts.
#pragma once
#include <string>

struct FontStyle {
    const char* ttfPath;
    int cellHeight;   // text_height of the finished font, in pixels
    double embolden;  // extra stroke around every glyph, in pixels
    double widthScale = 1.0;  // below 1: letters drawn narrower than the face's own
};

// Writes the 8-bit PCX grid of ASCII 32-126: background 0, glyph pixels 1,
// separators 255, as load_bitmap_font and dat expect. Returns false on failure.
bool WriteFontGrid(const FontStyle& style, const std::string& pcxPath);

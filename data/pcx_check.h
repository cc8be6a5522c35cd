// Looks at a PCX picture before Allegro's loader does: load_pcx and
// load_bitmap_font trust its header and crash on a damaged one.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Returns "" for a 256-colour, one-plane PCX of 1..4096 pixels a side whose
// rows are all there; otherwise what is wrong ("height 0").
std::string CheckPcxBytes(const uint8_t* bytes, size_t size);

// The same, and then what load_bitmap_font needs of a font sheet: glyphs boxed
// in colour 255 (the grid), at least one of them ("has no glyphs" otherwise:
// Allegro's font grabber reads the first glyph of a font that has none).
std::string CheckFontPcxBytes(const uint8_t* bytes, size_t size);

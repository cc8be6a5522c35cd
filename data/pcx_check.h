// Looks at a PCX picture before Allegro's loader does: load_pcx and
// load_bitmap_font trust its header and crash on a damaged one.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Returns "" for a 256-colour, one-plane PCX of 1..4096 pixels a side whose
// rows are all there; otherwise what is wrong ("height 0").
std::string CheckPcxBytes(const uint8_t* bytes, size_t size);

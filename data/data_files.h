// Every file of the game's data folder, checked before anything reads it: the
// libraries that read them trust what they find, and a FIFO or a device in
// their place would hang the game.
#pragma once
#include <cstddef>
#include <string>

constexpr const char* DATA_FILE = "data.dat";
constexpr const char* PATCHES_FILE = "patches.dat";
constexpr const char* GAME_FONT_FILE = "game_font.pcx";
constexpr const char* INTRO_MOVIE_FILE = "gamelogo.avi";
constexpr size_t GAME_FONT_MAX_BYTES = size_t(16) << 20;

// The font sheet at path: "" when Allegro's font loader can take it or when
// there is none (nothing needs the font), otherwise what is wrong.
std::string CheckGameFontAt(const char* path);

// Checks each data file in the data folder. data.dat must be there; the patch
// set, the font and the movie may be missing (the game goes on without music,
// font or movie) but not damaged, and none may be anything but a regular file.
// Returns "" or a line naming the first file refused and why
// ("game_font.pcx: has no glyphs (no boxes of colour 255)").
std::string CheckDataFiles();

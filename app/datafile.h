// The objects of data.dat, addressed by index, and the check made at load time.
#pragma once
#include <allegro.h>
#include <cstdint>
#include <string>
#include <vector>

enum DataObject {
    SND_COIN = 0,
    SND_CRASH = 1,
    SND_EXPLOSION = 2,
    SND_EXTRA = 3,
    SND_BUMP = 4,
    SND_SHIELD = 5,
    SND_MOVE = 6,
    DATA_UNUSED_7 = 7,  // no part of the game reads it
    SND_SELECT = 8,
    SND_BACK = 9,
    SND_DROP = 10,
    SND_LAND = 11,
    MID_MENU = 12,
    MID_SETUP = 13,
    MID_INSTRUCTIONS = 14,
    MID_NAME = 15,
    MID_GAME = 16,
    MID_CONGRATULATIONS = 17,
    MID_DEMO = 18,
    MID_CREDITS = 19,
    BMP_PLAYER = 20,
    BMP_PLAYER_MASK = 21,
    BMP_MENU = 22,
    BMP_SCREEN = 23,
    BMP_LAYER1 = 24,
    BMP_LAYER2 = 25,
    BMP_TILES = 26,
    BMP_TILES_MASK = 27,
    BMP_CHARACTERS = 28,
    BMP_CHARACTERS_MASK = 29,
    FNT_TITLE = 30,
    FNT_HEADING = 31,
    FNT_TEXT = 32,
    FNT_TABLE = 33,
    FNT_MENU = 34,
    DATA_OBJECT_COUNT = 35
};

// Typed access to the loaded datafile (g_Data).
BITMAP* DataBitmap(int index);
FONT* DataFont(int index);
SAMPLE* DataSample(int index);
MIDI* DataMidi(int index);

// Walks the datafile's structure without loading it: true when every object it
// announces is wholly there. Allegro's own loader crashes on a truncated file.
bool DatafileIsWhole(const char* path);

// The kind each of objects #0-#34 must be (KIND_ANY for the unused one), for
// CheckDatafileBytes, which looks inside them before load_datafile does.
std::vector<uint32_t> ExpectedDataKinds();

// Checks that objects #0-#34 exist and have the kinds the game relies on.
// Returns an empty string when they do, otherwise the message to show.
std::string CheckDatafile(const DATAFILE* data);

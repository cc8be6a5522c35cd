// The objects of data.dat, addressed by index, and the check made at load time.
#pragma once
#include <allegro.h>
#include <cstdint>
#include <string>
#include <vector>

// Object #N of data.dat is the Nth entry of data/data_objects.def; #7 is never read.
enum DataObject {
#define DATA_OBJECT(name, type, file) name,
#include "data/data_objects.def"
#undef DATA_OBJECT
    DATA_OBJECT_COUNT
};
static_assert(SND_LAND == 11 && MID_CREDITS == 19 && BMP_CHARACTERS_MASK == 29 && FNT_MENU == 34,
              "samples, tunes, bitmaps and fonts keep their numbers");

// The Allegro type the game expects of object `index` (DAT_SAMPLE, DAT_MIDI, DAT_BITMAP or DAT_FONT).
int DataObjectType(int index);

// data.dat as loaded at start; it owns every bitmap, sample, tune and font.
extern DATAFILE* g_Data;

// Typed access to the loaded datafile (g_Data).
BITMAP* DataBitmap(int index);
FONT* DataFont(int index);
SAMPLE* DataSample(int index);
MIDI* DataMidi(int index);

// The kind each of objects #0-#34 must be (KIND_ANY for the unused one), for
// CheckDatafileBytes, which looks inside them before load_datafile does.
std::vector<uint32_t> ExpectedDataKinds();

// Checks that objects #0-#34 exist and have the kinds the game relies on.
// Returns an empty string when they do, otherwise the message to show.
std::string CheckDatafile(const DATAFILE* data);

#include "app/datafile.h"
#include "app/globals.h"

static void* DataObjectOfType(int index, int type)
{
    if (!g_Data || index < 0 || index >= DATA_OBJECT_COUNT || g_Data[index].type != type)
        return nullptr;
    return g_Data[index].dat;
}

BITMAP* DataBitmap(int index) { return static_cast<BITMAP*>(DataObjectOfType(index, DAT_BITMAP)); }
FONT* DataFont(int index) { return static_cast<FONT*>(DataObjectOfType(index, DAT_FONT)); }
SAMPLE* DataSample(int index) { return static_cast<SAMPLE*>(DataObjectOfType(index, DAT_SAMPLE)); }
MIDI* DataMidi(int index) { return static_cast<MIDI*>(DataObjectOfType(index, DAT_MIDI)); }

static int ExpectedType(int index, const char** kindName)
{
    if (index <= SND_LAND) {
        *kindName = "sample";
        return DAT_SAMPLE;
    }
    if (index <= MID_CREDITS) {
        *kindName = "MIDI tune";
        return DAT_MIDI;
    }
    if (index <= BMP_CHARACTERS_MASK) {
        *kindName = "bitmap";
        return DAT_BITMAP;
    }
    *kindName = "font";
    return DAT_FONT;
}

std::string CheckDatafile(const DATAFILE* data)
{
    const std::string notLoaded = "Not enough system memory to load a sound data\n";
    if (!data)
        return notLoaded;
    for (int i = 0; i < DATA_OBJECT_COUNT; i++) {
        if (data[i].type == DAT_END)
            return notLoaded;
        if (i == DATA_UNUSED_7)
            continue;
        const char* kindName = "";
        int expected = ExpectedType(i, &kindName);
        if (data[i].type != expected || !data[i].dat)
            return "data.dat: object #" + std::to_string(i) + " must be a " + kindName + "\n";
    }
    return "";
}

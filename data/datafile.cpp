#include "data/datafile.h"
#include "data/datafile_check.h"

DATAFILE* g_Data = nullptr;

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

// dat's type names in the table, as Allegro's datafile types.
constexpr int DAT_TYPE_SAMP = DAT_SAMPLE;
constexpr int DAT_TYPE_MIDI = DAT_MIDI;
constexpr int DAT_TYPE_BMP = DAT_BITMAP;
constexpr int DAT_TYPE_FONT = DAT_FONT;

static const int DATA_OBJECT_TYPES[DATA_OBJECT_COUNT] = {
#define DATA_OBJECT(name, type, file) DAT_TYPE_##type,
#include "data/data_objects.def"
#undef DATA_OBJECT
};

int DataObjectType(int index)
{
    return index >= 0 && index < DATA_OBJECT_COUNT ? DATA_OBJECT_TYPES[index] : DAT_END;
}

static const char* TypeName(int type)
{
    switch (type) {
    case DAT_SAMPLE: return "sample";
    case DAT_MIDI: return "MIDI tune";
    case DAT_BITMAP: return "bitmap";
    default: return "font";
    }
}

static_assert(KIND_SAMPLE == uint32_t(DAT_SAMPLE) && KIND_MIDI == uint32_t(DAT_MIDI) &&
              KIND_BITMAP == uint32_t(DAT_BITMAP) && KIND_FONT == uint32_t(DAT_FONT));

std::vector<uint32_t> ExpectedDataKinds()
{
    std::vector<uint32_t> kinds;
    for (int i = 0; i < DATA_OBJECT_COUNT; i++)
        kinds.push_back(i == DATA_UNUSED_7 ? KIND_ANY : uint32_t(DataObjectType(i)));
    return kinds;
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
        const int expected = DataObjectType(i);
        if (data[i].type != expected || !data[i].dat)
            return "data.dat: object #" + std::to_string(i) + " must be a " + TypeName(expected) + "\n";
    }
    return "";
}

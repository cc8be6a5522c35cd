#include "support/fake_data.h"
#include "data/datafile.h"
#include "app/globals.h"
#include "platform/headless.h"
#include <cstdlib>
#include <cstring>

static DATAFILE s_Objects[DATA_OBJECT_COUNT + 1];

static void* BitmapOfSize(int index)
{
    int w = 640, h = 480;
    switch (index) {
    case BMP_PLAYER:
    case BMP_PLAYER_MASK: w = 1200; h = 72; break;
    case BMP_LAYER1:
    case BMP_LAYER2: w = 1280; h = 480; break;
    case BMP_TILES:
    case BMP_TILES_MASK: w = 120; h = 80; break;
    case BMP_CHARACTERS:
    case BMP_CHARACTERS_MASK: w = 960; h = 688; break;
    }
    BITMAP* bmp = create_bitmap(w, h);
    clear_to_color(bmp, bitmap_mask_color(bmp));
    return bmp;
}

static void* MakeObject(int index, int* type)
{
    *type = DataObjectType(index);
    switch (*type) {
    case DAT_SAMPLE: {
        SAMPLE* s = create_sample(8, FALSE, 11025, 16);
        memset(s->data, 0x80, 16);
        return s;
    }
    case DAT_MIDI: return calloc(1, sizeof(MIDI));
    case DAT_BITMAP: return BitmapOfSize(index);
    default: return font;  // Allegro's own 8 x 8 font
    }
}

void UseFakeData()
{
    StartHeadlessAllegro();
    if (g_Data == s_Objects)
        return;
    for (int i = 0; i < DATA_OBJECT_COUNT; i++) {
        s_Objects[i].dat = MakeObject(i, &s_Objects[i].type);
        s_Objects[i].size = 0;
        s_Objects[i].prop = nullptr;
    }
    s_Objects[DATA_OBJECT_COUNT].type = DAT_END;
    s_Objects[DATA_OBJECT_COUNT].dat = nullptr;
    g_Data = s_Objects;
}

// libFuzzer target: any bytes as data.dat through the checker. What it accepts,
// Allegro's own loader must then load, and its fonts draw, without a fault.
// Links: data/datafile_check.cpp files/file_bytes.cpp
#include "data/datafile_check.h"
#include "fuzz/headless.h"
#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

void LoadWithAllegro(const uint8_t* data, size_t size)
{
    static std::string path = "/tmp/pesko-datafile-fuzz-" + std::to_string(getpid()) + ".dat";
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return;
    fwrite(data, 1, size, f);
    fclose(f);
    DATAFILE* loaded = load_datafile(path.c_str());
    if (!loaded)
        __builtin_trap();  // the checker passed a file Allegro cannot load
    static BITMAP* page = create_bitmap(32, 32);
    for (DATAFILE* d = loaded; d->type != DAT_END; d++)
        if (d->type == DAT_FONT)
            textout_ex(page, static_cast<FONT*>(d->dat), "Pesko", 0, 0, 1, -1);
    unload_datafile(loaded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartHeadlessAllegro();
    CheckDatafileBytes(data, size, {KIND_SAMPLE, KIND_MIDI, KIND_BITMAP, KIND_FONT});
    if (CheckDatafileBytes(data, size, {}).empty())
        LoadWithAllegro(data, size);
    return 0;
}

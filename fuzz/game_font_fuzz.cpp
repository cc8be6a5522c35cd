// libFuzzer target: any bytes as game_font.pcx through the font sheet check.
// What it accepts, Allegro's font loader must then load, and the font draw,
// without a fault.
// Links: data/pcx_check.cpp
#include "data/pcx_check.h"
#include "fuzz/headless.h"
#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartHeadlessAllegro();
    if (!CheckFontPcxBytes(data, size).empty())
        return 0;
    static std::string path = "/tmp/pesko-font-fuzz-" + std::to_string(getpid()) + ".pcx";
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    fwrite(data, 1, size, f);
    fclose(f);
    FONT* font = load_bitmap_font(path.c_str(), nullptr, nullptr);
    if (!font)
        __builtin_trap();  // the check passed a sheet Allegro cannot load
    static BITMAP* page = create_bitmap(64, 32);
    textout_ex(page, font, " !\"#Pesko", 0, 0, makecol(255, 255, 255), -1);
    destroy_font(font);
    return 0;
}

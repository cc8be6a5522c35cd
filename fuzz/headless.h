// Allegro without a display, as every fuzz target needs it: memory bitmaps at
// 32-bit colour, set up once for the whole run.
#pragma once
#include <allegro.h>
#include <cerrno>
#include <cstdlib>

inline void StartHeadlessAllegro()
{
    static bool ready = [] {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        return true;
    }();
    (void)ready;
}

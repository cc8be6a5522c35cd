// Allegro without a display: memory bitmaps, fonts and key[] only. No timer
// (install_timer crashes under SYSTEM_NONE), so tests call logic steps directly.
#pragma once
#include <allegro.h>
#include <cerrno>
#include <cstdlib>

inline void InitHeadlessAllegro()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    // The X11 driver's 32-bit layout, so that pure red is 0xFF0000 as in the game.
    _rgb_r_shift_32 = 16;
    _rgb_g_shift_32 = 8;
    _rgb_b_shift_32 = 0;
    set_color_depth(32);
}

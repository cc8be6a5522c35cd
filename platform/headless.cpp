#include "platform/headless.h"
#include <allegro.h>
#include <cerrno>
#include <cstdlib>

void StartHeadlessAllegro()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    // No timer either: install_timer crashes under SYSTEM_NONE; steps are run by hand.
    install_allegro(SYSTEM_NONE, &errno, atexit);
    _rgb_r_shift_32 = 16;
    _rgb_g_shift_32 = 8;
    _rgb_b_shift_32 = 0;
    set_color_depth(32);
}

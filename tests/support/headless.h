// Allegro without a display: memory bitmaps, fonts and key[] only. No timer
// (install_timer crashes under SYSTEM_NONE), so tests call logic steps directly.
#pragma once
#include "platform/headless.h"
#include <allegro.h>

inline void InitHeadlessAllegro()
{
    StartHeadlessAllegro();
}

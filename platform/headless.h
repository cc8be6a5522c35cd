// Allegro without a display, a timer or sound: memory bitmaps only, for
// checking a recorded game on any machine and for the unit tests.
#pragma once

// Installs it once, in 32-bit colour laid out as the X11 driver lays it out
// (pure red is 0xFF0000, as every collision mask expects).
void StartHeadlessAllegro();

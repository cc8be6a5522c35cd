// The window's icon, drawn by the art generator at build time.
#pragma once

// Must come before allegro_init, which makes the X11 window.
void UseGameIcon();

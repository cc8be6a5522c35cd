// The X display taken away: the window closed or killed from outside, or the
// X server gone. The game ends with a message and exit code 1, never a signal.
#pragma once

// After the graphics mode is set: installs the X error handlers and gives the
// window the player sees the game's title and a close button.
void WatchDisplay(const char* title);

// True once an X error said the game's window is gone; the screen loop then
// calls EndForLostDisplay.
bool DisplayLost();
[[noreturn]] void EndForLostDisplay();

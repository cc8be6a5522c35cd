// Start-up and shutdown of the program.
#pragma once
#include "platform/window.h"

// Sets up Allegro, the display pages and data.dat; ends the process with exit
// code 1 and a message when any of them cannot be had.
void InitGame();
void ShutdownGame();

// Ends the program at once, the way the close button does: shutdown in order,
// exit code 0, or that of the quit signal that asked for it.
[[noreturn]] void QuitAtOnce();

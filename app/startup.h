// Start-up and shutdown of the program.
#pragma once

// Sets up Allegro, the display pages and data.dat; ends the process with exit
// code 1 and a message when any of them cannot be had.
void InitGame();
void ShutdownGame();
// Leaves graphics mode, writes the message to the standard error stream and exits with code 1.
[[noreturn]] void FatalError(const char* message);
// The fatal message of a display that cannot be had, with the reason.
[[noreturn]] void FailNoGraphicMode(const char* reason);

// Set when the player closes the game's window; the screen loop then ends the
// program at once (settings and hi-scores are already on disk by then).
extern volatile bool g_CloseRequested;
[[noreturn]] void QuitAtOnce();

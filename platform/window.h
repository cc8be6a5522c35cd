// The game's window as the desktop sees it: its close button, and the way out
// when something the game cannot run without is missing.
#pragma once

// Leaves graphics mode, writes the message to the standard error stream and exits with code 1.
[[noreturn]] void FatalError(const char* message);
// The fatal message of a display that cannot be had, with the reason.
[[noreturn]] void FailNoGraphicMode(const char* reason);

// Set when the player closes the game's window; the screen loop then ends the
// program at once (settings and hi-scores are already on disk by then).
extern volatile bool g_CloseRequested;
// Makes the window's close button set g_CloseRequested.
void WatchCloseButton();

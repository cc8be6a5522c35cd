// The signals that ask the game to end (a desktop's logout, kill, Ctrl+C, a
// closed terminal) end it the way the close button does: the handler only sets
// a flag, and the screen loop leaves at its next step.
#pragma once
#include <csignal>

// The signal that asked the game to end, or 0.
extern volatile sig_atomic_t g_QuitSignal;

// Before allegro_init: notes which of SIGTERM, SIGINT and SIGHUP the game was
// started with ignored (they stay ignored) and puts the flag-setting handler on
// the others, so that allegro_exit, which puts back what it found, puts it back.
void WatchQuitSignals();
// After allegro_init: takes SIGTERM and SIGINT back from Allegro's own handler,
// which shuts the library down from inside the signal while other threads are
// in the middle of X calls, and gives SIGQUIT, SIGILL, SIGABRT, SIGFPE, SIGSEGV
// and SIGBUS back the disposition they had before (a core where the system
// wants one).
void TakeSignalsBackFromAllegro();

// The game has begun to leave: from now on any quit signal ends it at once.
void MarkLeaving();
// The exit code of a game ended by signal `number`: 130 for SIGINT (the
// shell's convention for Ctrl+C), 0 for the others, which ask for an orderly end.
int QuitSignalExitCode(int number);

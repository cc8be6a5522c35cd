// Watching a recorded game on screen: the game as it was played, its HUD,
// sounds and overlays, under a blinking caption.
#pragma once
#include "replay/replay_file.h"

// How a watcher may end it before the game's own end.
enum class WatchEnd {
    OnEsc,      // "REPLAY": ESC ends it; holding Right plays it 4x faster
    OnAnyKey,   // "DEMO": any key ends it, as the attract demo always ends
};

// Plays `replay` from its start to its last step, or until the watcher ends it.
void WatchReplay(const Replay& replay, const char* caption, WatchEnd end);

// The attract mode: the best recorded game under "DEMO" when one can be read,
// otherwise the sea without a fish.
void PlayAttractDemo();

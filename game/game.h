// One game from its set-up to its end, its per-tick rules and its frame, and
// the attract-mode demo.
#pragma once
#include <allegro.h>

// Returns 1 when the sea was crossed (the game was completed), else 0.
int PlayGame();
void InitLevel_01();
void ExitLevel_01();
void UpdateLevel_01();
// One frame of the game into `dest`: the world back to front, the HUD and the
// overlays, the world a fraction t of the way from the previous step to the latest one.
void DrawLevel_01(BITMAP* dest, float t = 1.0f);
void PlayDemo();

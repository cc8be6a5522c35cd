// One game from its set-up to its end, its per-tick rules and its frame, and
// the attract-mode demo.
#pragma once
#include "app/loop.h"
#include "input/input.h"
#include <allegro.h>

// Everything one game step takes from the player, as one plain value: the game
// driver reads it once per step (ReadStepInput) and hands it to UpdateLevel_01,
// so a recorder can keep it and a replay can hand the same steps back.
struct StepInput {
    HeldDirections held;     // steering, on the control device chosen in Setup
    bool escape = false;     // ESC pressed: opens the quit box
    bool pause = false;      // P acts (pressed, or held and repeating): pauses or resumes
    bool sound = false;      // S acts: sound effects on or off
    bool music = false;      // M acts: music on or off
    bool boxYes = false;     // Left acts: the quit box's choice moves to Yes
    bool boxNo = false;      // Right acts: the choice moves to No
    bool boxAnswer = false;  // Enter pressed: the quit box takes its choice
    bool focusLost = false;  // the window lost the keyboard, or the steering pad was unplugged, since the last step
};

// Returns 1 when the sea was crossed (the game was completed), else 0.
int PlayGame();
// The game's loop at a share of its 20 steps a second (frames stay at 60).
ScreenLoop GameLoop(int speedPercent);
// The game runs below full speed: its score is not offered to the table.
bool IsRelaxedGame();
void InitLevel_01();
void ExitLevel_01();
// One game step on the player's input of this step: ReadStepInput, then the step.
void UpdateLevel_01();
// One 50 ms game step on the given input.
void UpdateLevel_01(const StepInput& input);
// Steps the game's presses (g_Game.keys) and reads the steering of the Setup choice.
StepInput ReadStepInput();
// One frame of the game into `dest`: the world back to front, the HUD and the
// overlays, the world a fraction t of the way from the previous step to the latest one.
void DrawLevel_01(BITMAP* dest, float t = 1.0f);
void PlayDemo();

// One game from the name entry to its end, its per-tick rules and its frame,
// and the attract-mode demo.
#pragma once

// Returns 1 when the sea was crossed (the game was completed), else 0.
int PlayGame();
void InitLevel_01();
void ExitLevel_01();
void UpdateLevel_01();
void DrawLevel_01();
void PlayDemo();

// Binding of the world's bitmaps from the datafile; 0 when bound.
int ReadPlayerData();
void FreePlayerData();
int ReadCharacterData();
void FreeCharacterData();

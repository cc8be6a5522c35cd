// The seven game-world objects that live for the whole run, and the binding
// of their bitmaps from the datafile.
#pragma once
#include "world/character.h"
#include "world/game_font.h"
#include "world/level_map.h"
#include "world/player.h"
#include "world/scroll_layer.h"

extern CPlayer g_Player;
extern CGameFont g_GameFont;
extern CLevelMap g_LevelMap;
extern CScrollLayer g_ScrollLayer1;
extern CScrollLayer g_ScrollLayer2;
extern CCharacter g_Enemies;
extern CCharacter g_Icons;

// The far layers back to front, each band of the view drawn only between the
// solid rock the walls will cover it with.
void DrawLayersBehindRock(BITMAP* dest, float t, const CLevelMap& map, const CScrollLayer* const* layers, int count);
// The same for the game's two layers over its map.
void DrawFarLayers(BITMAP* dest, float t);

// Binding of the fish's and the sea collection's bitmaps; 0 when bound.
int ReadPlayerData();
void FreePlayerData();
int ReadCharacterData();
void FreeCharacterData();
// Empties both collections (at the end of a game and at shutdown).
void RemoveAllCharacters();

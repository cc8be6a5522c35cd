// The 13 kinds of object in the sea: their frame size, their row on the
// character sheet (datafile object #28 and its mask #29), their frame count
// and their behaviour class. The game reads them, and the art generator draws
// the sheet by them, so that the two always agree.
#pragma once

constexpr int CHARACTER_KIND_COUNT = 13;

enum CharacterKind {
    KIND_URCHIN = 0,
    KIND_COIN = 1,
    KIND_BARREL = 2,
    KIND_BOTTLE = 3,
    KIND_MINE = 4,
    KIND_EXTRA_LIFE = 5,
    KIND_EXPLOSION = 6,
    KIND_BUBBLE = 7,
    KIND_BIG_FISH = 8,
    KIND_JELLYFISH = 9,
    KIND_ACTINIAN = 10,
    KIND_FRIEND = 11,
    KIND_DECORATION = 12
};

struct CharacterKindInfo {
    int width, height;
    int sheetX, sheetY;
    int frameCount;
    int classId;
};

// Frames of a kind lie side by side from (sheetX, sheetY).
inline constexpr CharacterKindInfo g_CharacterKinds[CHARACTER_KIND_COUNT] = {
    {66, 56, 0, 0, 9, -2},     // sea urchin
    {21, 21, 0, 70, 8, 2},     // coin
    {64, 37, 0, 110, 3, -2},   // barrel
    {56, 77, 0, 155, 5, 1},    // bottle
    {50, 50, 0, 240, 1, -1},   // explosive object
    {22, 14, 0, 295, 1, 3},    // extra life
    {46, 46, 0, 315, 6, 6},    // explosion
    {30, 30, 230, 70, 8, 5},   // bubble
    {120, 51, 0, 380, 8, -2},  // very dangerous fish
    {64, 64, 0, 442, 6, -2},   // enemy
    {95, 86, 0, 510, 4, 4},    // actinian
    {52, 57, 0, 600, 8, 0},    // harmless friend
    {23, 23, 0, 665, 1, 0},    // rising decoration of the credits
};

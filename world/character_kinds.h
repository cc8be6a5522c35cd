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

// Behaviour classes of the sea's objects, as the fish sees them.
enum {
    CLASS_DEADLY = -2,
    CLASS_EXPLOSIVE = -1,
    CLASS_HARMLESS = 0,
    CLASS_BOTTLE = 1,
    CLASS_COIN = 2,
    CLASS_EXTRA_LIFE = 3,
    CLASS_SHIELD = 4,
    CLASS_BUBBLE = 5,
    CLASS_EXPLOSION = 6
};

struct CharacterKindInfo {
    int width, height;
    int sheetX, sheetY;
    int frameCount;
    int classId;
};

// Frames of a kind lie side by side from (sheetX, sheetY).
inline constexpr CharacterKindInfo g_CharacterKinds[CHARACTER_KIND_COUNT] = {
    {66, 56, 0, 0, 9, CLASS_DEADLY},                    // sea urchin
    {21, 21, 0, 70, 8, CLASS_COIN},                     // coin
    {64, 37, 0, 110, 3, CLASS_DEADLY},                  // barrel
    {56, 77, 0, 155, 5, CLASS_BOTTLE},                  // bottle
    {50, 50, 0, 240, 1, CLASS_EXPLOSIVE},               // explosive object
    {22, 14, 0, 295, 1, CLASS_EXTRA_LIFE},              // extra life
    {46, 46, 0, 315, 6, CLASS_EXPLOSION},               // explosion
    {30, 30, 230, 70, 8, CLASS_BUBBLE},                 // bubble
    {120, 51, 0, 380, 8, CLASS_DEADLY},                 // very dangerous fish
    {64, 64, 0, 442, 6, CLASS_DEADLY},                  // enemy
    {95, 86, 0, 510, 4, CLASS_SHIELD},                  // actinian
    {52, 57, 0, 600, 8, CLASS_HARMLESS},                // harmless friend
    {23, 23, 0, 665, 1, CLASS_HARMLESS},                // rising decoration of the credits
};

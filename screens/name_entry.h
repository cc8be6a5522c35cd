// The name entry before every game: the name goes to g_PlayerName.
#pragma once
#include "input/input.h"
#include <allegro.h>

struct NameEntryState {
    int cursor = 0;       // length of the name typed so far
    bool offered = true;  // the name is still the offered one, untouched
    PressReader keys;
    bool done = false;
};

// Offers g_PlayerName "ANONYM" with the cursor after it and places the fish.
void NameEntryReset(NameEntryState& entry);
void NameEntryStep(NameEntryState& entry);
// Acts on one key read from the buffer: Backspace, a letter, a digit or space.
// The first character typed replaces the offered name whole.
void NameEntryTakeKey(NameEntryState& entry, int scancode);
void NameEntryDraw(const NameEntryState& entry, BITMAP* dest);

// The character a name key stands for ('A'-'Z', '0'-'9', ' '), or 0 for any other key.
char NameCharacter(int scancode);

// The name entry before every game: the name goes to g_PlayerName.
#pragma once
#include <allegro.h>

struct NameEntryState {
    int cursor = 0;  // length of the name typed so far
    bool done = false;
};

// Resets g_PlayerName to "ANONYM" with the cursor after it and places the fish.
void NameEntryReset(NameEntryState& entry);
void NameEntryStep(NameEntryState& entry);
// Acts on one key read from the buffer: Backspace, a letter, a digit or space.
void NameEntryTakeKey(NameEntryState& entry, int scancode);
void NameEntryDraw(const NameEntryState& entry, BITMAP* dest);

// The character a name key stands for ('A'-'Z', '0'-'9', ' '), or 0 for any other key.
char NameCharacter(int scancode);

// Pieces shared by the front-end screens outside the menu.
#pragma once
#include "platform/draw.h"
#include <allegro.h>

// A line of a fixed text table with its style tag; a table ends with a null tag.
struct TaggedLine {
    const char* tag;
    const char* text;
};

// The lone button of a screen ("Enter", "Back", "Menu"), always shown pressed.
void DrawLoneButton(BITMAP* dest, const char* text);
// The screen background and a heading centred at the top.
void DrawBackgroundAndHeading(BITMAP* dest, const char* heading);
void DrawBackground(BITMAP* dest);
void DrawTopHeading(BITMAP* dest, const char* heading);

// Binds the fish's bitmaps; the program cannot go on without them.
void BindFishOrExit();
// Binds the collection's bitmaps (a failure there only leaves it invisible).
void BindCollection();
// Drops the collection's bitmaps and whatever objects it still holds.
void ReleaseCollection();

// A key waiting in the buffer ends the screen with SND_SELECT; the key is
// left in the buffer for the next screen to clear.
bool KeyEndsScreen();
// A screen with g_Enemies decorations is over when they have stopped coming and
// the last one is gone, or when a key ends it.
bool ScreenOver(bool spawningOver);

// Pieces shared by the front-end screens outside the menu.
#pragma once
#include <allegro.h>

enum class Align { Left, Centre, Right };

// A line of a fixed text table with its style tag; a table ends with a null tag.
struct TaggedLine {
    const char* tag;
    const char* text;
};

// A button of a bar whose face lies at y when not selected; the selected one
// is red, 5 px lower, with its shadow only 5 px to its right, so it looks pressed.
void DrawBarButton(BITMAP* dest, FONT* f, const char* text, int x, int y, Align align, bool selected);
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
// After a frame of a screen with g_Enemies decorations: over when they have stopped
// coming and the last one is gone, or when a key ends the screen.
bool ScreenOverAfterFrame(bool spawningOver);

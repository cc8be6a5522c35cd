// The game's window or full screen: which graphics mode is set, how the
// 640 x 480 pages are shown on it, and the mouse mapped back into the picture.
#pragma once
#include "settings/display_settings.h"
#include "files/options.h"
#include "platform/scaling.h"

// pesko.cfg with the command line over it; a choice made on the command line
// is written back so that the next start remembers it.
DisplayChoice StartingDisplayChoice(const Options& options);
// Sets the first graphics mode. Full screen refused: a window. No window of the
// wanted size: the next smaller one, down to 1x, then GFX_SAFE. False only when
// nothing works (allegro_error says why).
bool OpenDisplay(const DisplayChoice& choice);
void CloseDisplay();
bool IsFullscreen();
const PictureFrame& CurrentPictureFrame();

// From window to full screen and back; the choice is remembered in pesko.cfg.
void ToggleFullscreen();
// (F11 and Alt+Enter, which call it, are watched by input/.)

// Shows a 640 x 480 page: scaled by whole pixels and placed on the screen.
void ShowPicture(BITMAP* page);

// The mouse in picture coordinates, whatever the scale and the border.
int PictureMouseX();
int PictureMouseY();
void PlaceMouse(int x, int y);
// Keeps the mouse inside this box of the picture (the whole picture at start).
void ConfineMouse(int left, int top, int right, int bottom);

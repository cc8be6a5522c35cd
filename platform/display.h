// The game's window or full screen: which graphics mode is set, how the
// 640 x 480 pages are shown on it (the mouse on it is input/'s).
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

// The mouse's owner (input/) is told before a mode change (`leaving`, from
// ToggleFullscreen) and once a new mode is set (`entered`).
void WatchModeChanges(void (*leaving)(), void (*entered)());

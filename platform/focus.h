// What happens when the game's window loses the keyboard: the game runs on in
// the background, every key counts as released, and a game in play pauses.
#pragma once

// Set again after every graphics mode change (a new mode forgets it).
void WatchFocus();
// True once after the window has lost the keyboard focus.
bool TakeFocusLoss();
// A loss seen on one screen is not carried into the next.
void ForgetFocusLoss();
// The game's own mode changes move the focus too; those are no loss.
void IgnoreFocusChanges(bool ignore);
// Keys held when the focus went never see their release: drop them all.
void ReleaseAllKeys();
// One key made to look up, in key[] and in Allegro's state behind it that a
// poll_keyboard copies into key[]; safe from Allegro's input thread.
void HideKey(int scancode);
// Allegro's state behind key[], ahead of it once the screens poll the keyboard.
extern "C" volatile char _key[];

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
// Keys held when the focus went never see their release: the keyboard's
// watch (input/) gives the function that drops them all, called on Allegro's
// input thread as the focus goes.
void OnFocusLossReleaseKeys(void (*releaseAllKeys)());

#include "platform/focus.h"
#include <allegro.h>
#include <atomic>

static std::atomic<bool> s_FocusLost{false};
static std::atomic<bool> s_Ignoring{false};

static void (*s_ReleaseAllKeys)() = nullptr;

void OnFocusLossReleaseKeys(void (*releaseAllKeys)())
{
    s_ReleaseAllKeys = releaseAllKeys;
}

// Called by Allegro's X11 input thread: only flags and the keys are touched.
static void OnSwitchOut()
{
    if (s_Ignoring)
        return;
    if (s_ReleaseAllKeys)
        s_ReleaseAllKeys();
    s_FocusLost = true;
}
END_OF_STATIC_FUNCTION(OnSwitchOut)

void WatchFocus()
{
    LOCK_FUNCTION(OnSwitchOut);
    // Setting the mode drops the callbacks, so the callback comes second.
    set_display_switch_mode(SWITCH_BACKGROUND);
    set_display_switch_callback(SWITCH_OUT, OnSwitchOut);
}

bool TakeFocusLoss()
{
    return s_FocusLost.exchange(false);
}

void ForgetFocusLoss()
{
    s_FocusLost = false;
}

void IgnoreFocusChanges(bool ignore)
{
    s_Ignoring = ignore;
}

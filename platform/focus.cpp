#include "platform/focus.h"
#include <allegro.h>
#include <atomic>

static std::atomic<bool> s_FocusLost{false};
static std::atomic<bool> s_Ignoring{false};

// Allegro's own key release, which also clears the Alt, Ctrl and Shift flags,
// and its state behind key[] once the screens poll the keyboard.
extern "C" void _handle_key_release(int scancode);

void HideKey(int scancode)
{
    _key[scancode] = 0;
    key[scancode] = 0;
}

void ReleaseAllKeys()
{
    for (int i = 1; i < KEY_MAX; i++) {
        if (key[i] || _key[i])
            _handle_key_release(i);
        key[i] = 0;
    }
}

// Called by Allegro's X11 input thread: only flags and key[] are touched.
static void OnSwitchOut()
{
    if (s_Ignoring)
        return;
    ReleaseAllKeys();
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

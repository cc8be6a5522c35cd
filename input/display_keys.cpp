// F11 and Alt+Enter: the full-screen switch, caught among the keys before any
// screen sees them.
#include "input/input.h"
#include "platform/display.h"
#include <allegro.h>
#include <atomic>
#include <cstdint>
#include <ctime>

// F11 and Alt+Enter are caught as the keyboard driver reports them, press by
// press. An Enter pressed with Alt is hidden from key[] (and from the state a
// poll_keyboard copies into it) before any screen can read it. A mode change
// may lose the Enter's release and give it back as a fresh press once the new
// window has the keyboard, so for a moment after an Alt+Enter switch Enter
// stays hidden.
static std::atomic<bool> s_ToggleRequested{false};
static std::atomic<bool> s_ChordToggled{false};  // this Alt press has toggled once
static std::atomic<bool> s_ToggledByEnter{false};
static std::atomic<int64_t> s_HideEnterUntilMs{0};
constexpr int64_t ENTER_HIDDEN_AFTER_SWITCH_MS = 1000;

static int64_t NowMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

static bool AltHeld()
{
    return key[KEY_ALT] || key[KEY_ALTGR] || _key[KEY_ALT] || _key[KEY_ALTGR];
}

bool DisplayTakesKey(int scancode)
{
    bool pressed = !(scancode & 0x80);
    int code = scancode & 0x7F;
    if (!pressed)
        return false;
    if (code == KEY_ALT || code == KEY_ALTGR) {
        s_ChordToggled = false;
    } else if (code == KEY_ENTER || code == KEY_ENTER_PAD) {
        bool alt = AltHeld();
        if (alt && !s_ChordToggled.exchange(true)) {
            s_ToggledByEnter = true;
            s_ToggleRequested = true;
        }
        if (alt || NowMs() < s_HideEnterUntilMs) {
            HideKey(code);
            return true;
        }
    } else if (code == KEY_F11) {
        s_ToggleRequested = true;
        return true;
    }
    return false;
}

// Allegro's own Alt flag as the driver sees it, ahead of key_shifts.
extern "C" volatile int _key_shifts;

// The key buffer never gets F11 or an Enter pressed with Alt, so screens that
// leave on any key (the intro, the demo) or read typed keys let them be.
static int KeepToggleKeysOutOfBuffer(int character, int* scancode)
{
    bool enter = *scancode == KEY_ENTER || *scancode == KEY_ENTER_PAD;
    if (*scancode == KEY_F11 || (enter && (_key_shifts & KB_ALT_FLAG))) {
        *scancode = 0;
        return 0;
    }
    return character;
}
END_OF_STATIC_FUNCTION(KeepToggleKeysOutOfBuffer)

void WatchDisplayKeys()
{
    LOCK_FUNCTION(KeepToggleKeysOutOfBuffer);
    keyboard_ucallback = KeepToggleKeysOutOfBuffer;
}

void HandleDisplayKeys()
{
    if (!s_ToggleRequested.exchange(false))
        return;
    ToggleFullscreen();
    if (s_ToggledByEnter.exchange(false))
        s_HideEnterUntilMs = NowMs() + ENTER_HIDDEN_AFTER_SWITCH_MS;
}


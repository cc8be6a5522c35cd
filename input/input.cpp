#include "input/input.h"
#include "platform/display.h"
#include "platform/focus.h"
#include "platform/picture.h"
#include <allegro.h>
#include <atomic>
#include <cctype>
#include <cstring>

constexpr int KEY_RELEASED_BIT = 0x80;

// Written on Allegro's keyboard thread, read by the screens.
static std::atomic<int> s_Downs[KEY_MAX];
static std::atomic<bool> s_Held[KEY_MAX];
// Enter went down while Alt was held: that is the fullscreen switch, not Enter.
static std::atomic<bool> s_EnterWithAlt{false};
// With the watch installed it alone tells what the keys do; key[] (which the
// tests write) only counts without it.
static bool s_Watching = false;

static bool KeyDown(int k)
{
    return s_Held[k] || (!s_Watching && key[k]);
}

static bool AltHeld()
{
    return KeyDown(KEY_ALT) || KeyDown(KEY_ALTGR);
}

void WatchKeyboard(int scancode)
{
    if (DisplayTakesKey(scancode))
        return;
    const int code = scancode & ~KEY_RELEASED_BIT;
    if (code <= 0 || code >= KEY_MAX)
        return;
    if (scancode & KEY_RELEASED_BIT) {
        s_Held[code] = false;
        if (code == KEY_ENTER)
            s_EnterWithAlt = false;
        return;
    }
    // A key the system repeats while held reports no new going-down.
    if (s_Held[code].exchange(true))
        return;
    if (code == KEY_ENTER && AltHeld()) {
        s_EnterWithAlt = true;
        return;
    }
    s_Downs[code]++;
}
END_OF_FUNCTION(WatchKeyboard)

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

void InstallKeyboardWatch()
{
    LOCK_FUNCTION(WatchKeyboard);
    keyboard_lowlevel_callback = WatchKeyboard;
    OnFocusLossReleaseKeys(ReleaseAllKeys);
    s_Watching = true;
}

bool JoystickInstalled()
{
    return num_joysticks > 0;
}

static const int KEY_OF_CONTROL[INPUT_COUNT] = {
    KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_ENTER, KEY_ESC, KEY_P, KEY_S, KEY_M,
};

// The pause button: one called Start where the pad has one, else the third.
static int PauseButton(const JOYSTICK_INFO& pad)
{
    for (int b = 0; b < pad.num_buttons; b++) {
        const char* name = pad.button[b].name;
        if (name && strncasecmp(name, "start", 5) == 0)
            return b;
    }
    return 2;
}

static bool ButtonDown(const JOYSTICK_INFO& pad, int button)
{
    return button < pad.num_buttons && pad.button[button].b;
}

// Directions come from the first stick and from any digital pad.
static bool DirectionDown(const JOYSTICK_INFO& pad, int axis, bool positive)
{
    for (int s = 0; s < pad.num_sticks; s++) {
        const JOYSTICK_STICK_INFO& stick = pad.stick[s];
        if (s > 0 && !(stick.flags & JOYFLAG_DIGITAL))
            continue;
        if (axis < stick.num_axis && (positive ? stick.axis[axis].d2 : stick.axis[axis].d1))
            return true;
    }
    return false;
}

static bool JoystickDown(InputControl control)
{
    if (!JoystickInstalled())
        return false;
    const JOYSTICK_INFO& pad = joy[0];
    switch (control) {
    case INPUT_UP: return DirectionDown(pad, 1, false);
    case INPUT_DOWN: return DirectionDown(pad, 1, true);
    case INPUT_LEFT: return DirectionDown(pad, 0, false);
    case INPUT_RIGHT: return DirectionDown(pad, 0, true);
    case INPUT_ENTER: return ButtonDown(pad, 0);
    case INPUT_ESC: return ButtonDown(pad, 1);
    case INPUT_PAUSE: return ButtonDown(pad, PauseButton(pad));
    default: return false;
    }
}

// What is only seen by polling: the joystick, and key[] when nothing watches the keyboard.
static bool PolledDown(InputControl control)
{
    return JoystickDown(control) || (!s_Watching && key[KEY_OF_CONTROL[control]]);
}

static bool ControlDown(InputControl control)
{
    return s_Held[KEY_OF_CONTROL[control]] || PolledDown(control);
}

// Enter held together with Alt belongs to the fullscreen switch.
static bool IsAltEnter(InputControl control)
{
    if (control != INPUT_ENTER)
        return false;
    return s_EnterWithAlt || (KeyDown(KEY_ENTER) && AltHeld());
}

void PressReader::Open(int stepMs, int repeatMs)
{
    repeatAfterSteps = (REPEAT_AFTER_MS + stepMs - 1) / stepMs;
    repeatEverySteps = repeatMs / stepMs > 0 ? repeatMs / stepMs : 1;
    for (int c = 0; c < INPUT_COUNT; c++) {
        const InputControl control = static_cast<InputControl>(c);
        controls[c] = ControlPresses{s_Downs[KEY_OF_CONTROL[c]], PolledDown(control), ControlDown(control), 0, false};
    }
}

static void StepControl(ControlPresses& presses, InputControl control, int repeatAfter, int repeatEvery)
{
    const int downs = s_Downs[KEY_OF_CONTROL[control]];
    const bool polledDown = PolledDown(control);
    const bool down = ControlDown(control);
    // Gone down since the last step, even if already up again.
    const bool newPress = downs != presses.downsSeen || (polledDown && !presses.wasDown);
    presses.downsSeen = downs;
    presses.wasDown = polledDown;
    presses.acts = false;
    if (IsAltEnter(control)) {
        presses.blocked = true;
        return;
    }
    if (presses.blocked && !newPress) {
        presses.blocked = down;
        return;
    }
    presses.blocked = false;
    if (newPress) {
        presses.acts = true;
        presses.heldSteps = 0;
        return;
    }
    if (!down)
        return;
    presses.heldSteps++;
    const int sinceRepeatBegan = presses.heldSteps - repeatAfter;
    presses.acts = sinceRepeatBegan >= 0 && sinceRepeatBegan % repeatEvery == 0;
}

void PressReader::Step()
{
    for (int c = 0; c < INPUT_COUNT; c++)
        StepControl(controls[c], static_cast<InputControl>(c), repeatAfterSteps, repeatEverySteps);
}

void PollInputDevices()
{
    poll_keyboard();
    poll_joystick();
    poll_mouse();
}

static HeldDirections KeyboardDirections()
{
    return HeldDirections{key[KEY_LEFT] != 0, key[KEY_RIGHT] != 0, key[KEY_UP] != 0, key[KEY_DOWN] != 0};
}

// With the joystick chosen but none installed, the arrows steer: no game is
// ever left without control.
static HeldDirections JoystickDirections()
{
    if (!JoystickInstalled())
        return KeyboardDirections();
    const JOYSTICK_STICK_INFO& stick = joy[0].stick[0];
    return HeldDirections{stick.axis[0].d1 != 0, stick.axis[0].d2 != 0, stick.axis[1].d1 != 0,
                          stick.axis[1].d2 != 0};
}

static HeldDirections MouseDirections(int centreX, int centreY)
{
    const int x = PictureMouseX();
    const int y = PictureMouseY();
    return HeldDirections{x < centreX - MOUSE_DEAD_ZONE, x > centreX + MOUSE_DEAD_ZONE, y < centreY - MOUSE_DEAD_ZONE,
                          y > centreY + MOUSE_DEAD_ZONE};
}

HeldDirections ReadHeldDirections(int control, int centreX, int centreY)
{
    switch (control) {
    case CONTROL_KEYBOARD: return KeyboardDirections();
    case CONTROL_JOYSTICK: return JoystickDirections();
    case CONTROL_MOUSE: return MouseDirections(centreX, centreY);
    default: return HeldDirections{};
    }
}

void SetUpMouseSteering()
{
    if (!mouse_driver)
        return;
    PlaceMouse(SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2);
    set_mouse_speed(1, 1);
    ConfineMouse(170, 90, 470, 390);
    show_mouse(nullptr);
}

bool AnyKeyTyped()
{
    return keypressed();
}

int NextTypedKey(int* scancode)
{
    return ureadkey(scancode);
}

void ForgetTypedKeys()
{
    clear_keybuf();
}

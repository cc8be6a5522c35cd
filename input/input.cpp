#include "input/input.h"
#include "platform/display.h"
#include "platform/focus.h"
#include "platform/picture.h"
#include "settings/control_settings.h"
#include <allegro.h>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <string>
#include <sys/stat.h>

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

int PadButtonCount()
{
    return JoystickInstalled() ? joy[0].num_buttons : 0;
}

// The device file of each pad found: a pad whose file is gone was unplugged.
static std::string s_PadFiles[MAX_JOYSTICKS];

static std::string PadFile(int index)
{
    struct stat info;
    for (const char* form : {"/dev/input/js%d", "/dev/js%d"}) {
        char path[32];
        snprintf(path, sizeof path, form, index);
        if (stat(path, &info) == 0)
            return path;
    }
    return "";
}

// Allegro finds pads only as its joystick is installed: install it anew.
static void FindSystemPads()
{
    if (!system_driver || system_driver->id == SYSTEM_NONE)
        return;
    remove_joystick();
    install_joystick(JOY_TYPE_AUTODETECT);
    for (int i = 0; i < MAX_JOYSTICKS; i++)
        s_PadFiles[i] = i < num_joysticks ? PadFile(i) : "";
}

static bool SystemPadGone()
{
    struct stat info;
    for (int i = 0; i < num_joysticks; i++)
        if (!s_PadFiles[i].empty() && stat(s_PadFiles[i].c_str(), &info) != 0)
            return true;
    return false;
}

static PadSystem s_Pads{FindSystemPads, SystemPadGone};

void UsePadSystem(const PadSystem& pads)
{
    s_Pads = pads;
}

void FindPads()
{
    s_Pads.find();
}

bool TakePadLoss()
{
    if (!JoystickInstalled() || !s_Pads.gone())
        return false;
    FindPads();  // lets go of the pad that left
    return true;
}

static int KeyOf(InputControl control)
{
    switch (control) {
    case INPUT_ENTER: return KEY_ENTER;
    case INPUT_ESC: return KEY_ESC;
    case INPUT_PAUSE: return g_Controls.keys[BOUND_PAUSE];
    case INPUT_SOUND: return g_Controls.keys[BOUND_SOUND];
    case INPUT_MUSIC: return g_Controls.keys[BOUND_MUSIC];
    default: return g_Controls.keys[control - INPUT_UP + BOUND_UP];
    }
}

// The menus keep the arrows besides the bound directions, unless the arrow is bound to another control.
static int ArrowOf(InputControl control)
{
    if (control > INPUT_RIGHT)
        return 0;
    const int arrow = DEFAULT_CONTROLS.keys[control - INPUT_UP + BOUND_UP];
    const int* bound = g_Controls.keys;
    return std::find(bound, bound + BOUND_KEY_COUNT, arrow) == bound + BOUND_KEY_COUNT ? arrow : 0;
}

// The pause button: one called Start where the pad has one, else the third.
static int StartOrThird(const JOYSTICK_INFO& pad)
{
    for (int b = 0; b < pad.num_buttons; b++) {
        const char* name = pad.button[b].name;
        if (name && strncasecmp(name, "start", 5) == 0)
            return b;
    }
    return 2;
}

// A button counted from 1.
static bool ButtonDown(const JOYSTICK_INFO& pad, int button)
{
    return button >= 1 && button <= pad.num_buttons && pad.button[button - 1].b;
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

static int PauseButton(const JOYSTICK_INFO& pad)
{
    const int bound = g_Controls.padButtons[PAD_PAUSE];
    return bound == PAD_PAUSE_START_OR_THIRD ? StartOrThird(pad) + 1 : bound;
}

static bool JoystickDown(InputControl control)
{
    if (!JoystickInstalled())
        return false;
    const JOYSTICK_INFO& pad = joy[0];
    const int* buttons = g_Controls.padButtons;
    switch (control) {
    case INPUT_UP: return DirectionDown(pad, 1, false);
    case INPUT_DOWN: return DirectionDown(pad, 1, true);
    case INPUT_LEFT: return DirectionDown(pad, 0, false);
    case INPUT_RIGHT: return DirectionDown(pad, 0, true);
    case INPUT_ENTER: return ButtonDown(pad, buttons[PAD_ENTER]);
    case INPUT_ESC: return ButtonDown(pad, buttons[PAD_BACK]);
    case INPUT_PAUSE: return ButtonDown(pad, PauseButton(pad));
    case INPUT_SOUND: return ButtonDown(pad, buttons[PAD_SOUND]);
    case INPUT_MUSIC: return ButtonDown(pad, buttons[PAD_MUSIC]);
    default: return false;
    }
}

static bool KeyOfControlDown(int k)
{
    return k > 0 && KeyDown(k);
}

// What is only seen by polling: the joystick, and key[] when nothing watches the keyboard.
static bool PolledDown(InputControl control)
{
    return JoystickDown(control) ||
           (!s_Watching && (KeyOfControlDown(KeyOf(control)) || KeyOfControlDown(ArrowOf(control))));
}

static bool ControlDown(InputControl control)
{
    return s_Held[KeyOf(control)] || (ArrowOf(control) && s_Held[ArrowOf(control)]) || PolledDown(control);
}

static int DownsOf(InputControl control)
{
    return s_Downs[KeyOf(control)] + (ArrowOf(control) ? s_Downs[ArrowOf(control)].load() : 0);
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
        controls[c] = ControlPresses{DownsOf(control), PolledDown(control), ControlDown(control), 0, false};
    }
}

static void StepControl(ControlPresses& presses, InputControl control, int repeatAfter, int repeatEvery)
{
    const int downs = DownsOf(control);
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
    const int* bound = g_Controls.keys;
    return HeldDirections{key[bound[BOUND_LEFT]] != 0, key[bound[BOUND_RIGHT]] != 0, key[bound[BOUND_UP]] != 0,
                          key[bound[BOUND_DOWN]] != 0};
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

void PressCatcher::Open()
{
    static_assert(CATCHER_KEYS == KEY_MAX, "one count for each of Allegro's keys");
    for (int k = 0; k < KEY_MAX; k++)
        keyDowns[k] = s_Downs[k];
    for (int b = 0; b < CATCHER_BUTTONS; b++)
        buttonsDown[b] = JoystickInstalled() && b < joy[0].num_buttons && joy[0].button[b].b;
}

int PressCatcher::CatchKey()
{
    int caught = 0;
    for (int k = 1; k < KEY_MAX; k++) {
        if (s_Downs[k] != keyDowns[k] && !caught)
            caught = k;
        keyDowns[k] = s_Downs[k];
    }
    return caught;
}

int PressCatcher::CatchButton()
{
    int caught = 0;
    for (int b = 0; b < CATCHER_BUTTONS; b++) {
        const bool down = JoystickInstalled() && b < joy[0].num_buttons && joy[0].button[b].b;
        if (down && !buttonsDown[b] && !caught)
            caught = b + 1;
        buttonsDown[b] = down;
    }
    return caught;
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

// What the player presses on the screens and in play: the keyboard and, when
// one is installed, the first joystick.
//
// Screens read their keys once per logic step, every 10 to 50 ms. A tap that
// begins and ends between two steps still counts, because Allegro hands every
// key going down to WatchKeyboard as it happens. Each press acts once; a key
// still held after 300 ms repeats at the screen's own pace; and a key already
// down when a screen opens does nothing there until it is let go and pressed
// again.
#pragma once

enum InputControl {
    INPUT_UP,
    INPUT_DOWN,
    INPUT_LEFT,
    INPUT_RIGHT,
    INPUT_ENTER,
    INPUT_ESC,
    INPUT_PAUSE,
    INPUT_SOUND,
    INPUT_MUSIC,
    INPUT_COUNT
};

// A held key starts repeating after this long.
constexpr int REPEAT_AFTER_MS = 300;

// Makes WatchKeyboard Allegro's low-level keyboard callback (after install_keyboard).
void InstallKeyboardWatch();
// Called by Allegro for every key going down (its scancode) or up (scancode | 0x80),
// on Allegro's own thread. Tests call it to press and release keys as the keyboard would.
void WatchKeyboard(int scancode);

// The game sees a joystick (whatever the control device chosen in Setup).
bool JoystickInstalled();

struct ControlPresses {
    int downsSeen;   // the key's count of goings-down when last looked at
    bool wasDown;    // seen down by polling at the last step
    bool blocked;    // down since before the screen opened, or held with Alt
    int heldSteps;   // steps held since the press began
    bool acts;       // pressed, or repeating, on this step
};

// The presses of one screen, stepped with the screen's logic.
struct PressReader {
    int repeatAfterSteps = 1;
    int repeatEverySteps = 1;
    ControlPresses controls[INPUT_COUNT] = {};

    // The screen opens: whatever is down now is ignored until it is let go.
    // stepMs is the screen's logic step, repeatMs the pace of a held key.
    void Open(int stepMs, int repeatMs);
    // Once at the start of every logic step: polls and works out what acts.
    void Step();
    // The control was pressed since the last step, or is held and repeats now.
    bool Acts(InputControl control) const { return controls[control].acts; }
    // A fresh press only: held keys do not repeat.
    bool Pressed(InputControl control) const
    {
        return controls[control].acts && controls[control].heldSteps == 0;
    }
};

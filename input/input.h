// Every key, joystick and mouse reading of the game: the screens' presses, the
// fish's steering and the typed keys of the decorative screens and name entry.
//
// The screen runner polls the devices once before every logic step
// (PollInputDevices); nothing else polls them.
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

// F11 and Alt+Enter toggle full screen, on every screen; an Enter pressed with
// Alt held is swallowed so that no screen takes it for Enter. Watched from
// start-up, handled by the screen loop.
void WatchDisplayKeys();
// Sees every key going down or up before the screens' press watch does; true
// when the key belongs to the full-screen switch and no screen may count it.
bool DisplayTakesKey(int scancode);
// Switches the display when F11 or Alt+Enter asked for it since the last call.
void HandleDisplayKeys();

// Keys held when the window lost the keyboard never see their release: drop them all.
void ReleaseAllKeys();
// One key made to look up, in key[] and in Allegro's state behind it that a
// poll_keyboard copies into key[]; safe from Allegro's input thread.
void HideKey(int scancode);
// Allegro's state behind key[], ahead of it once the screens poll the keyboard.
extern "C" volatile char _key[];

// Installs the mouse and keeps its box and place across the display's mode changes.
void InstallMouseWatch();
// The mouse in picture coordinates, whatever the scale and the border.
int PictureMouseX();
int PictureMouseY();
void PlaceMouse(int x, int y);
// Keeps the mouse inside this box of the picture (the whole picture at start).
void ConfineMouse(int left, int top, int right, int bottom);

// The game sees a joystick (whatever the control device chosen in Setup).
bool JoystickInstalled();
// The buttons of the first pad (0 without one).
int PadButtonCount();
// Finds every pad the system offers now: the menu and Setup call it as they
// open, so a pad plugged in or swapped since is seen.
void FindPads();
// True once when a pad found has been unplugged since; the pads left are found again.
bool TakePadLoss();
// How pads are found and seen to go: the system's joystick devices, unless a test gives others.
struct PadSystem {
    void (*find)();
    bool (*gone)();
};
void UsePadSystem(const PadSystem& pads);

// Catches the next key going down, or pad button (from 1), for the Keys and
// Buttons pages of Setup: what is down as it opens does not count.
constexpr int CATCHER_KEYS = 127;
constexpr int CATCHER_BUTTONS = 32;
struct PressCatcher {
    int keyDowns[CATCHER_KEYS] = {};
    bool buttonsDown[CATCHER_BUTTONS] = {};
    void Open();
    int CatchKey();     // 0 when none went down since the last call
    int CatchButton();  // 0 when none
};

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

// Polls the keyboard, the joystick and the mouse; the screen runner calls it
// once before every logic step.
void PollInputDevices();

// The control device chosen in Setup (its code is kept in config.dat).
enum { CONTROL_KEYBOARD = 0, CONTROL_JOYSTICK = 1, CONTROL_MOUSE = 2 };
// Half the side of the mouse's dead square around the picture's centre.
constexpr int MOUSE_DEAD_ZONE = 100;

// The four directions the fish is steered in on one step.
struct HeldDirections {
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;
};
// Which directions are held this step on the control device chosen in Setup:
// the keys bound to them; the first stick (the arrows while no joystick is installed); or
// the mouse as a virtual joystick, its offset from the centre of the picture
// (centreX, centreY) past the dead zone. Any other device holds none.
HeldDirections ReadHeldDirections(int control, int centreX, int centreY);

// The mouse steers as a virtual joystick: centred, slow, confined to 150
// pixels around the centre and hidden (positions in the 640 x 480 picture).
void SetUpMouseSteering();

// Keys typed into Allegro's key buffer, for the screens that take any key
// (intro, demo) or read characters (name entry).
bool AnyKeyTyped();
// The next typed character (0 when none) and its scancode.
int NextTypedKey(int* scancode);
// Empties the key buffer.
void ForgetTypedKeys();

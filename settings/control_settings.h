// The player's own controls, kept in pesko.cfg next to the display's lines:
// the keys of the seven bindable controls, the pad's buttons and the game's
// speed. config.dat keeps its 12 bytes untouched.
#pragma once
#include <string>
#include <vector>

enum BoundKey { BOUND_UP, BOUND_DOWN, BOUND_LEFT, BOUND_RIGHT, BOUND_PAUSE, BOUND_SOUND, BOUND_MUSIC, BOUND_KEY_COUNT };
enum PadAction { PAD_PAUSE, PAD_SOUND, PAD_MUSIC, PAD_ENTER, PAD_BACK, PAD_ACTION_COUNT };

// Buttons are counted from 1, as the pad's own labels count them; the pause's
// default, 0, is the pad's Start button where it has one, else the third.
constexpr int PAD_PAUSE_START_OR_THIRD = 0;
constexpr int PAD_BUTTONS_MAX = 32;

// The game's logic runs at one of these shares of its 20 steps a second.
constexpr int SPEED_CHOICES[] = {100, 85, 70, 55};
constexpr int FULL_SPEED = 100;

struct ControlSettings {
    int keys[BOUND_KEY_COUNT];        // Allegro scancodes
    int padButtons[PAD_ACTION_COUNT];  // from 1
    int speed;                         // percent, one of SPEED_CHOICES
};
bool operator==(const ControlSettings& a, const ControlSettings& b);
inline bool operator!=(const ControlSettings& a, const ControlSettings& b) { return !(a == b); }

// The arrows, P, S, M; pad buttons Start or 3, 4, 5, then 1 for Enter and 2 for Back; full speed.
extern const ControlSettings DEFAULT_CONTROLS;
extern ControlSettings g_Controls;

// The names pesko.cfg and Setup give the controls: "key_up", "Up"; "pad_pause", "Pause".
const char* BoundKeyEntry(int which);
const char* BoundKeyLabel(int which);
const char* PadActionEntry(int which);
const char* PadActionLabel(int which);

// Allegro's name of a key ("UP", "W", "SPACE"), and back (0 for none, any case).
std::string KeyName(int scancode);
int KeyByName(const std::string& name);
// ESC, F11 and the Alt keys always keep their own work and are never bound.
bool BindableKey(int scancode);
// Binds the key to one control; a control that had it takes the key this one had.
void BindKeySwapping(ControlSettings& controls, int which, int scancode);
// The same for a pad button.
void BindButtonSwapping(ControlSettings& controls, int which, int button);
// The next speed of SPEED_CHOICES in the given direction, kept at its ends.
int StepSpeed(int speed, int direction);

// Takes one "name = value" line of pesko.cfg when it is one of the controls'
// (true); a bad value leaves the default and adds one line to `problems`.
// padButtons is the number of buttons of the pad now plugged in (0 for none).
bool TakeControlSetting(const std::string& name, const std::string& value, ControlSettings& controls,
                        int padButtons, std::vector<std::string>& problems);
// After every line is taken: a key given to two controls goes back to its default on the later one.
void DropDuplicateKeys(ControlSettings& controls, std::vector<std::string>& problems);
// The controls' lines of pesko.cfg.
std::string ControlSettingsText(const ControlSettings& controls);

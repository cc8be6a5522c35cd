#include "settings/control_settings.h"
#include <algorithm>
#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <cstring>
#include <strings.h>

const ControlSettings DEFAULT_CONTROLS = {
    {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_P, KEY_S, KEY_M},
    {PAD_PAUSE_START_OR_THIRD, 4, 5, 1, 2},
    FULL_SPEED,
};
ControlSettings g_Controls = DEFAULT_CONTROLS;

bool operator==(const ControlSettings& a, const ControlSettings& b)
{
    return std::equal(a.keys, a.keys + BOUND_KEY_COUNT, b.keys) &&
           std::equal(a.padButtons, a.padButtons + PAD_ACTION_COUNT, b.padButtons) && a.speed == b.speed;
}

static const char* const KEY_ENTRIES[BOUND_KEY_COUNT] = {"key_up",    "key_down",  "key_left", "key_right",
                                                          "key_pause", "key_sound", "key_music"};
static const char* const KEY_LABELS[BOUND_KEY_COUNT] = {"Up", "Down", "Left", "Right", "Pause", "Sound", "Music"};
static const char* const PAD_ENTRIES[PAD_ACTION_COUNT] = {"pad_pause", "pad_sound", "pad_music", "pad_enter",
                                                           "pad_back"};
static const char* const PAD_LABELS[PAD_ACTION_COUNT] = {"Pause", "Sound", "Music", "Enter", "Back"};

const char* BoundKeyEntry(int which) { return KEY_ENTRIES[which]; }
const char* BoundKeyLabel(int which) { return KEY_LABELS[which]; }
const char* PadActionEntry(int which) { return PAD_ENTRIES[which]; }
const char* PadActionLabel(int which) { return PAD_LABELS[which]; }

// Allegro's own table: the names scancode_to_name gives, without a keyboard installed.
std::string KeyName(int scancode)
{
    if (scancode <= 0 || scancode >= KEY_MAX || !_keyboard_common_names[scancode])
        return "";
    return _keyboard_common_names[scancode];
}

int KeyByName(const std::string& name)
{
    for (int k = 1; k < KEY_MAX; k++)
        if (_keyboard_common_names[k] && strcasecmp(_keyboard_common_names[k], name.c_str()) == 0)
            return k;
    return 0;
}

bool BindableKey(int scancode)
{
    return scancode > 0 && scancode < KEY_MAX && scancode != KEY_ESC && scancode != KEY_F11 &&
           scancode != KEY_ALT && scancode != KEY_ALTGR;
}

template <int N>
static void BindSwapping(int (&bound)[N], int which, int value)
{
    for (int i = 0; i < N; i++)
        if (i != which && bound[i] == value)
            bound[i] = bound[which];
    bound[which] = value;
}

void BindKeySwapping(ControlSettings& controls, int which, int scancode)
{
    BindSwapping(controls.keys, which, scancode);
}

void BindButtonSwapping(ControlSettings& controls, int which, int button)
{
    BindSwapping(controls.padButtons, which, button);
}

int StepSpeed(int speed, int direction)
{
    const int* choices = SPEED_CHOICES;
    const int count = static_cast<int>(std::size(SPEED_CHOICES));
    int at = static_cast<int>(std::find(choices, choices + count, speed) - choices);
    if (at == count)
        at = 0;
    return choices[std::clamp(at + direction, 0, count - 1)];
}

static int Number(const std::string& value)
{
    if (value.empty() || value.size() > 4 || value.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoi(value);
}

static bool TakeKey(int which, const std::string& value, ControlSettings& controls)
{
    const int scancode = KeyByName(value);
    if (!BindableKey(scancode))
        return false;
    controls.keys[which] = scancode;
    return true;
}

static bool TakeButton(int which, const std::string& value, ControlSettings& controls, int padButtons)
{
    const int button = Number(value);
    const int most = padButtons > 0 ? padButtons : PAD_BUTTONS_MAX;
    // The game writes every button, defaults too: a default beyond a smaller
    // pad is what the player would get anyway, not a mistake to report.
    const bool isDefault = button == DEFAULT_CONTROLS.padButtons[which];
    if (button < 1 || (button > most && !isDefault))
        return false;
    controls.padButtons[which] = button;
    return true;
}

static bool TakeSpeed(const std::string& value, ControlSettings& controls)
{
    const int speed = Number(value);
    if (std::find(std::begin(SPEED_CHOICES), std::end(SPEED_CHOICES), speed) == std::end(SPEED_CHOICES))
        return false;
    controls.speed = speed;
    return true;
}

static bool TakeRecognised(const std::string& name, const std::string& value, ControlSettings& controls,
                           int padButtons, bool& good)
{
    for (int i = 0; i < BOUND_KEY_COUNT; i++)
        if (name == KEY_ENTRIES[i])
            return good = TakeKey(i, value, controls), true;
    for (int i = 0; i < PAD_ACTION_COUNT; i++)
        if (name == PAD_ENTRIES[i])
            return good = TakeButton(i, value, controls, padButtons), true;
    if (name == "speed")
        return good = TakeSpeed(value, controls), true;
    return false;
}

bool TakeControlSetting(const std::string& name, const std::string& value, ControlSettings& controls,
                        int padButtons, std::vector<std::string>& problems)
{
    bool good = true;
    if (!TakeRecognised(name, value, controls, padButtons, good))
        return false;
    if (!good)
        problems.push_back("pesko.cfg: \"" + name + " = " + value + "\" cannot be used; " + name +
                           " keeps its default");
    return true;
}

static bool HasDuplicateKey(const ControlSettings& controls)
{
    for (int i = 1; i < BOUND_KEY_COUNT; i++)
        if (std::count(controls.keys, controls.keys + i, controls.keys[i]) > 0)
            return true;
    return false;
}

void DropDuplicateKeys(ControlSettings& controls, std::vector<std::string>& problems)
{
    for (int i = 1; i < BOUND_KEY_COUNT; i++) {
        const int* earlier = std::find(controls.keys, controls.keys + i, controls.keys[i]);
        if (earlier == controls.keys + i)
            continue;
        problems.push_back(std::string("pesko.cfg: ") + KEY_ENTRIES[i] + " repeats the key of " +
                           KEY_ENTRIES[earlier - controls.keys] + "; it keeps its default");
        controls.keys[i] = DEFAULT_CONTROLS.keys[i];
    }
    // A default already taken by another control: only the whole default set is sure.
    if (HasDuplicateKey(controls)) {
        problems.push_back("pesko.cfg: the keys still repeat; all keys keep their defaults");
        std::copy(DEFAULT_CONTROLS.keys, DEFAULT_CONTROLS.keys + BOUND_KEY_COUNT, controls.keys);
    }
}

std::string ControlSettingsText(const ControlSettings& controls)
{
    std::string text = "# Keys by Allegro's names, pad buttons from 1, speed in percent (100, 85, 70, 55)\n";
    for (int i = 0; i < BOUND_KEY_COUNT; i++)
        text += std::string(KEY_ENTRIES[i]) + " = " + KeyName(controls.keys[i]) + "\n";
    for (int i = 0; i < PAD_ACTION_COUNT; i++)
        if (controls.padButtons[i] != PAD_PAUSE_START_OR_THIRD)
            text += std::string(PAD_ENTRIES[i]) + " = " + std::to_string(controls.padButtons[i]) + "\n";
    return text + "speed = " + std::to_string(controls.speed) + "\n";
}

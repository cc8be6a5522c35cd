#include "screens/setup.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "app/globals.h"
#include "app/loop.h"
#include "files/paths.h"
#include "settings/save_files.h"
#include "screens/front_end.h"
#include "screens/screens.h"
#include "world/player.h"
#include <algorithm>

constexpr int FIRST_ROW_Y = 145;
constexpr int ROW_SPACING = 70;
constexpr int SHADOW_OFFSET = 10;

void SetupReset(SetupState& setup)
{
    setup = SetupState{};
    setup.working = g_Settings;
    setup.keys.Open(PERIOD_FAST_SCREEN, SETUP_REPEAT_MS);
}

const char* ControlName(int control)
{
    switch (control) {
    case CONTROL_MOUSE: return "Mouse";
    case CONTROL_JOYSTICK: return JoystickInstalled() ? "Joystick" : "Joystick (none found)";
    default: return "Keyboard";
    }
}

std::string VolumeBar(int volume)
{
    // A volume from a hand-edited file may lie anywhere; the bar stays within its 26 strokes.
    int clamped = std::clamp(volume, 0, VOLUME_MAX);
    return std::string(clamped / VOLUME_STEP + 1, '|');
}

// Left and Right as they act on this step.
struct Sideways {
    bool left;
    bool right;
};

static void StepControl(int& control, Sideways keys)
{
    // The screen offers Keyboard and Joystick; Mouse stays only until it is stepped away
    // from, and a code the game does not know counts as the Keyboard it is shown as.
    if (control < CONTROL_KEYBOARD || control > CONTROL_MOUSE) {
        if (!keys.right)
            return;
        control = CONTROL_KEYBOARD;
    }
    if (keys.left && control > CONTROL_KEYBOARD) {
        control--;
        PlaySample(SND_MOVE);
    }
    if (keys.right && control < CONTROL_JOYSTICK) {
        control++;
        PlaySample(SND_MOVE);
    }
}

// Steps a volume by 10 keeping its remainder, clamped to 0-255; true when it changed.
static bool StepVolume(int& volume, Sideways keys)
{
    bool changed = false;
    if (keys.left && volume > 0) {
        volume = std::max(volume - VOLUME_STEP, 0);
        changed = true;
    }
    if (keys.right && volume < VOLUME_MAX) {
        volume = std::min(volume + VOLUME_STEP, VOLUME_MAX);
        changed = true;
    }
    return changed;
}

static void StepSoundVolume(SetupState& setup, Sideways keys)
{
    int volume = setup.working.soundVolume;
    if (!StepVolume(volume, keys))
        return;
    setup.working.soundVolume = volume;
    SetVolumes(volume, -1);
    StopSample(SND_BACK);
    PlaySample(SND_BACK);
}

static void StepMusicVolume(SetupState& setup, Sideways keys)
{
    int volume = setup.working.musicVolume;
    if (!StepVolume(volume, keys))
        return;
    setup.working.musicVolume = volume;
    SetVolumes(-1, volume);  // the setup music itself is the preview
}

static void ChooseButton(SetupState& setup)
{
    PlaySample(SND_SELECT);
    switch (setup.button) {
    case BUTTON_ACCEPT:
        g_Settings = setup.working;
        SaveSettings(SavePath(SETTINGS_FILE).c_str());
        setup.done = true;
        break;
    case BUTTON_DEFAULT:
        setup.working = DEFAULT_SETTINGS;
        SetVolumes(DEFAULT_SETTINGS.soundVolume, DEFAULT_SETTINGS.musicVolume);
        break;
    default:
        SetVolumes(g_Settings.soundVolume, g_Settings.musicVolume);
        setup.done = true;
        break;
    }
}

static void StepButtons(SetupState& setup, Sideways keys)
{
    if (keys.left && setup.button > BUTTON_DEFAULT) {
        setup.button--;
        PlaySample(SND_MOVE);
    }
    if (keys.right && setup.button < BUTTON_CANCEL) {
        setup.button++;
        PlaySample(SND_MOVE);
    }
    if (setup.keys.Acts(INPUT_ENTER))
        ChooseButton(setup);
}

static void ReadKeys(SetupState& setup)
{
    const PressReader& keys = setup.keys;
    if (keys.Acts(INPUT_UP))
        setup.row = std::min(setup.row + 1, static_cast<int>(ROW_CONTROLS));
    if (keys.Acts(INPUT_DOWN))
        setup.row = std::max(setup.row - 1, static_cast<int>(ROW_BUTTONS));
    const Sideways sideways{keys.Acts(INPUT_LEFT), keys.Acts(INPUT_RIGHT)};
    switch (setup.row) {
    case ROW_CONTROLS: StepControl(setup.working.control, sideways); break;
    case ROW_SOUND: StepSoundVolume(setup, sideways); break;
    case ROW_MUSIC: StepMusicVolume(setup, sideways); break;
    default: StepButtons(setup, sideways); break;
    }
}

void SetupStep(SetupState& setup)
{
    setup.keys.Step();
    // ESC drops the working copy; volumes already changed here stay in effect.
    if (setup.keys.Pressed(INPUT_ESC))
        setup.done = true;
    ReadKeys(setup);
}

static void DrawSettingRow(BITMAP* dest, int index, const char* label, const std::string& value,
                           bool focused)
{
    FONT* f = DataFont(FNT_TEXT);
    const int x = dest->w / 2;
    const int y = FIRST_ROW_Y + ROW_SPACING * index;
    const int black = makecol(0, 0, 0);
    const int white = makecol(255, 255, 255);
    textout_right_ex(dest, f, label, x, y + SHADOW_OFFSET, black, -1);
    textout_right_ex(dest, f, label, x - 10, y + 5, white, -1);
    textout_ex(dest, f, value.c_str(), x + 20, y + SHADOW_OFFSET, black, -1);
    textout_ex(dest, f, value.c_str(), x + 10, y + 5, focused ? makecol(255, 0, 0) : white, -1);
}

void SetupDraw(const SetupState& setup, BITMAP* dest)
{
    const GameSettings& s = setup.working;
    DrawBackgroundAndHeading(dest, "Setup");
    DrawSettingRow(dest, 0, "Controls", ControlName(s.control), setup.row == ROW_CONTROLS);
    DrawSettingRow(dest, 1, "Sound volume", VolumeBar(s.soundVolume), setup.row == ROW_SOUND);
    DrawSettingRow(dest, 2, "Music volume", VolumeBar(s.musicVolume), setup.row == ROW_MUSIC);

    FONT* f = DataFont(FNT_MENU);
    const int y = dest->h - 80;
    auto shown = [&](int button) { return setup.row == ROW_BUTTONS && setup.button == button; };
    DrawButton(dest, f, "Default", 50, y, Align::Left, shown(BUTTON_DEFAULT));
    DrawButton(dest, f, "Accept", dest->w / 2, y, Align::Centre, shown(BUTTON_ACCEPT));
    DrawButton(dest, f, "Cancel", dest->w - 50, y, Align::Right, shown(BUTTON_CANCEL));
}

void SetupScreen()
{
    SetupState setup;
    SetupReset(setup);
    // The pause comes before the timer: no steps pile up during it.
    rest(PAUSE_BETWEEN_SCREENS_MS);
    RunScreen({PERIOD_FAST_SCREEN, MID_SETUP}, setup, SetupStep, SetupDraw);
    StopSample(SND_BACK);
}

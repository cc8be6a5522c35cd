#include "screens/setup.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "app/globals.h"
#include "app/loop.h"
#include "files/paths.h"
#include "settings/display_settings.h"
#include "settings/save_files.h"
#include "screens/front_end.h"
#include "screens/screens.h"
#include "world/player.h"
#include <algorithm>

constexpr int FIRST_ROW_Y = 145;
constexpr int ROW_SPACING = 70;
constexpr int PAGE_FIRST_ROW_Y = 110;
constexpr int PAGE_ROW_SPACING = 38;
constexpr int SHADOW_OFFSET = 10;

void SetupReset(SetupState& setup)
{
    FindPads();
    setup = SetupState{};
    setup.working = g_Settings;
    setup.controls = g_Controls;
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
        // pesko.cfg is written only when the player changed something in it.
        if (setup.controls != g_Controls) {
            g_Controls = setup.controls;
            RememberControls();
        }
        setup.done = true;
        break;
    case BUTTON_DEFAULT:
        setup.working = DEFAULT_SETTINGS;
        setup.controls = DEFAULT_CONTROLS;
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

static void StepSpeedRow(SetupState& setup, Sideways keys)
{
    // Right is faster, towards 100 %.
    const int direction = keys.right ? -1 : keys.left ? 1 : 0;
    const int speed = StepSpeed(setup.controls.speed, direction);
    if (speed != setup.controls.speed)
        PlaySample(SND_MOVE);
    setup.controls.speed = speed;
}

static int PageBindings(const SetupState& setup)
{
    return setup.page == PAGE_KEYS ? static_cast<int>(BOUND_KEY_COUNT) : static_cast<int>(PAD_ACTION_COUNT);
}

static void OpenPage(SetupState& setup, int page)
{
    setup.page = page;
    setup.pick = 0;
    setup.waiting = false;
    PlaySample(SND_SELECT);
}

static void OpenBindingPage(SetupState& setup)
{
    if (setup.working.control == CONTROL_KEYBOARD)
        OpenPage(setup, PAGE_KEYS);
    else if (setup.working.control == CONTROL_JOYSTICK)
        OpenPage(setup, PAGE_BUTTONS);
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
    case ROW_CONTROLS:
        StepControl(setup.working.control, sideways);
        if (keys.Pressed(INPUT_ENTER))
            OpenBindingPage(setup);
        break;
    case ROW_SOUND: StepSoundVolume(setup, sideways); break;
    case ROW_MUSIC: StepMusicVolume(setup, sideways); break;
    case ROW_SPEED: StepSpeedRow(setup, sideways); break;
    default: StepButtons(setup, sideways); break;
    }
}

// The key or button caught for the picked binding; ESC cancels, and keys
// that are never bound (F11, Alt) are passed over.
static void CatchBinding(SetupState& setup)
{
    if (setup.page == PAGE_KEYS) {
        const int caught = setup.catcher.CatchKey();
        if (caught == KEY_ESC)
            setup.waiting = false;
        if (!BindableKey(caught))
            return;
        BindKeySwapping(setup.controls, setup.pick, caught);
    } else {
        const int caught = setup.catcher.CatchButton();
        if (setup.keys.Pressed(INPUT_ESC))
            setup.waiting = false;
        if (caught == 0)
            return;
        BindButtonSwapping(setup.controls, setup.pick, caught);
    }
    setup.waiting = false;
    PlaySample(SND_SELECT);
    // The key just bound must not act on the page as it goes up.
    setup.keys.Open(PERIOD_FAST_SCREEN, SETUP_REPEAT_MS);
}

static void RestorePageDefaults(SetupState& setup)
{
    ControlSettings& controls = setup.controls;
    if (setup.page == PAGE_KEYS)
        std::copy(DEFAULT_CONTROLS.keys, DEFAULT_CONTROLS.keys + BOUND_KEY_COUNT, controls.keys);
    else
        std::copy(DEFAULT_CONTROLS.padButtons, DEFAULT_CONTROLS.padButtons + PAD_ACTION_COUNT, controls.padButtons);
    PlaySample(SND_SELECT);
}

static void StepBindingPage(SetupState& setup)
{
    if (setup.waiting) {
        CatchBinding(setup);
        return;
    }
    const PressReader& keys = setup.keys;
    const int bindings = PageBindings(setup);
    if (keys.Pressed(INPUT_ESC)) {
        OpenPage(setup, PAGE_SETUP);
        return;
    }
    if (keys.Acts(INPUT_UP) && setup.pick > 0)
        setup.pick--;
    if (keys.Acts(INPUT_DOWN) && setup.pick < bindings + 1)
        setup.pick++;
    if (!keys.Pressed(INPUT_ENTER))
        return;
    if (setup.pick < bindings) {
        setup.waiting = true;
        setup.catcher.Open();
        PlaySample(SND_MOVE);
    } else if (setup.pick == bindings) {
        RestorePageDefaults(setup);
    } else {
        OpenPage(setup, PAGE_SETUP);
    }
}

void SetupStep(SetupState& setup)
{
    setup.keys.Step();
    if (setup.page != PAGE_SETUP) {
        StepBindingPage(setup);
        return;
    }
    // ESC drops the working copy; volumes already changed here stay in effect.
    if (setup.keys.Pressed(INPUT_ESC))
        setup.done = true;
    ReadKeys(setup);
}

std::string ButtonName(int button)
{
    if (button == PAD_PAUSE_START_OR_THIRD)
        return "Start or 3";
    return "Button " + std::to_string(button);
}

static void DrawSettingRow(BITMAP* dest, int y, const char* label, const std::string& value, bool focused)
{
    FONT* f = DataFont(FNT_TEXT);
    const int x = dest->w / 2;
    const int black = makecol(0, 0, 0);
    const int white = makecol(255, 255, 255);
    textout_right_ex(dest, f, label, x, y + SHADOW_OFFSET, black, -1);
    textout_right_ex(dest, f, label, x - 10, y + 5, white, -1);
    textout_ex(dest, f, value.c_str(), x + 20, y + SHADOW_OFFSET, black, -1);
    textout_ex(dest, f, value.c_str(), x + 10, y + 5, focused ? makecol(255, 0, 0) : white, -1);
}

static int RowY(int index)
{
    return FIRST_ROW_Y + ROW_SPACING * index;
}

static void DrawBindingPage(const SetupState& setup, BITMAP* dest)
{
    const bool keys = setup.page == PAGE_KEYS;
    DrawBackgroundAndHeading(dest, keys ? "Keys" : "Buttons");
    const int bindings = PageBindings(setup);
    for (int i = 0; i < bindings; i++) {
        const bool picked = setup.pick == i;
        std::string value = keys ? KeyName(setup.controls.keys[i]) : ButtonName(setup.controls.padButtons[i]);
        if (picked && setup.waiting)
            value = keys ? "press a key - ESC cancels" : "press a button - ESC cancels";
        DrawSettingRow(dest, PAGE_FIRST_ROW_Y + PAGE_ROW_SPACING * i, keys ? BoundKeyLabel(i) : PadActionLabel(i),
                       value, picked);
    }
    FONT* f = DataFont(FNT_MENU);
    const int y = dest->h - 80;
    DrawButton(dest, f, "Default", 50, y, Align::Left, setup.pick == bindings);
    DrawButton(dest, f, "Back", dest->w - 50, y, Align::Right, setup.pick == bindings + 1);
}

void SetupDraw(const SetupState& setup, BITMAP* dest)
{
    if (setup.page != PAGE_SETUP) {
        DrawBindingPage(setup, dest);
        return;
    }
    const GameSettings& s = setup.working;
    DrawBackgroundAndHeading(dest, "Setup");
    DrawSettingRow(dest, RowY(0), "Controls", ControlName(s.control), setup.row == ROW_CONTROLS);
    DrawSettingRow(dest, RowY(1), "Sound volume", VolumeBar(s.soundVolume), setup.row == ROW_SOUND);
    DrawSettingRow(dest, RowY(2), "Music volume", VolumeBar(s.musicVolume), setup.row == ROW_MUSIC);
    DrawSettingRow(dest, RowY(3), "Speed", std::to_string(setup.controls.speed) + " %", setup.row == ROW_SPEED);

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

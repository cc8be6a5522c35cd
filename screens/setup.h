// The setup screen: control device (with its Keys or Buttons page), sound
// volume, music volume and the game's speed.
#pragma once
#include "app/globals.h"
#include "input/input.h"
#include "settings/control_settings.h"
#include <allegro.h>
#include <string>

constexpr int SETUP_REPEAT_MS = 110;  // a held key steps once per 110 ms
constexpr int VOLUME_STEP = 10;
constexpr int VOLUME_MAX = 255;

enum SetupRow { ROW_BUTTONS = 0, ROW_SPEED = 1, ROW_MUSIC = 2, ROW_SOUND = 3, ROW_CONTROLS = 4 };
// The main page, and the pages that bind keys and pad buttons.
enum SetupPage { PAGE_SETUP, PAGE_KEYS, PAGE_BUTTONS };
enum SetupButton { BUTTON_DEFAULT = -1, BUTTON_ACCEPT = 0, BUTTON_CANCEL = 1 };

struct SetupState {
    GameSettings working{};
    int row = ROW_BUTTONS;
    int button = BUTTON_ACCEPT;
    ControlSettings controls = DEFAULT_CONTROLS;  // the working copy of the bindings and speed
    int page = PAGE_SETUP;
    int pick = 0;          // on a binding page: a binding, then Default, then Back
    bool waiting = false;  // for the key or button to bind to the picked one
    PressCatcher catcher;
    PressReader keys;
    bool done = false;
};

void SetupReset(SetupState& setup);
void SetupStep(SetupState& setup);
void SetupDraw(const SetupState& setup, BITMAP* dest);

// "Mouse" for 2, "Joystick" for 1 ("Joystick (none found)" while none is
// installed), "Keyboard" for anything else.
const char* ControlName(int control);
// One "|" per 10 of volume and one more: 1 at 0-9, 13 at 127, 26 at 255.
std::string VolumeBar(int volume);
// "Button 3"; the pause's default reads "Start or 3".
std::string ButtonName(int button);

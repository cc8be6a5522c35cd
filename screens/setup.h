// The setup screen: control device, sound volume and music volume.
#pragma once
#include "app/globals.h"
#include "input/input.h"
#include <allegro.h>
#include <string>

constexpr int SETUP_REPEAT_MS = 110;  // a held key steps once per 110 ms
constexpr int VOLUME_STEP = 10;
constexpr int VOLUME_MAX = 255;

enum SetupRow { ROW_BUTTONS = 0, ROW_MUSIC = 1, ROW_SOUND = 2, ROW_CONTROLS = 3 };
enum SetupButton { BUTTON_DEFAULT = -1, BUTTON_ACCEPT = 0, BUTTON_CANCEL = 1 };

struct SetupState {
    GameSettings working{};
    int row = ROW_BUTTONS;
    int button = BUTTON_ACCEPT;
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

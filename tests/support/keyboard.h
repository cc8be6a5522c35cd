// Keys and the joystick worked as a player works them: presses and releases
// reach the game through the callback Allegro's keyboard calls.
#pragma once
#include "input/input.h"
#include <allegro.h>
#include <cstring>

inline void PressKey(int k)
{
    WatchKeyboard(k);
}

inline void ReleaseKey(int k)
{
    WatchKeyboard(k | 0x80);
}

// A joystick with one stick of two axes and three buttons, all at rest.
inline void PlugJoystick()
{
    memset(&joy[0], 0, sizeof joy[0]);
    joy[0].num_sticks = 1;
    joy[0].stick[0].num_axis = 2;
    joy[0].num_buttons = 3;
    num_joysticks = 1;
}

inline void UnplugJoystick()
{
    memset(&joy[0], 0, sizeof joy[0]);
    num_joysticks = 0;
}

inline void LetGoOfEverything()
{
    for (int k = 1; k < KEY_MAX; k++) {
        ReleaseKey(k);
        key[k] = 0;
    }
    UnplugJoystick();
}

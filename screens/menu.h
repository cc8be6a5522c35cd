// The main menu: Play, Instructions, Hi-score, Setup, Quit.
#pragma once
#include "input/input.h"
#include <allegro.h>

constexpr int MENU_IDLE_STEPS = 2800;  // 28 s of 10 ms steps before the demo
constexpr int MENU_REPEAT_MS = 110;    // a held arrow moves one item per 110 ms

struct MenuState {
    int selection = 4;
    int idleCountdown = MENU_IDLE_STEPS;
    PressReader keys;
    bool done = false;
};

void MenuReset(MenuState& menu, int initial);
void MenuStep(MenuState& menu);
void MenuDraw(const MenuState& menu, BITMAP* dest);

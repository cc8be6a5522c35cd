// The main menu: Play, Instructions, Hi-score, Setup, Quit.
#pragma once
#include <allegro.h>

constexpr int MENU_IDLE_STEPS = 2800;  // 28 s of 10 ms steps before the demo
constexpr int MENU_KEY_DELAY = 10;     // arrows are read every 11th step (110 ms)

struct MenuState {
    int selection = 4;
    int idleCountdown = MENU_IDLE_STEPS;
    int keyDelay = 0;
    bool done = false;
};

void MenuReset(MenuState& menu, int initial);
void MenuStep(MenuState& menu);
void MenuDraw(const MenuState& menu, BITMAP* dest);

#include "screens/menu.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "platform/draw.h"
#include "app/globals.h"
#include "app/loop.h"
#include "screens/screens.h"

static const char* const MENU_TEXTS[] = {"Play", "Instructions", "Hi-score", "Setup", "Quit"};
constexpr int FIRST_ITEM_Y = 145;
constexpr int ITEM_SPACING = 60;

void MenuReset(MenuState& menu, int initial)
{
    FindPads();
    menu = MenuState{};
    menu.selection = initial;
    menu.keys.Open(PERIOD_FAST_SCREEN, MENU_REPEAT_MS);
    g_DemoMode = false;
}

static void ReadArrows(MenuState& menu)
{
    if (menu.keys.Acts(INPUT_UP)) {
        menu.idleCountdown = MENU_IDLE_STEPS;
        if (menu.selection <= 3) {
            PlaySample(SND_MOVE);
            menu.selection++;
        } else {
            menu.selection = MENU_PLAY;
        }
    }
    if (menu.keys.Acts(INPUT_DOWN)) {
        menu.idleCountdown = MENU_IDLE_STEPS;
        if (menu.selection > 0) {
            PlaySample(SND_MOVE);
            menu.selection--;
        } else {
            menu.selection = MENU_QUIT;
        }
    }
}

void MenuStep(MenuState& menu)
{
    menu.keys.Step();
    if (menu.keys.Pressed(INPUT_ESC)) {
        PlaySample(SND_BACK);
        menu.selection = MENU_QUIT;
        menu.done = true;
    }
    ReadArrows(menu);
    if (menu.keys.Pressed(INPUT_ENTER)) {
        PlaySample(SND_SELECT);
        menu.done = true;
    }
    if (menu.idleCountdown > 0) {
        menu.idleCountdown--;
    } else {
        g_DemoMode = true;
        menu.done = true;
    }
}

void MenuDraw(const MenuState& menu, BITMAP* dest)
{
    const int w = dest->w;
    const int h = dest->h;
    FONT* title = DataFont(FNT_TITLE);
    FONT* items = DataFont(FNT_MENU);
    blit(DataBitmap(BMP_MENU), dest, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    textout_centre_ex(dest, title, "PESKO", w / 2 + 2, 17, makecol(0, 200, 0), -1);
    textout_centre_ex(dest, title, "PESKO", w / 2, 15, makecol(0, 255, 0), -1);
    textout_ex(dest, font, "ver 1.0", w / 2 + 165, 100, makecol(0, 255, 0), -1);
    for (int row = 0; row < 5; row++) {
        int y = FIRST_ITEM_Y + ITEM_SPACING * row;
        bool selected = (4 - row) == menu.selection;
        DrawCentredButton(dest, items, MENU_TEXTS[row], w / 2, y, selected);
    }
    textout_centre_ex(dest, font, "(c) 2026 The Pesko Team", w / 2, h - text_height(font) - 10,
                      makecol(255, 255, 255), -1);
}

// The picture changes only with the highlighted row.
static int64_t MenuLook(const MenuState& menu)
{
    return menu.selection;
}

int MainMenu(int initial)
{
    MenuState menu;
    MenuReset(menu, initial);
    RunScreen({PERIOD_FAST_SCREEN, MID_MENU}, menu, MenuStep, MenuDraw, MenuLook);
    return menu.selection;
}

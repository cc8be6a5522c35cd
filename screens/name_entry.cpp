#include "screens/name_entry.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "app/globals.h"
#include "app/loop.h"
#include "settings/save_files.h"
#include "screens/front_end.h"
#include "screens/screens.h"
#include "world/world.h"
#include <cstring>

constexpr int FISH_X = 270;

void NameEntryReset(NameEntryState& entry)
{
    entry = NameEntryState{};
    SetDefaultPlayerName();
    entry.cursor = static_cast<int>(strlen(g_PlayerName));
    entry.keys.Open(PERIOD_SLOW_SCREEN, PERIOD_SLOW_SCREEN);
    g_Player.Init(FISH_X, 128 - text_height(font));
}

// Scancodes map to the letters printed on the keys, whatever the keyboard
// layout's shifted or keypad meaning, so a key never stores a zero byte.
char NameCharacter(int scancode)
{
    if (scancode >= KEY_A && scancode <= KEY_Z)
        return static_cast<char>('A' + scancode - KEY_A);
    if (scancode >= KEY_0 && scancode <= KEY_9)
        return static_cast<char>('0' + scancode - KEY_0);
    if (scancode >= KEY_0_PAD && scancode <= KEY_9_PAD)
        return static_cast<char>('0' + scancode - KEY_0_PAD);
    if (scancode == KEY_SPACE)
        return ' ';
    return 0;
}

void NameEntryTakeKey(NameEntryState& entry, int scancode)
{
    if (scancode == KEY_BACKSPACE) {
        if (entry.cursor > 0)
            g_PlayerName[--entry.cursor] = '\0';
        entry.offered = false;
        return;
    }
    char c = NameCharacter(scancode);
    if (c && entry.offered) {
        entry.cursor = 0;
        entry.offered = false;
    }
    if (c && entry.cursor < PLAYER_NAME_MAX) {
        g_PlayerName[entry.cursor++] = c;
        g_PlayerName[entry.cursor] = '\0';
    }
}

void NameEntryStep(NameEntryState& entry)
{
    entry.keys.Step();
    const bool leaving = entry.keys.Pressed(INPUT_ENTER) || entry.keys.Pressed(INPUT_ESC);
    // Every key typed since the last step is taken, however fast the typing
    // (the keyboard buffer holds at most 64).
    for (int taken = 0; !leaving && taken < 64 && AnyKeyTyped(); taken++) {
        int scancode = 0;
        NextTypedKey(&scancode);
        NameEntryTakeKey(entry, scancode);
    }
    g_Player.Animate();
    // ESC does not cancel the game: it ends the entry just like Enter.
    entry.done = leaving;
}

void NameEntryDraw(const NameEntryState& entry, BITMAP* dest)
{
    const int w = dest->w;
    const int h = dest->h;
    const int white = makecol(255, 255, 255);
    FONT* nameFont = DataFont(FNT_HEADING);
    DrawBackground(dest);
    g_Player.Draw(dest);
    textout_centre_ex(dest, font, "enter your name", w / 2, h / 2 - text_height(font) - 10, white, -1);
    rect(dest, w / 2 - 180, h / 2 - 5, w / 2 + 180, h / 2 + text_height(nameFont) + 5, makecol(0, 0, 255));
    // The offered name is dimmer, so the player sees that typing replaces it.
    const int nameColour = entry.offered ? makecol(150, 150, 150) : white;
    textout_centre_ex(dest, nameFont, g_PlayerName, w / 2, h / 2, nameColour, -1);
    DrawLoneButton(dest, "Enter");
}

void EnterNameScreen()
{
    NameEntryState entry;
    BindFishOrExit();
    NameEntryReset(entry);
    ScreenLoop loop{PERIOD_SLOW_SCREEN, MID_NAME};
    loop.settleMs = PAUSE_BETWEEN_SCREENS_MS;
    loop.clearKeysOnExit = true;
    auto farewell = [] {
        PlaySample(SND_SELECT);
        rest(PAUSE_BETWEEN_SCREENS_MS);
    };
    RunScreen(loop, {[&] { NameEntryStep(entry); }, [&](BITMAP* page, float) { NameEntryDraw(entry, page); },
                     [&] { return entry.done; }, farewell, nullptr});
    FreePlayerData();
}

// One frame of a game: the world back to front, the HUD and the overlays.
#include "data/datafile.h"
#include "platform/draw.h"
#include "game/game_state.h"
#include "app/globals.h"
#include "game/game.h"
#include "game/level.h"
#include "settings/control_settings.h"
#include "settings/save_files.h"
#include "world/world.h"
#include <algorithm>
#include <cstdio>
#include <string>

constexpr int SHADOW_OFFSET = 5;
constexpr int HUD_SHADOW_OFFSET = 2;
constexpr int GAME_OVER_SCORE_GAP = 10;

// The HUD's line: "x" and the lives by the life icon at the left, "x" and the
// coins about the centre (by the coin icon), the score at the right.
constexpr int HUD_TOP = 1;
constexpr int HUD_LIVES_MARK_X = 42;
constexpr int HUD_LIVES_X = 72;
constexpr int HUD_COINS_MARK_FROM_CENTRE = -10;
constexpr int HUD_COINS_FROM_CENTRE = 25;
constexpr int HUD_SCORE_FROM_RIGHT = 135;

// The quit box's rectangles, as offsets from the frame's centre.
struct CentredBox {
    int left, top, right, bottom;
};
constexpr CentredBox QUIT_BOX_SHADOW{-90, -90, 110, 115};
constexpr CentredBox QUIT_BOX_FRAME{-100, -100, 100, 105};
constexpr CentredBox QUIT_BOX_PANEL{-95, -95, 95, 100};
constexpr int QUIT_BOX_EDGE = 2;           // the panel's lit and shaded edges
constexpr int QUIT_BOX_TITLE_ABOVE = 50;   // "Quit a game?" above the centre
constexpr int QUIT_BOX_YES_GAP = 10;       // "Yes" ends this far left of the centre
constexpr int QUIT_BOX_NO_FROM_CENTRE = 40;  // "No" is centred this far right of it

static int Black() { return makecol(0, 0, 0); }
static int Green() { return makecol(0, 255, 0); }
static int Red() { return makecol(255, 0, 0); }
static int Blue() { return makecol(0, 0, 255); }
static int White() { return makecol(255, 255, 255); }
static int Yellow() { return makecol(255, 255, 0); }

// Only positions are drawn between steps; frames, blinks and the HUD show the latest step.
static void DrawWorld(BITMAP* dest, float t)
{
    DrawFarLayers(dest, t);
    // Stones in open water stand behind everything that swims, so they never hide it.
    g_LevelMap.DrawWaterStones(dest, t);
    g_Enemies.DrawCharacters(dest, t);
    // A swimming fish passes behind the rock; a crashed one rises in front of it.
    if (g_Player.m_State == 0)
        g_Player.Draw(dest, t);
    g_LevelMap.DrawWalls(dest, t);
    if (g_Player.m_State == 1)
        g_Player.Draw(dest, t);
    g_Icons.DrawCharacters(dest);
}

static void DrawHudText(BITMAP* dest, const char* text, int x)
{
    FONT* f = DataFont(FNT_TABLE);
    textout_ex(dest, f, text, x + HUD_SHADOW_OFFSET, HUD_TOP + HUD_SHADOW_OFFSET, Black(), -1);
    textout_ex(dest, f, text, x, HUD_TOP, Green(), -1);
}

std::string FormatHudCounter(int value)
{
    char text[16];
    snprintf(text, sizeof text, value <= 9 ? "0%1ld" : "%2ld", static_cast<long>(value));
    return text;
}

std::string FormatScore(int score)
{
    char text[16];
    snprintf(text, sizeof text, "%05ld", static_cast<long>(score));
    return text;
}

static void DrawHud(BITMAP* dest)
{
    const int centre = dest->w / 2;
    DrawHudText(dest, "x", HUD_LIVES_MARK_X);
    DrawHudText(dest, FormatHudCounter(g_Player.m_Lives).c_str(), HUD_LIVES_X);
    DrawHudText(dest, "x", centre + HUD_COINS_MARK_FROM_CENTRE);
    DrawHudText(dest, FormatHudCounter(g_Player.m_Coins).c_str(), centre + HUD_COINS_FROM_CENTRE);
    DrawHudText(dest, FormatScore(g_Player.m_Score).c_str(), dest->w - HUD_SCORE_FROM_RIGHT);
}

// Centred text over a black shadow 5 pixels right and down, outlined and on a
// dark band so it reads on every level's water and rock.
static void DrawCentredText(BITMAP* dest, FONT* f, const char* text, int x, int y, int colour)
{
    DrawCaption(dest, f, text, x, y, colour, SHADOW_OFFSET);
}

static CaptionLine SwitchMessage(bool on, const char* onText, const char* offText, int y)
{
    return {DataFont(FNT_TEXT), on ? onText : offText, y, on ? Green() : Red(), SHADOW_OFFSET};
}

// Where the level banner's top lies: halfway between the HUD and "GAME OVER".
constexpr int LEVEL_BANNER_Y = 120;
// The progress line along the bottom edge: a black track 4 pixels high, filled in yellow.
constexpr int PROGRESS_LINE_HEIGHT = 4;

std::string FormatLevelBanner(int level)
{
    return "LEVEL " + std::to_string(level + 1);
}

int LevelProgressLength(int distance, bool completed, int width)
{
    if (completed)
        return width;
    constexpr int DISTANCE_PER_LEVEL = 500;  // the map's count from a level's start to its end
    return width * std::clamp(distance, 0, DISTANCE_PER_LEVEL) / DISTANCE_PER_LEVEL;
}

static void DrawLevelBanner(BITMAP* dest)
{
    if (g_Game.levelBannerTime <= 0)
        return;
    std::string text = FormatLevelBanner(g_Game.bannerLevel);
    DrawCaption(dest, DataFont(FNT_TABLE), text.c_str(), dest->w / 2, LEVEL_BANNER_Y, Yellow(), HUD_SHADOW_OFFSET);
}

static void DrawProgressLine(BITMAP* dest)
{
    const int length = LevelProgressLength(g_LevelMap.m_Distance, g_LevelMap.IsCompleted(), dest->w);
    const int top = dest->h - PROGRESS_LINE_HEIGHT;
    rectfill(dest, 0, top, dest->w - 1, dest->h - 1, Black());
    if (length > 0)
        rectfill(dest, 0, top + 1, length - 1, dest->h - 2, Yellow());
}

std::string FormatGameOverScore(int score)
{
    return "SCORE " + FormatScore(score);
}

int GameOverScoreTop(int height, FONT* f)
{
    return height / 2 + text_height(f) + GAME_OVER_SCORE_GAP;
}

// The final score under "GAME OVER", in the HUD's font and green, so the player
// sees what the game made before the hi-score table.
std::string FormatNewHiScore(int rank)
{
    static const char* const PLACES[] = {"1ST", "2ND", "3RD", "4TH", "5TH", "6TH"};
    return std::string("NEW HI-SCORE - ") + PLACES[std::clamp(rank, 0, 5)] + " PLACE";
}

// A score the table will take says so under it, with the row it will take.
static void DrawGameOver(BITMAP* dest)
{
    FONT* f = DataFont(FNT_TABLE);
    const std::string score = FormatGameOverScore(g_Player.m_Score);
    const int scoreTop = GameOverScoreTop(dest->h, f);
    const int rank = IsRelaxedGame() ? -1 : HiScoreRankFor(g_Player.m_Score);
    const std::string newBest = IsRelaxedGame() ? "RELAXED SPEED - NOT RANKED" : rank >= 0 ? FormatNewHiScore(rank) : "";
    const CaptionLine lines[] = {
        {f, "GAME OVER", dest->h / 2, Red(), SHADOW_OFFSET},
        {f, score.c_str(), scoreTop, Green(), HUD_SHADOW_OFFSET},
        {f, newBest.c_str(), scoreTop + text_height(f) + GAME_OVER_SCORE_GAP, Yellow(), HUD_SHADOW_OFFSET},
    };
    DrawCaptionLines(dest, dest->w / 2, lines, newBest.empty() ? 2 : 3);
}

static std::string SteeringWords()
{
    if (g_Settings.control == CONTROL_MOUSE)
        return "mouse steers";
    if (g_Settings.control == CONTROL_JOYSTICK && JoystickInstalled())
        return "stick steers";
    const int* keys = g_Controls.keys;
    if (std::equal(keys, keys + BOUND_RIGHT + 1, DEFAULT_CONTROLS.keys))
        return "arrows steer";
    return KeyName(keys[BOUND_UP]) + " " + KeyName(keys[BOUND_DOWN]) + " " + KeyName(keys[BOUND_LEFT]) + " " +
           KeyName(keys[BOUND_RIGHT]) + " steer";
}

PauseKeysText PauseKeys()
{
    const int* keys = g_Controls.keys;
    return {SteeringWords() + " - " + KeyName(keys[BOUND_PAUSE]) + " resumes",
            KeyName(keys[BOUND_SOUND]) + " sound - " + KeyName(keys[BOUND_MUSIC]) + " music - ESC quits"};
}

// PAUSE, and under it the keys as they are bound now.
static void DrawPause(BITMAP* dest)
{
    FONT* big = DataFont(FNT_TABLE);
    FONT* small = DataFont(FNT_TEXT);
    const PauseKeysText keys = PauseKeys();
    const int top = dest->h / 2 + text_height(big) + GAME_OVER_SCORE_GAP;
    const CaptionLine lines[] = {
        {small, keys.first.c_str(), top, White(), HUD_SHADOW_OFFSET},
        {small, keys.second.c_str(), top + text_height(small), White(), HUD_SHADOW_OFFSET},
    };
    DrawCentredText(dest, big, "PAUSE", dest->w / 2, dest->h / 2, Blue());
    DrawCaptionLines(dest, dest->w / 2, lines, 2);
}

static void DrawMessages(BITMAP* dest)
{
    int th = text_height(DataFont(FNT_TEXT));
    // Both messages at once share one band.
    CaptionLine switches[2];
    int shown = 0;
    if (g_Game.soundMessageTime > 0)
        switches[shown++] = SwitchMessage(g_Game.soundOn, "SOUND ON", "SOUND OFF", dest->h - th - 30);
    if (g_Game.musicMessageTime > 0)
        switches[shown++] = SwitchMessage(g_Game.musicOn, "MUSIC ON", "MUSIC OFF", dest->h - th - 10);
    DrawCaptionLines(dest, dest->w / 2, switches, shown);
    DrawLevelBanner(dest);
    if (g_Game.gameOverTime > 0)
        DrawGameOver(dest);
    if (g_Game.paused)
        DrawPause(dest);
}

static void FillBox(BITMAP* dest, int cx, int cy, int left, int top, int right, int bottom, int colour)
{
    rectfill(dest, cx + left, cy + top, cx + right, cy + bottom, colour);
}

static void FillBox(BITMAP* dest, int cx, int cy, const CentredBox& box, int colour)
{
    FillBox(dest, cx, cy, box.left, box.top, box.right, box.bottom, colour);
}

static void DrawQuitBox(BITMAP* dest)
{
    int cx = dest->w / 2, cy = dest->h / 2;
    FillBox(dest, cx, cy, QUIT_BOX_SHADOW, Black());
    FillBox(dest, cx, cy, QUIT_BOX_FRAME, makecol(50, 50, 50));
    const CentredBox& p = QUIT_BOX_PANEL;
    FillBox(dest, cx, cy, p, makecol(0, 0, 230));
    // A lit top and left edge and a shaded bottom and right one: a raised panel, not a flat square.
    const int lit = makecol(110, 110, 255), shaded = makecol(0, 0, 120), e = QUIT_BOX_EDGE - 1;
    FillBox(dest, cx, cy, p.left, p.top, p.right, p.top + e, lit);
    FillBox(dest, cx, cy, p.left, p.top, p.left + e, p.bottom, lit);
    FillBox(dest, cx, cy, p.left + e, p.bottom - e, p.right, p.bottom, shaded);
    FillBox(dest, cx, cy, p.right - e, p.top + e, p.right, p.bottom, shaded);
    DrawCentredText(dest, DataFont(FNT_TEXT), "Quit a game?", cx, cy - QUIT_BOX_TITLE_ABOVE, Green());
    FONT* f = DataFont(FNT_MENU);
    DrawButton(dest, f, "Yes", cx - text_length(f, "Yes") - QUIT_BOX_YES_GAP, cy, Align::Left,
               g_Game.quitChoice == 0);
    DrawCentredButton(dest, f, "No", cx + QUIT_BOX_NO_FROM_CENTRE, cy, g_Game.quitChoice == 1);
}

void DrawLevel_01(BITMAP* dest, float t)
{
    DrawWorld(dest, t);
    DrawProgressLine(dest);
    DrawHud(dest);
    DrawMessages(dest);
    if (g_Game.quitBoxOpen)
        DrawQuitBox(dest);
}

#include "screens/congratulations.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "game/game_state.h"
#include "game/level.h"
#include "platform/draw.h"
#include "app/globals.h"
#include "app/loop.h"
#include "screens/front_end.h"
#include "screens/screens.h"
#include "world/world.h"

const char* const CongratulationsLines[2] = {
    "You have completed this game successfully.",
    "Pesko was rescued.",
};

constexpr int MAX_FIGURES = 50;
constexpr int FISH_X = 270;
constexpr int FISH_Y = 200;

void CongratulationsReset(CongratulationsState& congrats)
{
    congrats = CongratulationsState{};
    g_Player.Init(FISH_X, FISH_Y);
    g_Enemies.InitForScreen(MAX_FIGURES);
    congrats.scoreText = FormatScore(g_Game.finalScore);
    if (g_Game.hiScoreRank >= 0)
        congrats.newHiScoreText = FormatNewHiScore(g_Game.hiScoreRank);
}

void CongratulationsStep(CongratulationsState& congrats)
{
    g_Enemies.StartStep();
    g_Player.Animate();
    if (congrats.countdown > 0)
        congrats.countdown--;
    g_Enemies.MoveCharacterForCongratulations(congrats.countdown, CONGRATULATIONS_FIGURE_STEP);
    CongratulationsCheckDone(congrats);
}

static void DrawMessage(BITMAP* dest)
{
    FONT* f = DataFont(FNT_TEXT);
    int y = 100;
    for (const char* line : CongratulationsLines) {
        textout_justify_ex(dest, f, line, 10, dest->w - 10, y, 30, makecol(255, 255, 255), -1);
        y += text_height(f);
    }
}

static void DrawScore(const CongratulationsState& congrats, BITMAP* dest)
{
    const int x = dest->w / 2;
    const int below = text_height(font);
    FONT* f = DataFont(FNT_HEADING);
    textout_centre_ex(dest, font, "your score", x, 277, makecol(255, 255, 255), -1);
    textout_centre_ex(dest, f, congrats.scoreText.c_str(), x + 3, 285 + below, makecol(0, 0, 0), -1);
    textout_centre_ex(dest, f, congrats.scoreText.c_str(), x, 282 + below, makecol(255, 255, 255), -1);
    // Said as at GAME OVER: in the HUD's font, yellow, under the score.
    if (!congrats.newHiScoreText.empty())
        DrawOverlayText(dest, DataFont(FNT_TABLE), congrats.newHiScoreText.c_str(), x,
                        290 + below + text_height(f), makecol(255, 255, 0), 2);
}

void CongratulationsDraw(const CongratulationsState& congrats, BITMAP* dest, float t)
{
    DrawBackground(dest);
    g_Enemies.DrawCharacters(dest, t);
    DrawTopHeading(dest, "Congratulations");
    g_Player.Draw(dest);
    DrawMessage(dest);
    DrawScore(congrats, dest);
    DrawLoneButton(dest, "Menu");
}

void CongratulationsCheckDone(CongratulationsState& congrats)
{
    if (!congrats.done && ScreenOver(congrats.countdown == 0))
        congrats.done = true;
}

void CongratulationsScreen()
{
    CongratulationsState congrats;
    BindFishOrExit();
    BindCollection();
    CongratulationsReset(congrats);
    ScreenLoop loop{PERIOD_SLOW_SCREEN, MID_CONGRATULATIONS};
    loop.framesBetweenSteps = true;
    RunScreen(loop, congrats, CongratulationsStep, CongratulationsDraw);
    FreePlayerData();
    ReleaseCollection();
}

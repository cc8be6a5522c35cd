#include "screens/hiscore_screen.h"
#include "data/datafile.h"
#include "app/globals.h"
#include "game/game_state.h"
#include "app/loop.h"
#include "settings/save_files.h"
#include "screens/front_end.h"
#include "screens/screens.h"
#include "world/world.h"
#include <cstdio>

constexpr int MAX_COINS = 50;
constexpr int FIRST_ROW_Y = 100;
constexpr int NAME_X = 100;

void HiScoreReset(HiScoreState& table)
{
    table = HiScoreState{};
    g_Enemies.InitForScreen(MAX_COINS);
}

std::string HiScoreText(long score)
{
    char text[32];
    snprintf(text, sizeof text, "%6ld", score);
    return text;
}

void HiScoreStep(HiScoreState& table)
{
    g_Enemies.StartStep();
    if (table.countdown > 0)
        table.countdown--;
    g_Enemies.MoveCharacterForHiScore(table.countdown, HISCORE_COIN_FALL);
    HiScoreCheckDone(table);
}

static void DrawShadowed(BITMAP* dest, FONT* f, const std::string& text, int x, int y, bool rightAligned)
{
    auto out = rightAligned ? textout_right_ex : textout_ex;
    out(dest, f, text.c_str(), x + 3, y + 3, makecol(0, 0, 0), -1);
    out(dest, f, text.c_str(), x, y, makecol(255, 255, 255), -1);
}

void HiScoreDraw(const HiScoreState&, BITMAP* dest, float t)
{
    FONT* rows = DataFont(FNT_TABLE);
    // Rows are spaced by the heading font although written in the table font.
    const int rowHeight = text_height(DataFont(FNT_HEADING));
    DrawBackground(dest);
    g_Enemies.DrawCharacters(dest, t);
    DrawTopHeading(dest, "Hi-score");
    for (int i = 0; i < HISCORE_ROWS; i++) {
        const int y = FIRST_ROW_Y + i * rowHeight;
        DrawShadowed(dest, rows, HiScoreName(g_HiScores[i]), NAME_X, y, false);
        DrawShadowed(dest, rows, HiScoreText(g_HiScores[i].score), dest->w - 100, y, true);
    }
    DrawLoneButton(dest, "Back");
}

void HiScoreCheckDone(HiScoreState& table)
{
    if (!table.done && ScreenOver(table.countdown == 0))
        table.done = true;
}

void OfferFinalScore()
{
    if (!g_Game.gameOver && !g_Game.seaCrossed)
        return;
    g_Game.finalScore = g_Player.m_Score;
    InsertHiScore(g_Game.finalScore, g_PlayerName);
}

void HiScoreScreen()
{
    HiScoreState table;
    BindCollection();
    HiScoreReset(table);
    ScreenLoop loop{PERIOD_SLOW_SCREEN};
    loop.framesBetweenSteps = true;
    RunScreen(loop, table, HiScoreStep, HiScoreDraw);
    ReleaseCollection();
}

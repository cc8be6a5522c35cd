#include "screens/hiscore_screen.h"
#include "data/datafile.h"
#include "app/globals.h"
#include "game/game.h"
#include "game/game_state.h"
#include "game/watch.h"
#include "input/input.h"
#include "platform/audio.h"
#include "replay/replay_store.h"
#include "app/loop.h"
#include "settings/save_files.h"
#include "screens/front_end.h"
#include "screens/screens.h"
#include "world/world.h"
#include <cstdio>

constexpr int MAX_COINS = 50;
constexpr int FIRST_ROW_Y = 100;
constexpr int NAME_X = 100;
constexpr int ROW_KEY_GAP = 30;           // the row's number stands this far left of its name
constexpr int MESSAGE_ABOVE_BOTTOM = 110;  // a line above the Back button

void HiScoreReset(HiScoreState& table)
{
    table = HiScoreState{};
    for (int row = 0; row < HISCORE_ROWS; row++) {
        Replay game;
        std::string why;
        table.rowHasGame[row] = ReadRowReplay(row, game, why) != KeptReplay::None;
    }
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

void HiScoreDraw(const HiScoreState& table, BITMAP* dest, float t)
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
        if (table.rowHasGame[i])  // the key that watches the row's game
            DrawShadowed(dest, rows, std::to_string(i + 1), NAME_X - ROW_KEY_GAP, y, true);
        DrawShadowed(dest, rows, HiScoreText(g_HiScores[i].score), dest->w - 100, y, true);
    }
    if (!table.message.empty()) {
        const int y = dest->h - MESSAGE_ABOVE_BOTTOM;
        textout_centre_ex(dest, font, table.message.c_str(), dest->w / 2 + 1, y + 1, makecol(0, 0, 0), -1);
        textout_centre_ex(dest, font, table.message.c_str(), dest->w / 2, y, makecol(255, 255, 255), -1);
    }
    DrawLoneButton(dest, "Back");
}

// The row a number key stands for (1 the best row), or -1.
static int RowOfKey(int scancode)
{
    if (scancode >= KEY_1 && scancode < KEY_1 + HISCORE_ROWS)
        return scancode - KEY_1;
    if (scancode >= KEY_1_PAD && scancode < KEY_1_PAD + HISCORE_ROWS)
        return scancode - KEY_1_PAD;
    return -1;
}

// A typed key ends the table with SND_SELECT, unless it is the number of a row
// whose game is kept: then that game is watched, or a damaged one says why.
static bool KeyEndsTable(HiScoreState& table)
{
    if (!AnyKeyTyped())
        return false;
    int scancode = 0;
    NextTypedKey(&scancode);
    const int row = RowOfKey(scancode);
    if (row >= 0) {
        Replay game;
        std::string why;
        const KeptReplay kept = ReadRowReplay(row, game, why);
        if (kept == KeptReplay::Damaged) {
            table.message = "The game of row " + std::to_string(row + 1) + " cannot be watched: " + why;
            return false;
        }
        if (kept == KeptReplay::Read)
            table.watchRow = row;
    }
    PlaySample(SND_SELECT);
    return true;
}

void HiScoreCheckDone(HiScoreState& table)
{
    if (table.done)
        return;
    const bool coinsGone = table.countdown == 0 && g_Enemies.m_CHEnemyCount == 0;
    table.done = KeyEndsTable(table) || coinsGone;
}

int OfferFinalScore()
{
    if (!g_Game.gameOver && !g_Game.seaCrossed)
        return -1;
    g_Game.finalScore = g_Player.m_Score;
    if (IsRelaxedGame())
        return -1;  // not ranked: hiScoreRank stays -1
    g_Game.hiScoreRank = HiScoreRankFor(g_Game.finalScore);
    return InsertHiScore(g_Game.finalScore, g_PlayerName);
}

// The table, and again after each game watched from it.
void HiScoreScreen()
{
    for (;;) {
        HiScoreState table;
        BindCollection();
        HiScoreReset(table);
        ScreenLoop loop{PERIOD_SLOW_SCREEN};
        loop.framesBetweenSteps = true;
        RunScreen(loop, table, HiScoreStep, HiScoreDraw);
        ReleaseCollection();
        Replay game;
        std::string why;
        if (table.watchRow < 0 || ReadRowReplay(table.watchRow, game, why) != KeptReplay::Read)
            return;
        WatchReplay(game, "REPLAY", WatchEnd::OnEsc);
    }
}

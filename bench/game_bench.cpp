// The cost of one game tick at its busiest and of one frame of play.
//   tick:  level 5, the sea at its minimum of 9 objects, all of them over the
//          fish's box but nowhere solid under it, so both collision scans run
//          through every one of the fish's 7200 mask pixels without a hit.
//   frame: every bitmap opaque, so each masked blit really draws.
#include "data/datafile.h"
#include "game/game_state.h"
#include "app/globals.h"
#include "world/world.h"
#include "game/game.h"
#include "game/level.h"
#include "platform/headless.h"
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

DATAFILE s_Data[DATA_OBJECT_COUNT + 1];

BITMAP* OpaqueBitmap(int w, int h, int seed)
{
    BITMAP* bmp = create_bitmap(w, h);
    for (int y = 0; y < h; y += 8)
        rectfill(bmp, 0, y, w - 1, y + 7, makecol((y * 3 + seed) & 255, (y + seed * 40) & 255, 90));
    return bmp;
}

BITMAP* BenchBitmap(int index)
{
    switch (index) {
    case BMP_PLAYER: return OpaqueBitmap(1200, 72, 1);
    case BMP_PLAYER_MASK: {  // every pixel of every frame solid: the longest scan
        BITMAP* mask = create_bitmap(1200, 72);
        clear_to_color(mask, 0xFF0000);
        return mask;
    }
    case BMP_TILES: return OpaqueBitmap(120, 80, 2);
    case BMP_TILES_MASK: {  // rock solid, open water empty
        BITMAP* mask = create_bitmap(120, 80);
        clear_to_color(mask, 0);
        rectfill(mask, 0, 0, 119, 59, 0xFF0000);
        return mask;
    }
    case BMP_CHARACTERS: return OpaqueBitmap(960, 688, 3);
    case BMP_CHARACTERS_MASK: {  // nothing solid: the fish overlaps but never touches
        BITMAP* mask = create_bitmap(960, 688);
        clear_to_color(mask, 0);
        return mask;
    }
    default: return OpaqueBitmap(1280, 480, index);
    }
}

// A datafile of the objects the game's tick and frame use; no samples, so nothing plays.
void SetUpBenchData()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    StartHeadlessAllegro();
    for (int i = 0; i < DATA_OBJECT_COUNT; i++) {
        s_Data[i].type = DAT_END + 1;  // unused kinds answer none
        s_Data[i].dat = nullptr;
        if (i >= BMP_PLAYER && i <= BMP_CHARACTERS_MASK) {
            s_Data[i].type = DAT_BITMAP;
            s_Data[i].dat = BenchBitmap(i);
        } else if (i >= FNT_TITLE) {
            s_Data[i].type = DAT_FONT;
            s_Data[i].dat = font;
        }
    }
    s_Data[DATA_OBJECT_COUNT].type = DAT_END;
    g_Data = s_Data;
    g_Page1 = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    g_Page2 = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    g_BackBuffer = g_Page1;
}

// The nine objects of level 5 spread over the fish's box at (270, 200).
const int SEA_KINDS[] = {KIND_BIG_FISH, KIND_URCHIN, KIND_ACTINIAN, KIND_BARREL, KIND_JELLYFISH,
                         KIND_BOTTLE,   KIND_COIN,   KIND_MINE,     KIND_BUBBLE};

void StartBusySea()
{
    srand(3);
    g_Settings.control = CONTROL_KEYBOARD;
    InitLevel_01();
    g_Game.soundOn = false;
    g_LevelMap.m_Level = 5;
    for (int kind : SEA_KINDS)
        g_Enemies.AddEnemy(kind, 0, 0, 0);
}

// Puts the fish and the objects back where the busiest tick starts.
void RewindSea()
{
    g_Player.m_PosX = g_Player.m_ScreenX = 270;
    g_Player.m_PosY = g_Player.m_ScreenY = 200;
    g_Player.m_SpeedX = g_Player.m_SpeedY = 0;
    g_Player.m_ShieldTime = 0;
    g_LevelMap.m_Distance = 0;
    int n = 0;
    for (CCharacterNode* object = g_Enemies.m_CHHead; object; object = object->m_Next, n++) {
        object->m_X = 250 + (n % 3) * 30;
        object->m_Y = 190 + (n / 3) * 20;
        object->m_Destroyed = 0;
    }
}

void BM_GameTickLevel5(benchmark::State& state)
{
    SetUpBenchData();
    StartBusySea();
    for (auto _ : state) {
        RewindSea();
        UpdateLevel_01();
    }
    if (g_Player.m_State != 0 || g_Enemies.m_CHEnemyCount != 9)
        state.SkipWithError("the fish touched something: the scan was cut short");
    ExitLevel_01();
}
BENCHMARK(BM_GameTickLevel5)->Unit(benchmark::kMicrosecond);

void BM_GameFrame(benchmark::State& state)
{
    SetUpBenchData();
    StartBusySea();
    RewindSea();
    g_Game.soundMessageTime = g_Game.musicMessageTime = 20;
    g_Game.paused = true;
    g_Game.quitBoxOpen = true;
    for (auto _ : state) {
        DrawLevel_01(g_BackBuffer);
        FlipPages();
        benchmark::DoNotOptimize(g_BackBuffer);
    }
    ExitLevel_01();
}
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

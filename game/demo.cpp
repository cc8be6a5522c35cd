#include "game/demo.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "platform/draw.h"
#include "app/globals.h"
#include "app/loop.h"
#include "game/game.h"
#include "game/level.h"
#include "input/input.h"
#include "world/world.h"
#include <cstdio>
#include <cstdlib>

void DemoReset(DemoState& demo)
{
    demo = DemoState{DEMO_TICKS, false, DataFont(FNT_TABLE), false, DEMO_BLINK_PERIOD, DEMO_BLINK_PERIOD};
    if (ReadCharacterData() < 0) {
        fprintf(stderr, "Error reading CHARACTER DATA'\n");
        exit(1);
    }
    g_LevelMap.SetBitmaps(DataBitmap(BMP_TILES), DataBitmap(BMP_TILES_MASK));
    g_ScrollLayer1.SetBitmap(DataBitmap(BMP_LAYER1));
    g_ScrollLayer2.SetBitmap(DataBitmap(BMP_LAYER2));
    g_LevelMap.InitForDemo();
    g_ScrollLayer1.Init();
    g_ScrollLayer2.Init();
    g_Enemies.InitForGame();
}

static void Blink(DemoState& demo)
{
    if (demo.blinkCounter > 0) {
        demo.blinkCounter--;
    } else {
        demo.blinkCounter = demo.blinkPeriod;
        demo.captionShown = !demo.captionShown;
    }
}

void DemoStep(DemoState& demo)
{
    StartSeaStep();
    StepSea(0, 0);
    Blink(demo);
    if (demo.timeLeft > 0)
        demo.timeLeft--;
    else
        demo.done = true;
    DemoReadKeys(demo);
}

void DemoDraw(const DemoState& demo, BITMAP* dest, float t)
{
    DrawFarLayers(dest, t);
    g_LevelMap.DrawWaterStones(dest, t);
    g_Enemies.DrawCharacters(dest, t);
    g_LevelMap.DrawWalls(dest, t);
    if (demo.captionShown && demo.font) {
        const int x = SCREEN_WIDTH / 2;
        const int y = SCREEN_HEIGHT / 2;
        DrawCaption(dest, demo.font, "DEMO", x, y, makecol(0, 0, 255), 5);
    }
}

void DemoReadKeys(DemoState& demo)
{
    // The key stays in the buffer until the demo ends: it ends it once.
    if (!demo.done && AnyKeyTyped()) {
        PlaySample(SND_SELECT);  // whatever the game's sound switch says
        demo.done = true;
    }
}

void DemoRelease()
{
    g_LevelMap.ClearBitmaps();
    FreeCharacterData();
    if (g_Enemies.m_CHHead)
        g_Enemies.RemoveAllEnemies();
}

void PlayDemo()
{
    DemoState demo;
    DemoReset(demo);
    ScreenLoop loop{PERIOD_GAME, MID_DEMO};
    loop.keepBackBuffer = true;
    loop.clearKeysOnExit = true;
    loop.framesBetweenSteps = true;
    RunScreen(loop, demo, DemoStep, DemoDraw);
    DemoRelease();
}

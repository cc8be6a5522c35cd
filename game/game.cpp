// One game: setting up the world, the fixed-step loop and the end.
#include "game/game.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "platform/display.h"
#include "game/game_state.h"
#include "app/globals.h"
#include "app/loop.h"
#include "app/startup.h"
#include "game/level.h"
#include "settings/control_settings.h"
#include "world/world.h"

void ResetGameState()
{
    g_Game = GameState{};
    g_Game.quitChoice = 1;
    g_Game.hiScoreRank = -1;
    g_Game.levelBannerTime = LEVEL_BANNER_TICKS;
    g_Game.soundOn = true;
    g_Game.speed = FULL_SPEED;
    g_Game.musicOn = true;
    g_Game.keys.Open(PERIOD_GAME, GAME_REPEAT_MS);
    SetSoundEffectsOn(g_Game.soundOn);
}

static void BindWorldBitmaps()
{
    if (ReadPlayerData() < 0)
        FatalError("Error reading PLAYER DATA'\n");
    if (ReadCharacterData() < 0)
        FatalError("Error reading CHARACTER DATA'\n");
    g_Icons.SetBitmaps(DataBitmap(BMP_CHARACTERS), DataBitmap(BMP_CHARACTERS_MASK));
    g_LevelMap.SetBitmaps(DataBitmap(BMP_TILES), DataBitmap(BMP_TILES_MASK));
    g_ScrollLayer1.SetBitmap(DataBitmap(BMP_LAYER1));
    g_ScrollLayer2.SetBitmap(DataBitmap(BMP_LAYER2));
}

void InitLevel_01()
{
    BindWorldBitmaps();
    g_GameFont.LoadFont();
    g_Player.NewGame();
    g_LevelMap.Init();
    g_ScrollLayer1.Init();
    g_ScrollLayer2.Init();
    g_Enemies.InitForGame();
    g_Icons.InitAsIcons();
    if (g_Settings.control == CONTROL_MOUSE)
        SetUpMouseSteering();
    ResetGameState();
}

void ExitLevel_01()
{
    g_GameFont.DestroyFont();
    g_LevelMap.ClearBitmaps();
    FreePlayerData();
    FreeCharacterData();
    RemoveAllCharacters();
}

bool IsRelaxedGame()
{
    return g_Game.speed < FULL_SPEED;
}

ScreenLoop GameLoop(int speedPercent)
{
    ScreenLoop loop{PERIOD_GAME, MID_GAME};
    loop.stepsPerSecond = 1000 / PERIOD_GAME * speedPercent / FULL_SPEED;
    loop.keepBackBuffer = true;
    loop.clearKeysOnExit = true;
    loop.framesBetweenSteps = true;
    return loop;
}

bool IsGameEnded()
{
    return g_Game.quitRequested || g_Game.gameOver || g_Game.seaCrossed;
}

int PlayGame()
{
    InitLevel_01();
    g_Game.speed = g_Controls.speed;
    RunScreen(GameLoop(g_Game.speed), {[] { UpdateLevel_01(); }, DrawLevel_01, IsGameEnded, nullptr});
    ExitLevel_01();
    return g_Game.seaCrossed ? 1 : 0;
}

// One game: setting up the world, the fixed-step loop and the end.
#include "game/game.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "platform/display.h"
#include "game/game_state.h"
#include "app/globals.h"
#include "app/loop.h"
#include "app/startup.h"
#include "game/game_start.h"
#include "game/record.h"
#include "game/level.h"
#include "settings/control_settings.h"
#include "world/world.h"
#include <cstdlib>

CChance g_GameChance;

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

GameStart FreshGameStart()
{
    const uint32_t high = static_cast<uint32_t>(rand()) << 16;
    return GameStart{high ^ static_cast<uint32_t>(rand()), g_SpawnOrderPosition};
}

// The map and the sea collection deal from the game's dice while it runs.
static void BindGameChance(CChance* chance)
{
    g_LevelMap.m_Chance = chance;
    g_Enemies.m_Chance = chance;
}

// A game the player plays: a fresh seed, and the mouse made ready to steer.
void InitLevel_01()
{
    InitLevel_01(FreshGameStart());
    if (g_Settings.control == CONTROL_MOUSE)
        SetUpMouseSteering();
}

void InitLevel_01(const GameStart& start)
{
    g_GameChance.Seed(start.seed);
    g_SpawnOrderPosition = start.spawnOrderPosition;
    BindGameChance(&g_GameChance);
    BindWorldBitmaps();
    g_GameFont.LoadFont();
    g_Player.NewGame();
    g_LevelMap.Init();
    g_ScrollLayer1.Init();
    g_ScrollLayer2.Init();
    g_Enemies.InitForGame();
    g_Icons.InitAsIcons();
    ResetGameState();
}

void ExitLevel_01()
{
    g_GameFont.DestroyFont();
    g_LevelMap.ClearBitmaps();
    FreePlayerData();
    FreeCharacterData();
    RemoveAllCharacters();
    BindGameChance(nullptr);
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

static Replay s_LastRecording;
static bool s_HaveLastRecording = false;

const Replay* LastRecordedGame()
{
    return s_HaveLastRecording ? &s_LastRecording : nullptr;
}

// Every game is recorded: its start, and each step's input as the step reads it.
int PlayGame()
{
    const GameStart start = FreshGameStart();
    InitLevel_01(start);
    g_Game.speed = g_Controls.speed;
    if (g_Settings.control == CONTROL_MOUSE)
        SetUpMouseSteering();
    GameRecorder recorder;
    recorder.Start(start, g_Settings.control, g_PlayerName);
    auto step = [&recorder] {
        const StepInput input = ReadStepInput();
        UpdateLevel_01(input);
        recorder.Stepped(input);
    };
    RunScreen(GameLoop(g_Game.speed), {step, DrawLevel_01, IsGameEnded, nullptr, nullptr});
    s_HaveLastRecording = recorder.Finish(s_LastRecording);
    ExitLevel_01();
    return g_Game.seaCrossed ? 1 : 0;
}

// One 50 ms tick of a game: the keys that are not steering, the GAME OVER
// countdown and the world's step in its fixed order.
#include "platform/audio.h"
#include "data/datafile.h"
#include "platform/focus.h"
#include "game/game_state.h"
#include "app/globals.h"
#include "platform/trace.h"
#include "game/game.h"
#include "game/level.h"
#include "world/world.h"

constexpr int MAX_KINDS_IN_PLAY = 13;

static void PlayInterfaceSound(int sample)
{
    PlaySoundEffect(sample);
}

static void CountDown(int32_t& time)
{
    if (time > 0)
        time--;
}

static void OpenQuitBox()
{
    g_Game.quitBoxOpen = true;
    // An arrow held to steer does not answer the box: keys down as it opens
    // wait for a fresh press.
    g_Game.keys.Open(PERIOD_GAME, GAME_REPEAT_MS);
    PlayInterfaceSound(SND_MOVE);
    if (g_Game.musicOn)
        PauseMusic();
}

static void MoveQuitChoice(const StepInput& input)
{
    if (input.boxYes && g_Game.quitChoice == 1) {
        PlayInterfaceSound(SND_MOVE);
        g_Game.quitChoice = 0;
    }
    if (input.boxNo && g_Game.quitChoice == 0) {
        PlayInterfaceSound(SND_MOVE);
        g_Game.quitChoice = 1;
    }
}

static void AnswerQuitBox(const StepInput& input)
{
    if (!input.boxAnswer)
        return;
    g_Game.quitBoxOpen = false;
    if (g_Game.quitChoice == 0) {
        g_Game.quitRequested = true;
        PlayInterfaceSound(SND_SELECT);
    } else {
        g_Game.quitRequested = false;
        if (g_Game.musicOn)
            ResumeMusic();
        PlayInterfaceSound(SND_BACK);
    }
}

static void PauseGame()
{
    if (g_Game.musicOn)
        PauseMusic();
    PlayInterfaceSound(SND_SELECT);
    g_Game.paused = true;
}

static void ResumeGame()
{
    if (g_Game.musicOn)
        ResumeMusic();
    PlayInterfaceSound(SND_BACK);
    g_Game.paused = false;
}

static void HandlePauseKey(const StepInput& input)
{
    if (!input.pause)
        return;
    if (g_Game.paused)
        ResumeGame();
    else
        PauseGame();
}

// A player who turns to another window finds the game paused, as P pauses it;
// coming back leaves it paused until P.
static void PauseOnFocusLoss(bool focusLost)
{
    if (focusLost && !g_Game.paused)
        PauseGame();
}

// The toggle's own sound plays whatever the switch says: SND_BACK before sound goes off.
static void HandleSoundKey(const StepInput& input)
{
    if (input.sound) {
        PlaySample(g_Game.soundOn ? SND_BACK : SND_SELECT);
        g_Game.soundOn = !g_Game.soundOn;
        SetSoundEffectsOn(g_Game.soundOn);
        g_Game.soundMessageTime = GAME_MESSAGE_TICKS;
    }
    CountDown(g_Game.soundMessageTime);
}

static void HandleMusicKey(const StepInput& input)
{
    if (input.music) {
        if (g_Game.musicOn) {
            PauseMusic();
            PlayInterfaceSound(SND_BACK);
        } else {
            ResumeMusic();
            PlayInterfaceSound(SND_SELECT);
        }
        g_Game.musicOn = !g_Game.musicOn;
        g_Game.musicMessageTime = GAME_MESSAGE_TICKS;
    }
    CountDown(g_Game.musicMessageTime);
}

static void RunGameOverCountdown()
{
    if (g_Game.gameOverTime > 1)
        g_Game.gameOverTime--;
    else if (g_Game.gameOverTime == 1)
        g_Game.gameOver = true;
}

void StartSeaStep()
{
    g_ScrollLayer1.StartStep();
    g_ScrollLayer2.StartStep();
    g_LevelMap.StartStep();
    g_Enemies.StartStep();
}

void FeedSeaCollection()
{
    int level = g_LevelMap.GetLevel();
    g_Enemies.m_ChenemyCountOnScreenMin = level + 4;
    int kinds = 2 * level + 3;
    g_Enemies.m_CHEnemyTypeCount = kinds > MAX_KINDS_IN_PLAY ? MAX_KINDS_IN_PLAY : kinds;
    g_Enemies.m_CHSpawnTop = g_LevelMap.GetSpawnTop();
    g_Enemies.m_CHSpawnHeight = g_LevelMap.GetSpawnHeight();
}

static void TraceDifficulty()
{
    Trace("UpdateLevel_01() - m_ChenemyCountOnScreenMin=%ld", static_cast<long>(g_Enemies.m_ChenemyCountOnScreenMin));
    Trace("UpdateLevel_01() - m_CHEnemyTypeCount=%ld", static_cast<long>(g_Enemies.m_CHEnemyTypeCount));
}

void StepSea(int fishSpeedX, int fishSpeedY, const std::function<void()>& beforeObjectsDrift)
{
    g_LevelMap.Update(fishSpeedX, fishSpeedY);
    FeedSeaCollection();
    g_ScrollLayer1.Scroll(g_LevelMap.m_SpeedX, 0, FAR_LAYER_DIVISOR, 1);
    g_ScrollLayer2.Scroll(g_LevelMap.m_SpeedX, 0, NEAR_LAYER_DIVISOR, 1);
    if (beforeObjectsDrift)
        beforeObjectsDrift();
    g_Enemies.MoveCharacter(g_LevelMap.m_SpeedX);
}

static void CollectDistancePoints()
{
    if (g_LevelMap.m_DistanceScore <= 0)
        return;
    g_Player.m_Score += g_LevelMap.m_DistanceScore;
    if (g_Player.m_Score > PLAYER_MAX_SCORE)
        g_Player.m_Score = PLAYER_MAX_SCORE;
    g_LevelMap.m_DistanceScore = 0;
    g_LevelMap.m_StepPixels = 0;
}

// A new level shows its number for a while; the banner counts down with the play.
static void RunLevelBanner()
{
    CountDown(g_Game.levelBannerTime);
    if (g_LevelMap.GetLevel() != g_Game.bannerLevel) {
        g_Game.bannerLevel = g_LevelMap.GetLevel();
        g_Game.levelBannerTime = LEVEL_BANNER_TICKS;
    }
}

// The fish's step, and what the game makes of it.
static void MovePlayer(const HeldDirections& held)
{
    // While GAME OVER counts down the fish is already off screen.
    if (g_Game.gameOverTime != 0)
        return;
    const PlayerEvent event = g_Player.Update(held, g_LevelMap, g_Enemies);
    g_Game.seaCrossed = event == PlayerEvent::CROSSED_SEA;
    if (event == PlayerEvent::OUT_OF_LIVES)
        g_Game.gameOverTime = GAME_OVER_TICKS;
}

static void MoveWorld(const HeldDirections& held)
{
    MovePlayer(held);
    // A crashed fish holds the distance and the level back.
    g_LevelMap.m_StopProgress = g_Player.m_State;
    StepSea(g_Player.m_SpeedX, g_Player.m_SpeedY, [] {
        RunLevelBanner();
        TraceDifficulty();
        g_Enemies.m_CHStopAddNew = g_LevelMap.IsCompleted();
        // At the end of the sea, once the last object has gone, the fish swims out.
        if (g_Enemies.m_CHEnemyCount == 0)
            g_Player.m_LeaveLevel = g_LevelMap.IsCompleted();
    });
    g_Icons.MoveCharacterAsIcons();
    CollectDistancePoints();
}

StepInput ReadStepInput()
{
    PressReader& keys = g_Game.keys;
    keys.Step();
    StepInput input;
    input.held = ReadHeldDirections(g_Settings.control, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2);
    input.escape = keys.Pressed(INPUT_ESC);
    input.pause = keys.Acts(INPUT_PAUSE);
    input.sound = keys.Acts(INPUT_SOUND);
    input.music = keys.Acts(INPUT_MUSIC);
    input.boxYes = keys.Acts(INPUT_LEFT);
    input.boxNo = keys.Acts(INPUT_RIGHT);
    input.boxAnswer = keys.Pressed(INPUT_ENTER);
    // A pad pulled out would leave the fish on its last input: the game waits as for focus.
    const bool padLost = g_Settings.control == CONTROL_JOYSTICK && TakePadLoss();
    input.focusLost = TakeFocusLoss() || padLost;
    return input;
}

void UpdateLevel_01()
{
    UpdateLevel_01(ReadStepInput());
}

void UpdateLevel_01(const StepInput& input)
{
    StartSeaStep();
    g_Player.StartStep();
    SetSoundEffectsOn(g_Game.soundOn);
    if (g_Game.quitBoxOpen) {
        // The box freezes everything else, the countdown included.
        MoveQuitChoice(input);
        AnswerQuitBox(input);
    } else if (input.escape) {
        // The box opens on this step and answers from the next one.
        OpenQuitBox();
    } else {
        PauseOnFocusLoss(input.focusLost);
        HandlePauseKey(input);
        HandleSoundKey(input);
        HandleMusicKey(input);
        RunGameOverCountdown();
        if (!g_Game.paused)
            MoveWorld(input.held);
    }
    Trace("UpdateLevel_01() - m_CHEnemyCount %ld", static_cast<long>(g_Enemies.m_CHEnemyCount));
}

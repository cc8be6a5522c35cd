// The game's tick, frame and end: keys, toggles, the countdown, the HUD, and
// whole games run headless from the start to the end of the sea or GAME OVER.
#include "platform/audio.h"
#include "data/datafile.h"
#include "game/game_state.h"
#include "app/globals.h"
#include "app/loop.h"
#include "platform/frame_clock.h"
#include "world/world.h"
#include "game/game.h"
#include "game/game_start.h"
#include "game/level.h"
#include "game/record.h"
#include "settings/save_files.h"
#include "screens/hiscore_screen.h"
#include "support/screen_test.h"
#include "support/pixels.h"
#include "support/simulated_clock.h"
#include "support/sound_log.h"
#include "support/temp_dir.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <string>
#include <vector>

namespace {

// Ticks with `k` held, then releases it.
void HoldKey(int k, int ticks)
{
    key[k] = 1;
    for (int t = 0; t < ticks; t++)
        UpdateLevel_01();
    key[k] = 0;
}

void Ticks(int n)
{
    for (int t = 0; t < n; t++)
        UpdateLevel_01();
}

void FillBitmap(int index, int colour)
{
    clear_to_color(DataBitmap(index), colour);
}

class GameTest : public ScreenTest {
protected:
    void SetUp() override
    {
        srand(11);
        g_Settings.control = CONTROL_KEYBOARD;
        InitLevel_01();
    }
    void TearDown() override
    {
        ExitLevel_01();
        for (int index : {BMP_PLAYER, BMP_PLAYER_MASK, BMP_TILES, BMP_TILES_MASK, BMP_CHARACTERS_MASK})
            FillBitmap(index, bitmap_mask_color(DataBitmap(index)));
    }
    Picture page{640, 480};
};

// The golden replays see a paused world stand still; here, the key's repeat.
TEST_F(GameTest, HeldPTogglesPauseEverySixthTick)
{
    SoundLog sounds;
    std::vector<bool> paused;
    key[KEY_P] = 1;
    for (int t = 0; t < 13; t++) {
        UpdateLevel_01();
        paused.push_back(g_Game.paused);
    }
    key[KEY_P] = 0;
    std::vector<bool> expected = {true, true, true, true, true, true, false, false, false, false, false, false, true};
    EXPECT_EQ(paused, expected);
    EXPECT_EQ(sounds.Samples(), (std::vector<int>{SND_SELECT, SND_BACK, SND_SELECT}));
    EXPECT_EQ(sounds.Count(SoundEvent::PauseMusic), 2);
    EXPECT_EQ(sounds.Count(SoundEvent::ResumeMusic), 1);
    Ticks(1);
    HoldKey(KEY_P, 1);  // a short press toggles once
    EXPECT_FALSE(g_Game.paused);
    Ticks(10);
    EXPECT_FALSE(g_Game.paused);
}

// A replay hands the steps their input back: the step reads no device itself.
// A player who turns to another window finds the game paused, as P pauses it;
// coming back leaves it paused until P.
TEST_F(GameTest, AStepRunsOnTheInputHandedToItAlone)
{
    StepInput right;
    right.held.right = true;
    key[KEY_LEFT] = 1;
    for (int t = 0; t < 3; t++)
        UpdateLevel_01(right);
    key[KEY_LEFT] = 0;
    EXPECT_EQ(g_Player.m_SpeedX, 3);
    StepInput lost, none, p;
    lost.focusLost = p.pause = true;
    for (const StepInput* input : {&lost, &lost, &none}) {
        UpdateLevel_01(*input);
        EXPECT_TRUE(g_Game.paused);
    }
    UpdateLevel_01(p);
    EXPECT_FALSE(g_Game.paused);

    StepInput escape;
    escape.escape = true;
    UpdateLevel_01(escape);
    ASSERT_TRUE(g_Game.quitBoxOpen);
    StepInput yes;
    yes.boxYes = yes.boxAnswer = true;
    UpdateLevel_01(yes);
    EXPECT_TRUE(g_Game.quitRequested);
}

// ESC opens the box on No (paused or not); the steering arrow held as it opens
// does not answer it, each press after does, a tap between two ticks too. No
// leaves the game as it was, paused included; Yes ends it.
TEST_F(GameTest, TheQuitBoxOpensOnNoAndArrowPressesChooseTheAnswer)
{
    HoldKey(KEY_P, 1);
    SoundLog sounds;
    HoldKey(KEY_ESC, 1);
    EXPECT_TRUE(g_Game.quitBoxOpen);
    EXPECT_EQ(g_Game.quitChoice, 1);
    EXPECT_EQ(sounds.Samples(), std::vector<int>{SND_MOVE});
    HoldKey(KEY_ENTER, 1);
    EXPECT_FALSE(g_Game.quitBoxOpen);
    EXPECT_TRUE(g_Game.paused);
    EXPECT_EQ(sounds.Samples(), (std::vector<int>{SND_MOVE, SND_BACK}));
    EXPECT_EQ(sounds.Count(SoundEvent::ResumeMusic), 1) << "the box's music pause ends, the game's stays";
    HoldKey(KEY_P, 1);

    key[KEY_LEFT] = 1;
    HoldKey(KEY_ESC, 1);
    Ticks(20);
    EXPECT_EQ(g_Game.quitChoice, 1) << "the steering arrow does not answer the box";
    key[KEY_LEFT] = 0;
    Ticks(1);
    HoldKey(KEY_LEFT, 1);
    EXPECT_EQ(g_Game.quitChoice, 0);
    PressKey(KEY_RIGHT);
    ReleaseKey(KEY_RIGHT);
    Ticks(1);
    EXPECT_EQ(g_Game.quitChoice, 1) << "a tap between two ticks counts";
    HoldKey(KEY_LEFT, 1);
    sounds.Clear();
    HoldKey(KEY_ENTER, 1);
    EXPECT_TRUE(g_Game.quitRequested);
    EXPECT_EQ(sounds.Samples(), std::vector<int>{SND_SELECT});
    EXPECT_TRUE(IsGameEnded());
}

// S plays its own sound either way and silences the rest, never the tune; M
// pauses and resumes the tune, and pausing the game then leaves it alone.
TEST_F(GameTest, SoundAndMusicTogglesSilenceWhatTheyName)
{
    SoundLog sounds;
    HoldKey(KEY_S, 1);
    EXPECT_FALSE(g_Game.soundOn);
    EXPECT_EQ(sounds.Samples(), std::vector<int>{SND_BACK});
    sounds.Clear();
    HoldKey(KEY_P, 1);
    HoldKey(KEY_ESC, 1);
    HoldKey(KEY_ENTER, 1);
    EXPECT_TRUE(sounds.Samples().empty());
    EXPECT_EQ(sounds.Count(SoundEvent::PauseMusic), 2);
    Ticks(5);
    HoldKey(KEY_S, 1);
    EXPECT_TRUE(g_Game.soundOn);
    EXPECT_EQ(sounds.Samples(), std::vector<int>{SND_SELECT});
    Ticks(60);
    EXPECT_EQ(g_Game.soundMessageTime, 0);

    sounds.Clear();
    HoldKey(KEY_M, 1);
    EXPECT_FALSE(g_Game.musicOn);
    EXPECT_EQ(sounds.Count(SoundEvent::PauseMusic), 1);
    HoldKey(KEY_P, 1);
    EXPECT_EQ(sounds.Count(SoundEvent::PauseMusic), 1);
    HoldKey(KEY_M, 6);
    EXPECT_TRUE(g_Game.musicOn);
    EXPECT_EQ(sounds.Count(SoundEvent::ResumeMusic), 1);
}

TEST_F(GameTest, GameOverCountdownRunsWhilePausedAndFreezesInTheQuitBox)
{
    g_Game.gameOverTime = 10;
    HoldKey(KEY_P, 1);
    Ticks(3);
    EXPECT_EQ(g_Game.gameOverTime, 6) << "paused, it runs on";
    HoldKey(KEY_ESC, 1);
    Ticks(20);
    HoldKey(KEY_ENTER, 1);  // the tick that closes the box holds it too
    Ticks(5);
    EXPECT_EQ(g_Game.gameOverTime, 1);
    EXPECT_FALSE(g_Game.gameOver);
    Ticks(1);
    EXPECT_TRUE(g_Game.gameOver && IsGameEnded());
}

TEST_F(GameTest, DistancePointsNeverLiftTheScoreAbove99999)
{
    g_Player.m_Score = 99997;
    g_LevelMap.m_StepPixels = 51;  // this tick completes a distance step: 5 points
    Ticks(1);
    EXPECT_EQ(g_Player.m_Score, 99999);
    EXPECT_EQ(g_LevelMap.m_DistanceScore, 0);
    EXPECT_EQ(g_LevelMap.m_StepPixels, 0);
}

// The HUD, the switches' messages (sound above music), the line of the level's
// distance along the bottom edge, PAUSE, and the quit box over it.
TEST_F(GameTest, FrameShowsTheHudAndTheQuitBoxOverPause)
{
    const int green = makecol(0, 255, 0), blue = makecol(0, 0, 255), face = makecol(0, 0, 230);
    const int red = makecol(255, 0, 0);
    HoldKey(KEY_S, 1);  // sound off
    HoldKey(KEY_M, 7);  // off, and on again on the 7th tick, after the repeat delay
    g_LevelMap.m_Distance = 250;
    clear_to_color(page, makecol(1, 2, 3));
    DrawLevel_01(page);
    EXPECT_GT(CountColour(page, 72, 1, 19, 9, green), 10);    // lives "03"
    EXPECT_GT(CountColour(page, 345, 1, 19, 9, green), 10);  // coins "00"
    EXPECT_GT(CountColour(page, 505, 1, 41, 9, green), 30);  // score "00000"
    EXPECT_EQ(CountColour(page, 0, 20, 640, 420, green), 0);
    EXPECT_GT(CountColour(page, 280, 442, 81, 8, red), 10);    // "SOUND OFF"
    EXPECT_GT(CountColour(page, 280, 462, 81, 8, green), 10);  // "MUSIC ON"
    const int yellow = makecol(255, 255, 0);  // the line, half the width, left and right of the messages
    EXPECT_EQ(CountColour(page, 0, 478, 270, 1, yellow) + CountColour(page, 370, 478, 270, 1, yellow), 270);

    g_Game.paused = true;
    DrawLevel_01(page);
    EXPECT_GT(CountColour(page, 290, 230, 61, 21, blue), 10);  // "PAUSE"
    g_Game.quitBoxOpen = true;
    DrawLevel_01(page);
    EXPECT_EQ(CountColour(page, 290, 230, 61, 21, blue), 0);
    EXPECT_GT(CountColour(page, 225, 145, 191, 196, face), 20000);
    EXPECT_GT(CountColour(page, 225, 180, 191, 21, green), 10);  // "Quit a game?"
    EXPECT_EQ(CountColour(page, 286, 245, 24, 8, red), 0);    // "Yes" white
    EXPECT_GT(CountColour(page, 352, 245, 16, 8, red), 10);   // "No" red, pressed down
    g_Game.quitChoice = 0;
    DrawLevel_01(page);
    EXPECT_GT(CountColour(page, 286, 245, 24, 8, red), 10);
    EXPECT_EQ(CountColour(page, 352, 245, 16, 8, red), 0);
}

// The table's ties: the last row's score does not enter, a tie with any other row does.
TEST_F(GameTest, GameOverSaysNewHiScoreExactlyWhenTheTableTakesTheScore)
{
    memcpy(g_HiScores, DEFAULT_HISCORES, sizeof g_HiScores);  // 4000 ... 250, 100
    const int yellow = makecol(255, 255, 0);
    FONT* f = DataFont(FNT_TABLE);
    const int top = GameOverScoreTop(480, f) + text_height(f);
    g_Game.gameOverTime = 10;
    const std::pair<int, bool> cases[] = {{0, false}, {100, false}, {101, true}, {250, true}, {99999, true}};
    for (auto [score, said] : cases) {
        g_Player.m_Score = score;
        clear_to_color(page, makecol(1, 2, 3));
        DrawLevel_01(page);
        EXPECT_EQ(CountColour(page, 0, top, 640, 3 * text_height(f), yellow) > 10, said) << score;
    }
    EXPECT_EQ(FormatNewHiScore(HiScoreRankFor(250)), "NEW HI-SCORE - 5TH PLACE") << "above the 250 it ties";
}

// "LEVEL n" for 2 s (40 ticks of 50 ms) when the game starts and whenever the map's level rises.
TEST_F(GameTest, LevelBannerShowsForTwoSecondsAtEveryLevelStart)
{
    auto bannerInk = [&] {
        clear_to_color(page, makecol(1, 2, 3));
        DrawLevel_01(page);
        return CountColour(page, 0, 100, 640, 60, makecol(255, 255, 0));
    };
    for (int level = 0; level < 3; level++) {
        EXPECT_GT(bannerInk(), 10) << "level " << level;
        EXPECT_EQ(FormatLevelBanner(g_Game.bannerLevel), "LEVEL " + std::to_string(level + 1));
        Ticks(39);
        EXPECT_GT(bannerInk(), 10) << "level " << level;
        Ticks(1);
        EXPECT_EQ(bannerInk(), 0) << "level " << level;
        // The map at the end of the level: its next distance step starts the next one.
        g_Player.m_ShieldTime = 1000;
        g_LevelMap.m_Distance = 500;
        g_LevelMap.m_StepPixels = 51;
        Ticks(1);
        ASSERT_EQ(g_LevelMap.GetLevel(), level + 1);
    }
}

// Everything a frame could touch, byte for byte: the game's flags, the world
// objects and every object of both collections.
template <typename T>
void AddBytes(std::string& into, const T& thing)
{
    into.append(reinterpret_cast<const char*>(&thing), sizeof thing);
}

std::string StateOfTheGame()
{
    std::string state;
    AddBytes(state, g_Game);
    AddBytes(state, g_Player);
    AddBytes(state, g_LevelMap);
    AddBytes(state, g_ScrollLayer1);
    AddBytes(state, g_ScrollLayer2);
    for (const CCharacter* collection : {&g_Enemies, &g_Icons}) {
        AddBytes(state, *collection);
        for (const CCharacterNode* node = collection->m_CHHead; node; node = node->m_Next)
            AddBytes(state, *node);
    }
    return state;
}

// A whole game through the screen runner, on the stand-in data whose masks are
// empty: nothing stops the fish, the sea is crossed and the game says so (the
// congratulations follow it).
TEST_F(GameTest, AGameThatCrossesTheSeaSaysSo)
{
    ExitLevel_01();
    Picture other(640, 480);
    g_Page1 = page;
    g_BackBuffer = g_Page2 = other;
    SimulatedTime::Running clock(1000);  // every wait brings a burst of ticks
    EXPECT_EQ(PlayGame(), 1);
    EXPECT_TRUE(g_Game.seaCrossed);
    g_Page1 = g_Page2 = g_BackBuffer = nullptr;
    InitLevel_01();
}

// How a game ends decides whether the table sees its score: GAME OVER and a
// crossed sea offer it (name and file included), a quit game does not, nor a
// relaxed one (whose score the congratulations still show).
TEST_F(GameTest, AnEndedGameOffersItsScoreAndAQuitOneDoesNot)
{
    struct Case { bool gameOver, seaCrossed, quit; int speed, rank, finalScore; };
    for (const Case& c : {Case{true, false, false, 100, 0, 4321}, Case{false, true, false, 100, 0, 4321},
                          Case{false, false, true, 100, -1, 0}, Case{true, false, false, 70, -1, 4321}}) {
        TempDir dir;
        for (auto& row : g_HiScores)
            row.score = 1;
        memset(g_PlayerName, 'N', sizeof g_PlayerName);  // 15 letters and no terminator
        g_Player.m_Score = 4321;
        g_Game.gameOver = c.gameOver, g_Game.seaCrossed = c.seaCrossed, g_Game.quitRequested = c.quit;
        g_Game.speed = c.speed;
        g_Game.finalScore = 0;
        EXPECT_EQ(OfferFinalScore(), c.rank);
        EXPECT_EQ(g_HiScores[0].score, c.rank == 0 ? 4321 : 1);
        EXPECT_EQ(dir.ReadFile(HISCORE_FILE).substr(0, 16), c.rank == 0 ? std::string(15, 'N') + '\0' : "");
        EXPECT_EQ(g_Game.finalScore, c.finalScore);
    }
    SetDefaultPlayerName();
}

// A frame may be drawn twice between two steps, or not at all. A second
// drawing changes no byte of the state and no pixel, and the game plays on
// alike whatever was drawn: the fish blinking, a message, the LEVEL banner
// and the GAME OVER countdown all shown on the way.
TEST_F(GameTest, DrawingAFrameChangesNothing)
{
    FillBitmap(BMP_PLAYER, makecol(200, 100, 0));
    Picture other(640, 480);
    BITMAP* pages[2] = {page, other};
    int changedStates = 0, changedPixels = 0;
    auto play = [&](int framesPerTick) {
        ExitLevel_01();
        srand(5);
        g_SpawnOrderPosition = 0;
        InitLevel_01();
        g_LevelMap.m_Level = 4;  // a fast sea, busy with objects
        g_Player.m_ShieldTime = 200;
        g_Game.soundMessageTime = 20;
        key[KEY_RIGHT] = 1;
        for (int tick = 0; tick < 61; tick++) {
            if (tick == 30)
                g_Game.gameOverTime = 20;
            UpdateLevel_01();
            std::string drawnOnce;
            for (int frame = 0; frame < framesPerTick; frame++) {
                clear_to_color(pages[frame], makecol(1, 2, 3));
                DrawLevel_01(pages[frame], 0.5f);
                if (frame == 0)
                    drawnOnce = StateOfTheGame();
                else
                    changedStates += StateOfTheGame() != drawnOnce;
            }
            for (int y = 0; framesPerTick == 2 && y < 480; y++)
                for (int x = 0; x < 640; x++)
                    changedPixels += getpixel(pages[0], x, y) != getpixel(pages[1], x, y);
        }
        key[KEY_RIGHT] = 0;
        return WorldDigest();
    };
    const uint32_t undrawn = play(0);
    EXPECT_EQ(play(1), undrawn);
    EXPECT_EQ(play(2), undrawn);
    EXPECT_EQ(changedStates, 0);
    EXPECT_EQ(changedPixels, 0);
}

}  // namespace

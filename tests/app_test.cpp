// The shared pieces of every screen: the screen runner and the check of data.dat.
#include "platform/audio.h"
#include "data/datafile.h"
#include "data/datafile_check.h"
#include "app/globals.h"
#include "app/loop.h"
#include "platform/frame_clock.h"
#include "platform/quit_signals.h"
#include "platform/window.h"
#include <csignal>
#include <unistd.h>
#include "support/fake_data.h"
#include "support/pixels.h"
#include "support/simulated_clock.h"
#include "support/sound_log.h"
#include <algorithm>
#include <utility>
#include <gtest/gtest.h>
#include <tuple>
#include <string>
#include <vector>

// The runner driven headless: there is no timer, so the screen's own step and
// draw feed g_Ticks as the timer would.
class RunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_Page1 = first;
        g_BackBuffer = g_Page2 = second;  // the page left by the screen before
    }
    void TearDown() override { g_Page1 = g_Page2 = g_BackBuffer = nullptr; }
    Picture first{640, 480}, second{640, 480};
    // Runs a screen whose every frame takes `periodsPerFrame` periods, until `frames` are drawn.
    void Run(const ScreenLoop& loop, int frames, int periodsPerFrame)
    {
        int drawn = 0;
        RunScreen(loop, {[&] { events.push_back("step"); },
                         [&](BITMAP* page, float) {
                             events.push_back("frame");
                             pages.push_back(page);
                             g_Ticks += periodsPerFrame;
                             drawn++;
                         },
                         [&] { return drawn == frames; }, nullptr, nullptr});
    }
    std::vector<std::string> events;
    std::vector<BITMAP*> pages;
};

// A quit signal or the close button, arriving in the middle of a burst of steps
// or while a screen idles with no tick pending, ends the program before the next
// step, with the signal's exit code, on every kind of screen loop.
TEST_F(RunnerTest, AQuitRequestLeavesBeforeTheNextStep)
{
    ScreenLoop game{PERIOD_GAME, MID_GAME};
    game.keepBackBuffer = game.clearKeysOnExit = game.framesBetweenSteps = true;
    ScreenLoop settling{PERIOD_SLOW_SCREEN};
    settling.settleMs = 1;
    const ScreenLoop loops[] = {{PERIOD_FAST_SCREEN}, {PERIOD_SLOW_SCREEN, MID_CREDITS}, settling, game};
    const struct {
        int signal;  // 0: the close button
        int code;
    } requests[] = {{SIGTERM, 0}, {SIGINT, 130}, {SIGHUP, 0}, {0, 0}};
    for (const ScreenLoop& loop : loops)
        for (const auto& request : requests)
            for (bool idle : {false, true}) {
                auto ask = [&] {
                    if (request.signal)
                        g_QuitSignal = request.signal;
                    else
                        g_CloseRequested = true;
                };
                int steps = 0;
                auto run = [&] {
                    RunScreen(loop, {[&] {
                                         if (++steps > 2)
                                             _exit(99);  // a step after the request
                                         if (steps == 2 && !idle)
                                             ask();
                                     },
                                     [&](BITMAP*, float) {
                                         g_Ticks += idle ? 1 : 3;
                                         if (steps == 2 && idle)
                                             g_Ticks = 0, ask();
                                     },
                                     [] { return false; }, nullptr, nullptr});
                };
                EXPECT_EXIT(run(), ::testing::ExitedWithCode(request.code), "")
                    << "signal " << request.signal << (idle ? " while idle" : " in a burst");
            }
}

// The key that ends the demo or a game must not act again on the screen after it.
TEST_F(RunnerTest, AScreenThatClearsKeysOnLeavingLeavesNoneTyped)
{
    for (bool clear : {false, true}) {
        ScreenLoop loop{PERIOD_GAME};
        loop.clearKeysOnExit = clear;
        bool typed = false;
        RunScreen(loop, {[&] { simulate_keypress((KEY_Q << 8) | 'q'), typed = true; },
                         [&](BITMAP*, float) { g_Ticks += 1; }, [&] { return typed; }, nullptr, nullptr});
        EXPECT_EQ(keypressed() != 0, !clear) << clear;
        clear_keybuf();
    }
}

TEST_F(RunnerTest, MusicPlaysFromBeforeTheFirstStepUntilAfterTheLastFrame)
{
    SoundLog sounds;
    int stepsWithMusic = 0;
    RunScreen({PERIOD_SLOW_SCREEN, MID_CREDITS},
              {[&] { stepsWithMusic += sounds.Count(SoundEvent::Music) == 1 && sounds.Count(SoundEvent::StopMusic) == 0; },
               [&](BITMAP*, float) { g_Ticks += 1; }, [&] { return stepsWithMusic == 2; }, nullptr, nullptr});
    ASSERT_EQ(sounds.Events().size(), 2u);
    EXPECT_EQ(sounds.Events()[0].a, MID_CREDITS);
    EXPECT_EQ(sounds.Events()[1].event, SoundEvent::StopMusic);
    sounds.Clear();
    Run({PERIOD_SLOW_SCREEN}, 2, 1);
    EXPECT_TRUE(sounds.Events().empty()) << "a screen without a tune neither starts nor stops one";
}

TEST_F(RunnerTest, AScreenSteppingAHundredTimesASecondDrawsAtMostSixtyFrames)
{
    SimulatedTime::Running clock(PERIOD_FAST_SCREEN * 1000000LL);
    int steps = 0, frames = 0, stepsAtLastFrame = -1;
    bool framesShowTheLatestStep = true;
    RunScreen({PERIOD_FAST_SCREEN}, {[&] { steps++; },
                                     [&](BITMAP*, float) {
                                         frames += SimulatedTime::now < NANOS_PER_SECOND;
                                         framesShowTheLatestStep &= g_Ticks == 0 && steps > stepsAtLastFrame;
                                         stepsAtLastFrame = steps;
                                     },
                                     [&] { return SimulatedTime::now >= NANOS_PER_SECOND; }, nullptr, nullptr});
    EXPECT_GE(steps, 100);
    EXPECT_LE(frames, 60);
    EXPECT_GE(frames, 55) << "the frames keep the display's pace";
    EXPECT_TRUE(framesShowTheLatestStep);
}

// A still picture is drawn again when what it shows changes, and otherwise only twice a
// second (a window closed from outside is noticed by drawing); the loop sleeps from tick
// to tick, not a millisecond at a time; its end is seen without a frame.
TEST_F(RunnerTest, AStillPictureIsDrawnOnlyWhenItChanges)
{
    SimulatedTime::Running clock(PERIOD_FAST_SCREEN * 1000000LL);
    int steps = 0, frames = 0;
    RunScreen({PERIOD_FAST_SCREEN}, {[&] { steps++; }, [&](BITMAP*, float) { frames++; },
                                     [&] { return steps >= 200; }, nullptr, [&] { return int64_t{steps / 70}; }});
    EXPECT_EQ(steps, 200);
    EXPECT_EQ(frames, 6) << "the first picture, one at each of two changes, three after half a second unchanged";
    EXPECT_LE(SimulatedTime::sleeps, 260);
}

// The stand-in datafile damaged in a copy: a wrong kind is named with its number
// (object #7 may be anything), a missing object gives Allegro's load message,
// and typed access refuses what is not of its kind.
TEST(DatafileTest, ObjectsOfTheWrongKindAreNamedOrRefused)
{
    UseFakeData();
    DATAFILE copy[DATA_OBJECT_COUNT + 1];
    std::copy(g_Data, g_Data + DATA_OBJECT_COUNT + 1, copy);
    copy[DATA_UNUSED_7].type = DAT_FONT;
    EXPECT_EQ(CheckDatafile(copy), "");
    copy[BMP_MENU].type = DAT_SAMPLE;
    EXPECT_EQ(CheckDatafile(copy), "data.dat: object #22 must be a bitmap\n");
    copy[BMP_MENU].type = DAT_BITMAP;
    copy[FNT_MENU].type = DAT_BITMAP;
    EXPECT_EQ(CheckDatafile(copy), "data.dat: object #34 must be a font\n");
    copy[30].type = DAT_END;
    const std::string loadMessage = "Not enough system memory to load a sound data\n";
    EXPECT_EQ(CheckDatafile(copy), loadMessage);
    EXPECT_EQ(CheckDatafile(nullptr), loadMessage);
    EXPECT_NE(DataBitmap(BMP_MENU), nullptr);
    EXPECT_EQ(DataSample(BMP_MENU), nullptr);
    EXPECT_EQ(DataFont(DATA_OBJECT_COUNT), nullptr);
}

// World sounds stay within the middle half of the stereo field: a crash at the
// left edge still reaches the right speaker.
TEST(PanTest, ScreenWidthMapsOntoTheMiddleHalfOfTheField)
{
    // Objects just off either edge are held at its side.
    const std::pair<int, int> cases[] = {{-60, 64}, {0, 64}, {160, 96}, {320, 128}, {480, 160}, {639, 191}, {640, 191}};
    for (auto [x, pan] : cases)
        EXPECT_EQ(PanAt(x), pan) << x;
}

// Every effect plays at the Setup's sound volume, 255 at most; the music's leaves it.
TEST(VolumeTest, EffectsPlayAtTheSoundVolume)
{
    for (auto [sound, music, heard] : {std::tuple{100, -1, 100}, {300, -1, 255}, {-1, 50, 255}}) {
        SetVolumes(sound, music);
        EXPECT_EQ(SoundVolume(), heard) << sound << ", " << music;
    }
}

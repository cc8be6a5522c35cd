// The setup screen: stepping, volume previews, Default / Accept / Cancel / ESC and the file.
#include "data/datafile.h"
#include "app/globals.h"
#include "screens/setup.h"
#include "world/player.h"
#include "support/fake_data.h"
#include "support/pixels.h"
#include "support/sound_log.h"
#include "support/temp_dir.h"
#include <gtest/gtest.h>

static const std::string DEFAULT_BYTES("\x00\x00\x00\x00\x7f\x00\x00\x00\x7f\x00\x00\x00", 12);

static std::string SettingsBytes(int control, int sound, int music)
{
    std::string bytes;
    for (int v : {control, sound, music})
        for (int i = 0; i < 4; i++)
            bytes += static_cast<char>((static_cast<unsigned>(v) >> (8 * i)) & 0xFF);
    return bytes;
}

class SetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeData();
        LetGoOfEverything();
        g_Settings = DEFAULT_SETTINGS;
        dir.WriteFile("config.dat", DEFAULT_BYTES);
        SetupReset(setup);
    }
    void TearDown() override { LetGoOfEverything(); }

    // A tap: down and up again between two steps.
    void Press(int k)
    {
        PressKey(k);
        ReleaseKey(k);
        SetupStep(setup);
    }
    void Press(int k, int times)
    {
        for (int i = 0; i < times; i++)
            Press(k);
    }
    void StartWith(const GameSettings& s)
    {
        g_Settings = s;
        SetupReset(setup);
    }

    TempDir dir;
    SoundLog sounds;
    SetupState setup;
};

TEST_F(SetupTest, OpensOnAcceptAndEnterSavesTheUnchangedSettings)
{
    StartWith({1, 57, 203});
    EXPECT_EQ(setup.row, ROW_BUTTONS);
    EXPECT_EQ(setup.button, BUTTON_ACCEPT);
    Press(KEY_ENTER);
    EXPECT_TRUE(setup.done);
    EXPECT_EQ(dir.ReadFile("config.dat"), SettingsBytes(1, 57, 203));
    EXPECT_EQ(sounds.Samples(), std::vector<int>{SND_SELECT});
}

TEST_F(SetupTest, SoundVolumeStepsByTenKeepingTheRemainderAndClampsAtTheEnds)
{
    Press(KEY_UP, 3);
    ASSERT_EQ(setup.row, ROW_SOUND);
    Press(KEY_RIGHT);
    EXPECT_EQ(setup.working.soundVolume, 137);
    Press(KEY_RIGHT, 11);
    EXPECT_EQ(setup.working.soundVolume, 247);
    Press(KEY_RIGHT);
    EXPECT_EQ(setup.working.soundVolume, 255);

    SetupReset(setup);
    Press(KEY_UP, 3);
    Press(KEY_LEFT, 12);
    EXPECT_EQ(setup.working.soundVolume, 7);
    Press(KEY_LEFT);
    EXPECT_EQ(setup.working.soundVolume, 0);
    EXPECT_EQ(g_Settings.soundVolume, 127) << "only Accept commits the working copy";
}

TEST_F(SetupTest, EachSoundVolumeChangeIsAppliedAndPreviewedFromTheStart)
{
    Press(KEY_UP, 3);
    sounds.Clear();
    Press(KEY_LEFT);
    const auto& e = sounds.Events();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].event, SoundEvent::Volume);
    EXPECT_EQ(e[0].a, 117);
    EXPECT_EQ(e[0].b, -1) << "the music volume is left alone";
    EXPECT_EQ(e[1].event, SoundEvent::StopSample);
    EXPECT_EQ(e[1].a, SND_BACK);
    EXPECT_EQ(e[2].event, SoundEvent::Sample);
    EXPECT_EQ(e[2].a, SND_BACK);
}

TEST_F(SetupTest, MusicVolumeIsAppliedWithoutAPreviewSample)
{
    Press(KEY_UP, 2);
    ASSERT_EQ(setup.row, ROW_MUSIC);
    Press(KEY_RIGHT);
    EXPECT_EQ(setup.working.musicVolume, 137);
    ASSERT_EQ(sounds.Events().size(), 1u);
    EXPECT_EQ(sounds.Events()[0].event, SoundEvent::Volume);
    EXPECT_EQ(sounds.Events()[0].a, -1);
    EXPECT_EQ(sounds.Events()[0].b, 137);
}

TEST_F(SetupTest, VolumeAtItsEndPlaysNothing)
{
    StartWith({0, 255, 0});
    Press(KEY_UP, 3);
    Press(KEY_RIGHT, 3);
    Press(KEY_DOWN);
    Press(KEY_LEFT, 3);
    EXPECT_EQ(setup.working.soundVolume, 255);
    EXPECT_EQ(setup.working.musicVolume, 0);
    EXPECT_TRUE(sounds.Events().empty());
}

TEST_F(SetupTest, DefaultThenEscapeKeepsSettingsAndFileButLeavesDefaultVolumesApplied)
{
    StartWith({1, 37, 211});
    dir.WriteFile("config.dat", SettingsBytes(1, 37, 211));
    Press(KEY_LEFT);
    ASSERT_EQ(setup.button, BUTTON_DEFAULT);
    Press(KEY_ENTER);
    EXPECT_FALSE(setup.done) << "Default keeps the screen open";
    EXPECT_EQ(setup.working.control, 0);
    EXPECT_EQ(setup.working.soundVolume, 127);
    EXPECT_EQ(setup.working.musicVolume, 127);
    Press(KEY_ESC);
    EXPECT_TRUE(setup.done);
    EXPECT_EQ(g_Settings.control, 1);
    EXPECT_EQ(g_Settings.soundVolume, 37);
    EXPECT_EQ(g_Settings.musicVolume, 211);
    EXPECT_EQ(dir.ReadFile("config.dat"), SettingsBytes(1, 37, 211));
    const PlayedSound& last = sounds.Events().back();
    EXPECT_EQ(last.event, SoundEvent::Volume);
    EXPECT_EQ(last.a, 127);
    EXPECT_EQ(last.b, 127);
}

TEST_F(SetupTest, DefaultThenAcceptSavesTheDefaults)
{
    StartWith({1, 37, 211});
    Press(KEY_LEFT);
    Press(KEY_ENTER);
    Press(KEY_RIGHT);
    Press(KEY_ENTER);
    EXPECT_TRUE(setup.done);
    EXPECT_EQ(dir.ReadFile("config.dat"), DEFAULT_BYTES);
    EXPECT_EQ(g_Settings.soundVolume, 127);
}

TEST_F(SetupTest, CancelRestoresTheVolumesOfTheSettings)
{
    StartWith({0, 40, 90});
    Press(KEY_UP, 3);
    Press(KEY_RIGHT);
    Press(KEY_DOWN, 3);
    Press(KEY_RIGHT);
    ASSERT_EQ(setup.button, BUTTON_CANCEL);
    Press(KEY_RIGHT);
    EXPECT_EQ(setup.button, BUTTON_CANCEL) << "Right stops at Cancel";
    Press(KEY_ENTER);
    EXPECT_TRUE(setup.done);
    EXPECT_EQ(g_Settings.soundVolume, 40);
    const PlayedSound& last = sounds.Events().back();
    EXPECT_EQ(last.event, SoundEvent::Volume);
    EXPECT_EQ(last.a, 40);
    EXPECT_EQ(last.b, 90);
    EXPECT_EQ(dir.ReadFile("config.dat"), DEFAULT_BYTES) << "Cancel writes nothing";
}

TEST_F(SetupTest, EnterOnASettingRowDoesNothing)
{
    for (int row = 1; row <= 3; row++) {
        Press(KEY_UP);
        Press(KEY_ENTER);
    }
    Press(KEY_UP);
    EXPECT_EQ(setup.row, ROW_CONTROLS);
    Press(KEY_UP);
    EXPECT_EQ(setup.row, ROW_CONTROLS) << "Up stops at Controls";
    EXPECT_FALSE(setup.done);
    EXPECT_TRUE(sounds.Events().empty());
    EXPECT_EQ(dir.ReadFile("config.dat"), DEFAULT_BYTES);
}

TEST_F(SetupTest, ControlsStepBetweenKeyboardAndJoystickOnly)
{
    Press(KEY_UP, 4);
    Press(KEY_LEFT);
    EXPECT_EQ(setup.working.control, 0);
    Press(KEY_RIGHT);
    EXPECT_EQ(setup.working.control, 1);
    Press(KEY_RIGHT);
    EXPECT_EQ(setup.working.control, 1) << "Mouse is never offered";
    EXPECT_EQ(sounds.Samples(), std::vector<int>{SND_MOVE});
}

TEST_F(SetupTest, MouseFromTheFileIsShownKeptByAcceptAndLeftGivesJoystick)
{
    StartWith({2, 127, 127});
    EXPECT_STREQ(ControlName(setup.working.control), "Mouse");
    Press(KEY_ENTER);
    EXPECT_EQ(dir.ReadFile("config.dat"), SettingsBytes(2, 127, 127));

    SetupReset(setup);
    Press(KEY_UP, 4);
    Press(KEY_LEFT);
    EXPECT_EQ(setup.working.control, 1);
    EXPECT_STREQ(ControlName(setup.working.control), "Joystick (none found)");
}

TEST_F(SetupTest, UnknownControlCodeShowsKeyboardAndStepsLikeIt)
{
    EXPECT_STREQ(ControlName(0), "Keyboard");
    EXPECT_STREQ(ControlName(7), "Keyboard");
    EXPECT_STREQ(ControlName(-3), "Keyboard");
    StartWith({7, 127, 127});
    Press(KEY_UP, 4);
    Press(KEY_LEFT);
    EXPECT_EQ(setup.working.control, 7) << "Left from what is shown as Keyboard does nothing";
    Press(KEY_RIGHT);
    EXPECT_EQ(setup.working.control, 1);
}

TEST_F(SetupTest, AHeldKeyStepsOnceThenEvery110MsAfterTheFirst300)
{
    StartWith({0, 0, 127});
    Press(KEY_UP, 3);
    PressKey(KEY_RIGHT);
    for (int ms = 0; ms < 1000; ms += PERIOD_FAST_SCREEN)
        SetupStep(setup);
    ReleaseKey(KEY_RIGHT);
    SetupStep(setup);
    const int steps = setup.working.soundVolume / VOLUME_STEP;
    EXPECT_TRUE(steps == 7 || steps == 8) << steps << " steps in one second";
}

TEST_F(SetupTest, JoystickWorksTheScreenAndIsNamedOnlyWhenFound)
{
    EXPECT_STREQ(ControlName(CONTROL_JOYSTICK), "Joystick (none found)");
    PlugJoystick();
    EXPECT_STREQ(ControlName(CONTROL_JOYSTICK), "Joystick");
    SetupReset(setup);
    auto flick = [&](int& input) {
        input = 1;
        SetupStep(setup);
        input = 0;
        SetupStep(setup);
    };
    JOYSTICK_STICK_INFO& stick = joy[0].stick[0];
    flick(stick.axis[1].d1);  // up: Speed
    flick(stick.axis[1].d1);  // up: Music volume
    flick(stick.axis[0].d2);  // right
    EXPECT_EQ(setup.working.musicVolume, 137);
    flick(stick.axis[1].d2);  // down: Speed
    flick(stick.axis[1].d2);  // down: the buttons
    flick(stick.axis[0].d1);  // left: Default
    flick(joy[0].button[0].b);
    EXPECT_EQ(setup.working.musicVolume, 127);
    flick(joy[0].button[1].b);
    EXPECT_TRUE(setup.done);
    EXPECT_EQ(dir.ReadFile("config.dat"), DEFAULT_BYTES) << "the second button is ESC";
}

TEST_F(SetupTest, VolumeBarHasOneStrokePerTenAndOneMoreWithinItsBounds)
{
    EXPECT_EQ(VolumeBar(0), "|");
    EXPECT_EQ(VolumeBar(9), "|");
    EXPECT_EQ(VolumeBar(127).size(), 13u);
    EXPECT_EQ(VolumeBar(255).size(), 26u);
    EXPECT_EQ(VolumeBar(-500).size(), 1u);
    EXPECT_EQ(VolumeBar(2000000000).size(), 26u) << "a hand-edited file must not build a huge bar";
}

TEST_F(SetupTest, FocusedValueAndShownButtonAreRed)
{
    BITMAP* page = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    const int red = makecol(255, 0, 0);
    SetupDraw(setup, page);
    // Accept is shown pressed at y 405; no value is red.
    EXPECT_GT(CountColour(page, 280, 400, 80, 15, red), 20);
    EXPECT_EQ(CountColour(page, 330, 140, 300, 200, red), 0);
    Press(KEY_UP, 3);
    SetupDraw(setup, page);
    EXPECT_EQ(CountColour(page, 0, 395, 640, 30, red), 0) << "no button looks selected";
    EXPECT_GT(CountColour(page, 330, 215, 300, 15, red), 20) << "the sound bar at y 220";
    destroy_bitmap(page);
}

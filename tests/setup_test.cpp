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

// Key taps from the screen's opening (U D L R, E for Enter, X for ESC) and what
// they leave: the working copy, whether the screen closed, the settings in
// play, what config.dat holds, and the volumes last applied (-2 when none).
TEST_F(SetupTest, TapsWorkTheRowsAndTheButtons)
{
    const GameSettings D = DEFAULT_SETTINGS;
    struct Case {
        const char* what;
        GameSettings start;
        const char* keys;
        GameSettings working;
        bool done;
        GameSettings kept, file;
        int lastSound, lastMusic;
    };
    const Case cases[] = {
        {"opens on Accept", {1, 57, 203}, "E", {1, 57, 203}, true, {1, 57, 203}, {1, 57, 203}, -2, -2},
        {"sound by ten", D, "UUR", {0, 137, 127}, false, D, D, 137, -1},
        {"sound up to 255", D, "UURRRRRRRRRRRRR", {0, 255, 127}, false, D, D, 255, -1},
        {"sound down to 0", D, "UULLLLLLLLLLLLLL", {0, 0, 127}, false, D, D, 0, -1},
        {"music by ten", D, "UR", {0, 127, 137}, false, D, D, -1, 137},
        {"at the end nothing", {0, 255, 0}, "UURRRDLLL", {0, 255, 0}, false, {0, 255, 0}, D, -2, -2},
        {"Default then ESC", {1, 37, 211}, "LEX", D, true, {1, 37, 211}, D, 127, 127},
        {"Default then Accept", {1, 37, 211}, "LERE", D, true, D, D, 127, 127},
        {"Cancel", {0, 40, 90}, "UURDDRRRE", {0, 50, 90}, true, {0, 40, 90}, D, 40, 90},
        {"Enter on a row", D, "UEUEUEUE", D, false, D, D, -2, -2},
        {"no mouse offered", D, "UUULRR", {1, 127, 127}, false, D, D, -2, -2},
        {"mouse kept", {2, 127, 127}, "E", {2, 127, 127}, true, {2, 127, 127}, {2, 127, 127}, -2, -2},
        {"mouse then Left", {2, 127, 127}, "UUUL", {1, 127, 127}, false, {2, 127, 127}, D, -2, -2},
        {"unknown code, Left", {7, 127, 127}, "UUUL", {7, 127, 127}, false, {7, 127, 127}, D, -2, -2},
        {"unknown code, Right", {7, 127, 127}, "UUUR", {1, 127, 127}, false, {7, 127, 127}, D, -2, -2},
    };
    const int KEYS[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_ENTER, KEY_ESC};
    auto bytes = [](const GameSettings& s) { return SettingsBytes(s.control, s.soundVolume, s.musicVolume); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dir.WriteFile("config.dat", DEFAULT_BYTES);
        StartWith(c.start);
        sounds.Clear();
        for (const char* k = c.keys; *k; k++)
            Press(KEYS[std::string("UDLREX").find(*k)]);
        EXPECT_EQ(bytes(setup.working), bytes(c.working));
        EXPECT_EQ(setup.done, c.done);
        EXPECT_EQ(bytes(g_Settings), bytes(c.kept));
        EXPECT_EQ(dir.ReadFile("config.dat"), bytes(c.file));
        int sound = -2, music = -2;
        for (const PlayedSound& e : sounds.Events())
            if (e.event == SoundEvent::Volume)
                sound = e.a, music = e.b;
        EXPECT_EQ(sound, c.lastSound);
        EXPECT_EQ(music, c.lastMusic);
    }
}

// A sound volume is heard at once: applied, the preview started afresh.
TEST_F(SetupTest, EachSoundVolumeChangeIsPreviewedFromTheStart)
{
    Press(KEY_UP, 2);
    sounds.Clear();
    Press(KEY_LEFT);
    const auto& e = sounds.Events();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].event, SoundEvent::Volume);
    EXPECT_EQ(e[1].event, SoundEvent::StopSample);
    EXPECT_EQ(e[1].a, SND_BACK);
    EXPECT_EQ(e[2].event, SoundEvent::Sample);
    EXPECT_EQ(e[2].a, SND_BACK);
}

TEST_F(SetupTest, AHeldKeyStepsOnceThenEvery110MsAfterTheFirst300)
{
    StartWith({0, 0, 127});
    Press(KEY_UP, 2);
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
    EXPECT_STREQ(ControlName(7), "Keyboard") << "a code the game does not know";
    EXPECT_STREQ(ControlName(CONTROL_MOUSE), "Mouse");
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
    flick(stick.axis[1].d1);  // up: Music volume
    flick(stick.axis[0].d2);  // right
    EXPECT_EQ(setup.working.musicVolume, 137);
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
    Press(KEY_UP, 2);
    SetupDraw(setup, page);
    EXPECT_EQ(CountColour(page, 0, 395, 640, 30, red), 0) << "no button looks selected";
    EXPECT_GT(CountColour(page, 330, 215, 300, 15, red), 20) << "the sound bar at y 220";
    destroy_bitmap(page);
}

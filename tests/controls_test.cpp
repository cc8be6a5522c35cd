// The player's controls: bindings and their file lines, the pads found as the
// menu opens and lost in play, and the relaxed speed.
#include "app/loop.h"
#include "game/game.h"
#include "game/game_state.h"
#include "platform/frame_clock.h"
#include "screens/menu.h"
#include "screens/screens.h"
#include "screens/setup.h"
#include "settings/control_settings.h"
#include "settings/display_settings.h"
#include "platform/headless.h"
#include "support/keyboard.h"
#include "support/simulated_clock.h"
#include "support/temp_dir.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

struct ControlsTest : testing::Test {
    void SetUp() override
    {
        StartHeadlessAllegro();
        g_Controls = DEFAULT_CONTROLS;
    }
    void TearDown() override
    {
        g_Controls = DEFAULT_CONTROLS;
        UnplugJoystick();
    }
};

TEST_F(ControlsTest, ABoundKeySwapsWithTheControlThatHadItAndDefaultRestores)
{
    ControlSettings c = DEFAULT_CONTROLS;
    BindKeySwapping(c, BOUND_UP, KEY_P);
    EXPECT_EQ(c.keys[BOUND_UP], KEY_P);
    EXPECT_EQ(c.keys[BOUND_PAUSE], KEY_UP) << "Pause takes the key Up had";
    BindButtonSwapping(c, PAD_ENTER, 2);
    EXPECT_EQ(c.padButtons[PAD_BACK], 1);
    EXPECT_FALSE(BindableKey(KEY_ESC) || BindableKey(KEY_F11) || BindableKey(KEY_ALT));
    // Default on the Keys page brings back the arrows, P, S, M.
    SetupState setup;
    SetupReset(setup);
    setup.controls = c;
    setup.page = PAGE_KEYS;
    setup.pick = BOUND_KEY_COUNT;
    PressKey(KEY_ENTER);
    SetupStep(setup);
    ReleaseKey(KEY_ENTER);
    EXPECT_TRUE(std::equal(setup.controls.keys, setup.controls.keys + BOUND_KEY_COUNT, DEFAULT_CONTROLS.keys));
    EXPECT_EQ(setup.controls.padButtons[PAD_ENTER], 2) << "the pad's buttons are another page's";
}

TEST_F(ControlsTest, BadLinesOfPeskoCfgKeepTheirDefaultsAndTheRestIsTaken)
{
    TempDir dir;
    const std::string path = dir.Path() + "/pesko.cfg";
    const char* text = "fullscreen = yes\nkey_up = W\nkey_down = nonsense\nkey_left = W\nkey_pause = ESC\n"
                       "pad_sound = 7\npad_music = 40\nspeed = 1000\n";
    dir.WriteFile("pesko.cfg", text);
    ControlSettings c = DEFAULT_CONTROLS;
    testing::internal::CaptureStderr();
    ReadControlSettings(path, c, 8);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 5) << said;
    const int keys[BOUND_KEY_COUNT] = {KEY_W, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_P, KEY_S, KEY_M};
    EXPECT_TRUE(std::equal(keys, keys + BOUND_KEY_COUNT, c.keys));
    EXPECT_EQ(c.padButtons[PAD_SOUND], 7);
    EXPECT_EQ(c.padButtons[PAD_MUSIC], DEFAULT_CONTROLS.padButtons[PAD_MUSIC]) << "the pad has 8 buttons";
    EXPECT_EQ(c.speed, FULL_SPEED);
    for (const char* speed : {"speed = 0\n", "speed = 70\n"}) {
        dir.WriteFile("pesko.cfg", speed);
        c = DEFAULT_CONTROLS;
        testing::internal::CaptureStderr();
        ReadControlSettings(path, c, 0);
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(c.speed, speed[8] == '7' ? 70 : FULL_SPEED) << speed;
    }
}

TEST_F(ControlsTest, AReboundUpSteersAndTheArrowNoLonger)
{
    g_Controls.keys[BOUND_UP] = KEY_W;
    key[KEY_W] = 1;
    EXPECT_TRUE(ReadHeldDirections(CONTROL_KEYBOARD, 320, 240).up);
    key[KEY_W] = 0;
    key[KEY_UP] = 1;
    EXPECT_FALSE(ReadHeldDirections(CONTROL_KEYBOARD, 320, 240).up);
    key[KEY_UP] = 0;
}

bool s_PadPlugged = false;
bool s_PadGone = false;

TEST_F(ControlsTest, APadPluggedInBetweenTwoMenusIsFoundAndOneUnpluggedPausesTheGame)
{
    UsePadSystem({[] { s_PadPlugged ? PlugJoystick() : UnplugJoystick(); }, [] { return s_PadGone; }});
    MenuState menu;
    MenuReset(menu, MENU_PLAY);
    EXPECT_STREQ(ControlName(CONTROL_JOYSTICK), "Joystick (none found)");
    EXPECT_STREQ(ControlName(-3), "Keyboard");
    EXPECT_STREQ(ControlName(CONTROL_MOUSE), "Mouse");
    s_PadPlugged = true;
    MenuReset(menu, MENU_PLAY);
    EXPECT_STREQ(ControlName(CONTROL_JOYSTICK), "Joystick");

    g_Settings.control = CONTROL_JOYSTICK;
    EXPECT_FALSE(ReadStepInput().focusLost);
    s_PadGone = true;
    s_PadPlugged = false;
    EXPECT_TRUE(ReadStepInput().focusLost) << "the game pauses as on focus loss";
    EXPECT_FALSE(JoystickInstalled()) << "the pad that left is let go";
    g_Settings.control = CONTROL_KEYBOARD;
    s_PadGone = false;
}

// Every screen reads the pad alike: the stick's four ways are the arrows, the
// first button Enter, the second ESC, the third P.
TEST_F(ControlsTest, EachPadInputActsAsItsControl)
{
    PlugJoystick();
    JOYSTICK_STICK_INFO& stick = joy[0].stick[0];
    const std::pair<int*, int> inputs[] = {
        {&stick.axis[1].d1, INPUT_UP}, {&stick.axis[1].d2, INPUT_DOWN}, {&stick.axis[0].d1, INPUT_LEFT},
        {&stick.axis[0].d2, INPUT_RIGHT}, {&joy[0].button[0].b, INPUT_ENTER}, {&joy[0].button[1].b, INPUT_ESC},
        {&joy[0].button[2].b, INPUT_PAUSE}};
    for (auto [input, control] : inputs) {
        PressReader reader;
        reader.Open(10, 50);
        *input = 1;
        reader.Step();
        *input = 0;
        for (int c = 0; c < INPUT_COUNT; c++)
            EXPECT_EQ(reader.Acts(InputControl(c)), c == control) << "control " << control << ", read " << c;
    }
}

TEST_F(ControlsTest, TheGameStepsAtItsShareOfTwentyASecond)
{
    const int table[][2] = {{100, 200}, {85, 170}, {70, 140}, {55, 110}};
    for (const auto& row : table) {
        ScreenLoop loop = GameLoop(row[0]);
        loop.music = NO_MUSIC;
        loop.framesBetweenSteps = false;  // headless: the simulated timer feeds the steps
        SimulatedTime::Running clock(TickPeriodNanos(loop));
        int steps = 0;
        RunScreen(loop, {[&] { steps++; }, [](BITMAP*, float) {},
                         [] { return SimulatedTime::now >= 10 * NANOS_PER_SECOND; }, nullptr, nullptr});
        EXPECT_NEAR(steps, row[1], 1) << row[0] << " %";
    }
}

}  // namespace

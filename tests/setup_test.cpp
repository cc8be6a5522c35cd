// The setup screen: stepping, volume previews, Default / Accept / Cancel / ESC and the file.
#include "data/datafile.h"
#include "app/globals.h"
#include "screens/setup.h"
#include "world/player.h"
#include "support/screen_test.h"
#include "support/pixels.h"
#include "support/sound_log.h"
#include "support/temp_dir.h"
#include <gtest/gtest.h>
#include <cctype>

static std::string SettingsBytes(int control, int sound, int music)
{
    std::string bytes;
    for (int v : {control, sound, music})
        for (int i = 0; i < 4; i++)
            bytes += static_cast<char>((static_cast<unsigned>(v) >> (8 * i)) & 0xFF);
    return bytes;
}

static const std::string DEFAULT_BYTES = SettingsBytes(0, 127, 127);

class SetupTest : public ScreenTest {
protected:
    void SetUp() override
    {
        dir.WriteFile("config.dat", DEFAULT_BYTES);
        StartWith(DEFAULT_SETTINGS);
    }

    // Taps the keys named by letters (Up, Down, Left, Right, Enter, X for ESC),
    // each down and up again between two steps; a number after one repeats it.
    void Type(const std::string& keys)
    {
        for (size_t i = 0; i < keys.size(); i++) {
            const int k = std::string("UDLREX").find(keys[i]);
            const int code[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_ENTER, KEY_ESC};
            int times = 1;
            if (i + 1 < keys.size() && isdigit(keys[i + 1]))
                times = std::stoi(keys.substr(i + 1)), i += std::to_string(times).size();
            for (int t = 0; t < times; t++) {
                PressKey(code[k]);
                ReleaseKey(code[k]);
                SetupStep(setup);
            }
        }
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

static std::vector<int> Of(const GameSettings& s)
{
    return {s.control, s.soundVolume, s.musicVolume};
}

// Keys typed from given settings: what the screen shows, whether it is done,
// the settings kept and config.dat after it. It opens on Accept.
TEST_F(SetupTest, KeysStepTheRowsAndTheButtonsDecideWhatIsKept)
{
    const GameSettings start = DEFAULT_SETTINGS, mine = {1, 37, 211};
    const struct Case {
        const char* what;
        GameSettings from;
        const char* keys;
        GameSettings shown;
        bool done;
        GameSettings kept;
        std::string file;
    } cases[] = {
        {"Accept keeps", {1, 57, 203}, "E", {1, 57, 203}, true, {1, 57, 203}, SettingsBytes(1, 57, 203)},
        {"sound steps by ten", start, "U3R", {0, 137, 127}, false, start, DEFAULT_BYTES},
        {"sound stops at 255", start, "U3R13", {0, 255, 127}, false, start, DEFAULT_BYTES},
        {"sound stops at 0", start, "U3L13", {0, 0, 127}, false, start, DEFAULT_BYTES},
        {"music steps by ten", start, "U2RD2E", {0, 127, 137}, true, {0, 127, 137}, SettingsBytes(0, 127, 137)},
        {"no mouse offered", start, "U4LRR", {1, 127, 127}, false, start, DEFAULT_BYTES},
        {"a mouse is kept", {2, 127, 127}, "E", {2, 127, 127}, true, {2, 127, 127}, SettingsBytes(2, 127, 127)},
        {"left of the mouse", {2, 127, 127}, "U4L", {1, 127, 127}, false, {2, 127, 127}, DEFAULT_BYTES},
        {"unknown as keyboard", {7, 127, 127}, "U4L", {7, 127, 127}, false, {7, 127, 127}, DEFAULT_BYTES},
        {"unknown, then right", {7, 127, 127}, "U4LR", {1, 127, 127}, false, {7, 127, 127}, DEFAULT_BYTES},
        {"Default, then ESC", mine, "LEX", start, true, mine, DEFAULT_BYTES},
        {"Default, then Accept", mine, "LERE", start, true, start, DEFAULT_BYTES},
        {"Cancel, Right stops", {0, 40, 90}, "U3RD3RRE", {0, 50, 90}, true, {0, 40, 90}, DEFAULT_BYTES},
        {"Enter on rows, Up stops", start, "UEUEUEU2", start, false, start, DEFAULT_BYTES},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dir.WriteFile("config.dat", DEFAULT_BYTES);
        StartWith(c.from);
        Type(c.keys);
        EXPECT_EQ(Of(setup.working), Of(c.shown));
        EXPECT_EQ(setup.done, c.done);
        EXPECT_EQ(Of(g_Settings), Of(c.kept));
        EXPECT_EQ(dir.ReadFile("config.dat"), c.file);
    }
    EXPECT_EQ(setup.row, ROW_CONTROLS);
}

// What a change plays: sound volume is applied and previewed from the start,
// music's is applied alone, a volume at its end and Enter on a row play
// nothing; ESC leaves the volumes of Default applied, Cancel puts back those of
// the settings.
TEST_F(SetupTest, EachChangeIsHeardAsItIsMade)
{
    const struct Case {
        GameSettings from;
        const char* keys;
        std::vector<int> samples;
        int volumeEvents, sound, music;  // the last volume applied
    } cases[] = {
        {DEFAULT_SETTINGS, "U3L", {SND_BACK}, 1, 117, -1},
        {DEFAULT_SETTINGS, "U2R", {}, 1, -1, 137},
        {{0, 255, 0}, "U3R3DL3", {}, 0, 0, 0},
        {DEFAULT_SETTINGS, "UEUEUEUU", {}, 0, 0, 0},
        {{1, 37, 211}, "LEX", {SND_SELECT}, 1, 127, 127},
        {{0, 40, 90}, "U3RD3RRE", {SND_BACK, SND_SELECT}, 2, 40, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        StartWith(c.from);
        sounds.Clear();
        Type(c.keys);
        std::vector<int> samples;
        int volumeEvents = 0, sound = 0, music = 0;
        for (const PlayedSound& e : sounds.Events()) {
            if (e.event == SoundEvent::Volume)
                volumeEvents++, sound = e.a, music = e.b;
            if (e.event == SoundEvent::Sample && e.a != SND_MOVE)
                samples.push_back(e.a);
        }
        EXPECT_EQ(samples, c.samples);
        EXPECT_EQ(volumeEvents, c.volumeEvents);
        EXPECT_EQ(sound, c.sound);
        EXPECT_EQ(music, c.music);
    }
    // The preview starts again from the beginning.
    StartWith(DEFAULT_SETTINGS);
    Type("U3");
    sounds.Clear();
    Type("L");
    ASSERT_EQ(sounds.Events().size(), 3u);
    EXPECT_EQ(sounds.Events()[1].event, SoundEvent::StopSample);
}

TEST_F(SetupTest, VolumeBarHasOneStrokePerTenAndOneMoreWithinItsBounds)
{
    const std::pair<int, size_t> cases[] = {{0, 1}, {9, 1}, {127, 13}, {255, 26}, {-500, 1}, {2000000000, 26}};
    for (auto [volume, strokes] : cases)
        EXPECT_EQ(VolumeBar(volume), std::string(strokes, '|')) << volume;
}

TEST_F(SetupTest, FocusedValueAndShownButtonAreRed)
{
    Picture page(SCREEN_WIDTH, SCREEN_HEIGHT);
    const int red = makecol(255, 0, 0);
    SetupDraw(setup, page);
    // Accept is shown pressed at y 405; no value is red.
    EXPECT_GT(CountColour(page, 280, 400, 80, 15, red), 20);
    EXPECT_EQ(CountColour(page, 330, 140, 300, 200, red), 0);
    Type("U3");
    SetupDraw(setup, page);
    EXPECT_EQ(CountColour(page, 0, 395, 640, 30, red), 0) << "no button looks selected";
    EXPECT_GT(CountColour(page, 330, 215, 300, 15, red), 20) << "the sound bar at y 220";
}

// The shared pieces of every screen: page flipping, the tick counter, the
// fixed-step loop and the check of data.dat.
#include "app/audio.h"
#include "app/datafile.h"
#include "app/globals.h"
#include "app/loop.h"
#include "support/fake_data.h"
#include "support/headless.h"
#include "support/temp_dir.h"
#include <fstream>
#include <iterator>
#include <algorithm>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

TEST(PagesTest, FlipAlternatesTheBackBuffer)
{
    InitHeadlessAllegro();
    g_Page1 = create_bitmap(640, 480);
    g_Page2 = create_bitmap(640, 480);
    g_BackBuffer = g_Page1;
    FlipPages();
    EXPECT_EQ(g_BackBuffer, g_Page2);
    FlipPages();
    EXPECT_EQ(g_BackBuffer, g_Page1);
    destroy_bitmap(g_Page1);
    destroy_bitmap(g_Page2);
    g_Page1 = g_Page2 = g_BackBuffer = nullptr;
}

TEST(TicksTest, NoTickIsLostBetweenTheTimerAndTheLoop)
{
    g_Ticks = 0;
    constexpr int PER_THREAD = 200000;
    std::thread timer([] {
        for (int i = 0; i < PER_THREAD; i++)
            TimerTick();
    });
    int consumed = 0;
    while (consumed < PER_THREAD) {
        if (g_Ticks > 0) {
            g_Ticks--;
            consumed++;
        }
    }
    timer.join();
    EXPECT_EQ(g_Ticks, 0);
}

TEST(LoopTest, PendingTicksAllRunBeforeTheNextFrame)
{
    g_Ticks = 5;
    std::vector<std::string> order;
    int frames = 0;
    RunFrames([&] { order.push_back("step"); }, [&] {
        order.push_back("frame");
        if (++frames < 3)
            g_Ticks += 3;  // drawing took three periods
        return frames == 3;
    });
    ASSERT_EQ(order.size(), 5u + 3u + 3u + 3u);
    EXPECT_EQ(std::count(order.begin(), order.begin() + 6, "step"), 5);
    EXPECT_EQ(order[5], "frame");
    EXPECT_EQ(order.back(), "frame");
    EXPECT_EQ(g_Ticks, 0);
}

// A copy of the stand-in datafile that a test may damage.
class DatafileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseFakeData();
        std::copy(g_Data, g_Data + DATA_OBJECT_COUNT + 1, copy);
    }
    DATAFILE copy[DATA_OBJECT_COUNT + 1];
};

TEST_F(DatafileTest, FakeDataPassesTheCheck)
{
    EXPECT_EQ(CheckDatafile(copy), "");
}

TEST_F(DatafileTest, WrongKindIsNamedWithItsNumber)
{
    copy[BMP_MENU].type = DAT_SAMPLE;
    EXPECT_EQ(CheckDatafile(copy), "data.dat: object #22 must be a bitmap\n");
    copy[BMP_MENU].type = DAT_BITMAP;
    copy[FNT_MENU].type = DAT_BITMAP;
    EXPECT_EQ(CheckDatafile(copy), "data.dat: object #34 must be a font\n");
}

TEST_F(DatafileTest, ObjectSevenMayBeAnything)
{
    copy[DATA_UNUSED_7].type = DAT_FONT;
    EXPECT_EQ(CheckDatafile(copy), "");
}

TEST_F(DatafileTest, MissingObjectsOrNoFileGiveTheLoadMessage)
{
    copy[30].type = DAT_END;
    const std::string loadMessage = "Not enough system memory to load a sound data\n";
    EXPECT_EQ(CheckDatafile(copy), loadMessage);
    EXPECT_EQ(CheckDatafile(nullptr), loadMessage);
}

TEST_F(DatafileTest, TypedAccessRefusesTheWrongKind)
{
    EXPECT_NE(DataBitmap(BMP_MENU), nullptr);
    EXPECT_EQ(DataSample(BMP_MENU), nullptr);
    EXPECT_EQ(DataFont(DATA_OBJECT_COUNT), nullptr);
}

// Allegro's loader crashes on a cut datafile, so start-up walks it first.
class WholeDatafileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitHeadlessAllegro();
        std::ifstream in(PESKO_DATA_DIR "/data.dat", std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
        ASSERT_GT(bytes.size(), 1000u) << "the build makes data.dat";
    }
    bool WholeWithFirst(size_t n)
    {
        dir.WriteFile("data.dat", bytes.substr(0, n));
        return DatafileIsWhole("data.dat");
    }
    std::string bytes;
    TempDir dir;
};

TEST_F(WholeDatafileTest, TheGamesOwnDataIsWhole)
{
    EXPECT_TRUE(WholeWithFirst(bytes.size()));
    DATAFILE* data = load_datafile("data.dat");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(CheckDatafile(data), "");
    unload_datafile(data);
}

TEST_F(WholeDatafileTest, EveryCutIsRefused)
{
    for (size_t n : {size_t{0}, size_t{3}, size_t{4}, size_t{8}, size_t{12}, size_t{100}, size_t{4096},
                     bytes.size() / 3, bytes.size() / 2, bytes.size() - 100, bytes.size() - 1})
        EXPECT_FALSE(WholeWithFirst(n)) << "first " << n << " bytes";
}

TEST_F(WholeDatafileTest, MissingOrForeignFilesAreRefused)
{
    EXPECT_FALSE(DatafileIsWhole("no-such-file.dat"));
    dir.WriteFile("data.dat", "RIFF and nothing else that Allegro knows");
    EXPECT_FALSE(DatafileIsWhole("data.dat"));
}

// World sounds stay within the middle half of the stereo field: a crash at the
// left edge still reaches the right speaker.
TEST(PanTest, ScreenWidthMapsOntoTheMiddleHalfOfTheField)
{
    EXPECT_EQ(PanAt(0), 64);
    EXPECT_EQ(PanAt(639), 191);
    EXPECT_NEAR(PanAt(320), PAN_CENTRE, 1);
    // Objects just off either edge are held at its side.
    EXPECT_EQ(PanAt(-60), 64);
    EXPECT_EQ(PanAt(640), 191);
}

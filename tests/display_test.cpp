// The window fitted to the desktop, the command line, the whole-pixel scaler,
// the mouse mapped back into the picture and pesko.cfg.
#include "settings/display_settings.h"
#include "files/options.h"
#include "platform/scaling.h"
#include "support/pixels.h"
#include "support/temp_dir.h"
#include <gtest/gtest.h>
#include <random>
#include <vector>

TEST(WindowFactorTest, LargestWholeFactorThatLeavesRoomOnTheDesktop)
{
    struct Case {
        int w, h, window, fullscreen;
    };
    for (Case c : std::vector<Case>{{800, 600, 1, 1},
                                    {1024, 768, 1, 1},
                                    {1366, 768, 1, 1},
                                    {1920, 1080, 2, 2},
                                    {2560, 1440, 2, 3},
                                    {2560, 1600, 3, 3},
                                    {3840, 2160, 4, 4},
                                    {640, 480, 1, 1}}) {
        EXPECT_EQ(WindowFactorFor(c.w, c.h), c.window) << c.w << "x" << c.h;
        EXPECT_EQ(FullscreenFactorFor(c.w, c.h), c.fullscreen) << c.w << "x" << c.h;
    }
}

static bool Parse(std::vector<const char*> args, Options& options, std::string& error)
{
    args.insert(args.begin(), "pesko");
    return ParseOptions(static_cast<int>(args.size()), const_cast<char* const*>(args.data()), options, error);
}

// Every option in both forms, the last of two winning; bad command lines are refused with a reason.
TEST(OptionsTest, EveryOptionInBothFormsAndBadOnesRefused)
{
    Options o;
    std::string error;
    ASSERT_TRUE(Parse({}, o, error));
    EXPECT_EQ(o.display, DisplayRequest::Remembered);
    EXPECT_EQ(o.scale, 0);
    ASSERT_TRUE(Parse({"--fullscreen", "--scale", "3", "--data-dir=/d", "--save-dir", "/s"}, o, error)) << error;
    EXPECT_EQ(o.display, DisplayRequest::Fullscreen);
    EXPECT_EQ(o.scale, 3);
    EXPECT_EQ(o.folders.dataDir, "/d");
    EXPECT_EQ(o.folders.saveDir, "/s");
    ASSERT_TRUE(Parse({"--fullscreen", "--windowed", "--scale=1", "--data-dir", "x y"}, o, error));
    EXPECT_EQ(o.display, DisplayRequest::Windowed);  // the last one wins
    EXPECT_EQ(o.scale, 1);
    EXPECT_EQ(o.folders.dataDir, "x y");
    for (const char* help : {"--help", "-h"}) {
        ASSERT_TRUE(Parse({help}, o, error)) << help;
        EXPECT_TRUE(o.showHelp) << help;
    }
    ASSERT_TRUE(Parse({"--version"}, o, error));
    EXPECT_TRUE(o.showVersion);
    EXPECT_FALSE(o.showHelp);
    for (std::vector<const char*> bad : std::vector<std::vector<const char*>>{
             {"--scale", "0"}, {"--scale", "9"}, {"--scale", "x"}, {"--scale=2x"}, {"--scale"},
             {"--bogus"}, {"-f"}, {"level5"}, {"--data-dir="}, {"--help=yes"}}) {
        error.clear();
        EXPECT_FALSE(Parse(bad, o, error)) << bad[0];
        EXPECT_FALSE(error.empty()) << bad[0];
    }
}

// A picture of random colours, of a size the scaler's four-pixel steps do not divide.
static void PaintRandomly(BITMAP* picture, std::mt19937& random)
{
    for (int y = 0; y < picture->h; y++)
        for (int x = 0; x < picture->w; x++)
            putpixel(picture, x, y, static_cast<int>(random() & 0xFFFFFF));
}

// The scaler against a plain nested loop, onto a larger picture at an offset so
// that writing outside the scaled area shows too.
TEST(ScalerTest, OutputEqualsThePlainNestedLoopScaler)
{
    std::mt19937 random(24);
    const int sizes[][2] = {{640, 480}, {37, 5}, {3, 2}};
    for (const auto& size : sizes) {
        Picture picture(size[0], size[1]);
        PaintRandomly(picture, random);
        for (int factor = 1; factor <= 4; factor++) {
            const int left = 5, top = 3;
            Picture out(size[0] * factor + 2 * left, size[1] * factor + 2 * top, 0x123456);
            Picture expected(out->w, out->h, 0x123456);
            for (int y = 0; y < size[1] * factor; y++)
                for (int x = 0; x < size[0] * factor; x++)
                    putpixel(expected, left + x, top + y, getpixel(picture, x / factor, y / factor));
            ScalePictureOnto(picture, 0, picture->h, out->line + top, left, factor);
            int wrong = 0;
            for (int y = 0; y < out->h; y++)
                for (int x = 0; x < out->w; x++)
                    wrong += getpixel(out, x, y) != getpixel(expected, x, y);
            EXPECT_EQ(wrong, 0) << size[0] << " x " << size[1] << " at " << factor << "x";
        }
    }
}

// 2x on 1920 x 1080: the picture spans x 320..1599, y 60..1019. On the black
// border the mouse counts as at the nearest edge of the picture.
TEST(MouseMappingTest, CornersCentreAndBorderOfACentredPicture)
{
    PictureFrame frame = CentredFrame(1920, 1080, 2);
    const int cases[][4] = {{320, 60, 0, 0}, {1599, 1019, 639, 479}, {960, 540, 320, 240}, {0, 10, 0, 0},
                            {1919, 1079, 639, 479}};
    for (const auto& c : cases) {
        EXPECT_EQ(PictureXFromScreen(frame, c[0]), c[2]) << c[0];
        EXPECT_EQ(PictureYFromScreen(frame, c[1]), c[3]) << c[1];
    }
    // And back: a picture pixel's block starts where the mapping begins.
    EXPECT_EQ(PictureXFromScreen(frame, ScreenXFromPicture(frame, 170)), 170);
    EXPECT_EQ(PictureXFromScreen(frame, ScreenXFromPicture(frame, 170) - 1), 169);
}

TEST(DisplaySettingsTest, RoundTripAndDamagedLines)
{
    TempDir dir;
    // Every choice comes back, the scales at both ends and auto (0) included.
    for (int scale = 0; scale <= MAX_SCALE; scale++)
        for (bool fullscreen : {false, true}) {
            const DisplayChoice written{fullscreen, scale};
            ASSERT_TRUE(WriteDisplaySettings("pesko.cfg", written));
            DisplayChoice read{!fullscreen, scale == 1 ? 2 : 1};
            ReadDisplaySettings("pesko.cfg", read);
            EXPECT_EQ(read, written) << "scale " << scale;
        }
    const DisplayChoice written{true, 3};

    // Lines edited by hand, with Windows line ends: the good ones count, the others are skipped.
    dir.WriteFile("pesko.cfg", "fullscreen = perhaps\r\nscale = 7\r\n\x01\x02garbage\nscale\n"
                               "colour = blue\n  scale=2  \r\n= yes\nfullscreen = yes\r\n");
    DisplayChoice damaged{false, 1};
    ReadDisplaySettings("pesko.cfg", damaged);
    EXPECT_EQ(damaged, (DisplayChoice{true, 2}));

    DisplayChoice missing{true, 4};
    ReadDisplaySettings("no-such-file.cfg", missing);
    EXPECT_EQ(missing, (DisplayChoice{true, 4}));
    EXPECT_FALSE(WriteDisplaySettings("no-such-folder/pesko.cfg", written));
}

#include "movie_fixture.h"
#include "screens/intro.h"
#include "support/pixels.h"

namespace {

class IntroTest : public ::testing::Test {
protected:
    void SetUp() override { FakeMoviePlatform::Install(); }
    void TearDown() override { g_MoviePlatform = ALLEGRO_MOVIE_PLATFORM; }

    // The horizontal extent of the pixels of one colour in a text row at y; {-1, -1} when none.
    std::pair<int, int> RowExtent(int y, int colour) const
    {
        int first = -1, last = -1;
        for (int row = y; row < y + text_height(font); row++)
            for (int x = 0; x < page->w; x++)
                if (getpixel(page, x, row) == colour) {
                    first = first < 0 ? x : std::min(first, x);
                    last = std::max(last, x);
                }
        return {first, last};
    }

    // A text centred on x 320 at y in that colour, about as wide as the string.
    void ExpectCentredText(int y, int colour, const char* text) const
    {
        auto [first, last] = RowExtent(y, colour);
        ASSERT_GE(first, 0) << "no text at y " << y << ": " << text;
        int width = text_length(font, text);
        EXPECT_NEAR(last - first + 1, width, 6) << text;  // glyphs have blank edge columns
        EXPECT_NEAR((first + last + 1) / 2, 320, 2) << text;
    }

    Picture page{640, 480};
    const int white = 0xFFFFFF;
    const int red = 0xFF0000;
};

// A movie that cannot play says why, in red under the white title, until a key.
TEST_F(IntroTest, AMovieThatCannotPlaySaysWhyUntilAKey)
{
    CAviPlayer player;
    const struct { int code; std::vector<const char*> why; } cases[] = {
        {player.Open("gamelogo-that-is-not-there.avi"), {"ERROR: file doesn't exist or isn't an avi movie"}},
        {-2, {"ERROR: there isn't any video stream to play", "or",
              "it is in an unrecognized format (codecs are not installed)"}},
        {-3, {"ERROR: other error"}},
    };
    for (const auto& c : cases) {
        clear_to_color(page, 0);
        IntroState intro;
        IntroReset(intro, nullptr, c.code);
        IntroStep(intro);
        IntroDraw(intro, page);
        EXPECT_FALSE(intro.done) << "an error waits for a key";
        simulate_keypress((KEY_SPACE << 8) | ' ');
        IntroStep(intro);
        EXPECT_TRUE(intro.done) << "a key ends it";
        clear_keybuf();
        ExpectCentredText(100, white, "AVI logo");
        for (size_t line = 0; line < c.why.size(); line++)
            ExpectCentredText(240 + int(line) * text_height(font), red, c.why[line]);
        EXPECT_EQ(RowExtent(240 + int(c.why.size()) * text_height(font), red).first, -1);
        ExpectCentredText(450, white, "Press a key to exit");
    }
    EXPECT_EQ(cases[0].code, -1);
}

TEST_F(IntroTest, TheMovieIsDrawnAtTheTopLeftOnEveryPassUntilItsEnd)
{
    std::string movie = MakeMovie("intro.avi", "--size 160x128 --fps 10 --frames 20");
    CAviPlayer player;
    IntroState intro;
    IntroReset(intro, &player, player.Open(movie.c_str()));
    ASSERT_EQ(intro.openResult, 0);
    ASSERT_EQ(player.Play(), 0);
    player.m_Time = 350;
    for (int pass = 0; pass < 2; pass++) {
        clear_to_color(page, 0);
        IntroStep(intro);
        IntroDraw(intro, page);
        EXPECT_FALSE(intro.done);
        EXPECT_EQ(getpixel(page, 40, 32) & 0xF00000, 0xF00000) << "pass " << pass << ": the red quadrant at the top left";
        EXPECT_EQ(getpixel(page, 160, 128), 0) << "the rest of the page stays black";
        EXPECT_EQ(getpixel(page, 600, 400), 0);
    }
    // The pass after the clock runs past the end draws nothing and ends the screen.
    player.m_Time = 2001;
    clear_to_color(page, 0);
    IntroStep(intro);
    IntroDraw(intro, page);
    EXPECT_TRUE(intro.done);
    EXPECT_EQ(getpixel(page, 40, 32), 0);
    EXPECT_FALSE(intro.running);
    IntroRelease(intro);
}

}  // namespace

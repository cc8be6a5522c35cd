#include "movie_fixture.h"
#include "support/pixels.h"

namespace {

// 160 x 128 at 10 frames a second, 20 frames: the video ends at 2000 ms.
constexpr int END_MS = 2000;
constexpr int WIDTH = 160;
constexpr int HEIGHT = 128;

template <class Patch>
std::string Patched(const std::string& from, const std::string& name, Patch patch)
{
    std::vector<uint8_t> bytes = ReadBytes(from);
    patch(bytes);
    return WriteBytes(name, bytes);
}

// Each movie is made on first use: every test runs in its own process.
namespace Movies {
#define PESKO_TEST_MOVIE(Name, how) \
    const std::string& Name()         \
    {                                 \
        static const std::string path = how; \
        return path;                  \
    }
PESKO_TEST_MOVIE(Plain, MakeMovie("plain.avi", ""))
// 22050 samples: two whole chunks and a short one.
PESKO_TEST_MOVIE(Mono8, MakeMovie("mono8.avi", "--audio-streams 1 --audio-bits 8 --channels 1 --rate 11025"))
PESKO_TEST_MOVIE(Stereo16, MakeMovie("stereo16.avi", "--audio-streams 1 --audio-bits 16 --channels 2 --rate 22050 --audio-samples 10000"))
PESKO_TEST_MOVIE(Wide24, MakeMovie("wide24.avi", "--audio-streams 1 --audio-bits 24 --channels 2 --rate 22050"))
PESKO_TEST_MOVIE(Six, MakeMovie("six.avi", "--video-streams 6 --audio-streams 6 --audio-bits 8 --channels 1 --rate 8000"))
PESKO_TEST_MOVIE(AudioOnly, MakeMovie("audio_only.avi", "--video-streams 0 --audio-streams 1"))
PESKO_TEST_MOVIE(Mjpeg, MakeMovie("mjpeg.avi", "--codec mjpeg"))
PESKO_TEST_MOVIE(UnknownCodec, Patched(Plain(), "unknown.avi", [](std::vector<uint8_t>& b) {
    for (size_t at = FindTag(b, "FMP4"); at < FindTag(b, "movi"); at = FindTag(b, "FMP4", at + 1))
        memcpy(b.data() + at, "QZQZ", 4);
}))
PESKO_TEST_MOVIE(NoChannels, Patched(Mono8(), "no_channels.avi", [](std::vector<uint8_t>& b) {
    Poke<uint16_t>(b, StreamFormatOffset(b, "auds") + 2, 0);
}))
PESKO_TEST_MOVIE(NoRate, Patched(Mono8(), "no_rate.avi", [](std::vector<uint8_t>& b) {
    Poke<uint32_t>(b, StreamFormatOffset(b, "auds") + 4, 0);
}))
PESKO_TEST_MOVIE(BadHeader, Patched(Plain(), "bad_header.avi", [](std::vector<uint8_t>& b) {
    size_t strh = FindTag(b, "strh");
    for (size_t i = strh + 12; i < strh + 8 + 56; i++)
        b[i] = 0xFF;
}))
PESKO_TEST_MOVIE(CutHeader, Patched(Plain(), "cut_header.avi", [](std::vector<uint8_t>& b) { b.resize(FindTag(b, "movi")); }))
PESKO_TEST_MOVIE(HalfFile, Patched(Mjpeg(), "half.avi", [](std::vector<uint8_t>& b) { b.resize(b.size() / 2); }))
// The tenth picture overwritten.
PESKO_TEST_MOVIE(DamagedFrame, Patched(Plain(), "damaged_frame.avi", [](std::vector<uint8_t>& b) {
    size_t at = FindTag(b, "movi");
    for (int frame = 0; frame < 10; frame++)
        at = FindTag(b, "00dc", at + 4);
    memset(b.data() + at + 8, 0x55, 64);
}))
PESKO_TEST_MOVIE(NotAvi, WriteBytes("not_an_avi.avi", std::vector<uint8_t>(4000, 'x')))
#undef PESKO_TEST_MOVIE
}  // namespace Movies

class MovieTest : public ::testing::Test {
protected:
    void SetUp() override { FakeMoviePlatform::Install(); }
    void TearDown() override { g_MoviePlatform = ALLEGRO_MOVIE_PLATFORM; }
    Picture target{WIDTH * 2, HEIGHT * 2};
};

bool Near(uint32_t got, uint32_t want, int tolerance = 12)
{
    for (int shift : {0, 8, 16}) {
        int a = int((got >> shift) & 0xFF);
        int b = int((want >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance)
            return false;
    }
    return true;
}

// Samples the middle of each quadrant of a test-pattern frame drawn at (x, y).
void ExpectTestFrame(BITMAP* bmp, int x, int y, int frame)
{
    auto at = [&](int px, int py) { return uint32_t(getpixel(bmp, x + px, y + py)) & 0xFFFFFF; };
    uint32_t grey = uint32_t(TestFrameGrey(frame));
    EXPECT_TRUE(Near(at(WIDTH / 4, HEIGHT / 4), TEST_TOP_LEFT)) << std::hex << at(WIDTH / 4, HEIGHT / 4);
    EXPECT_TRUE(Near(at(3 * WIDTH / 4, HEIGHT / 4), TEST_TOP_RIGHT));
    EXPECT_TRUE(Near(at(WIDTH / 4, 3 * HEIGHT / 4), TEST_BOTTOM_LEFT));
    EXPECT_TRUE(Near(at(3 * WIDTH / 4, 3 * HEIGHT / 4), grey * 0x010101, 4))
        << "frame " << frame << ": " << std::hex << at(3 * WIDTH / 4, 3 * HEIGHT / 4);
}

TEST_F(MovieTest, StreamsAreCountedAndCappedAtFive)
{
    CAviFile avi;
    ASSERT_TRUE(avi.Open(Movies::Six().c_str()));
    EXPECT_EQ(avi.GetVideoCount(), 5u);
    EXPECT_EQ(avi.GetAudioCount(), 5u);
    EXPECT_NE(avi.GetVideoFormat(4), nullptr);
    EXPECT_EQ(avi.GetVideoFormat(5), nullptr);
    EXPECT_EQ(avi.GetAudioFormat(5), nullptr);
    EXPECT_EQ(avi.TimeToFrame(4, 0), -1) << "no frames before OpenFrames";
    EXPECT_TRUE(avi.OpenFrames(4));
    EXPECT_EQ(avi.TimeToFrame(5, 0), -1);
    EXPECT_FALSE(avi.OpenFrames(5));
    avi.CloseFrames(4);
}

TEST_F(MovieTest, FramesDecodeToTheTestPatternInAnyOrder)
{
    for (const std::string* file : {&Movies::Plain(), &Movies::Mjpeg()}) {
        SCOPED_TRACE(*file);
        CAviFile avi;
        ASSERT_TRUE(avi.Open(file->c_str()));
        ASSERT_TRUE(avi.OpenFrames(0));
        // Forward one by one, a jump, the end, then back again.
        for (int number : {0, 1, 2, 9, 19, 3, 0}) {
            const BITMAPINFOHEADER* frame = nullptr;
            avi.GetFrameAtTime(0, number * 100 + 50, &frame);
            ASSERT_NE(frame, nullptr) << "frame " << number;
            EXPECT_EQ(frame->biBitCount, 32);
            EXPECT_EQ(frame->biWidth, WIDTH);
            EXPECT_EQ(std::abs(frame->biHeight), HEIGHT);
            clear_to_color(target, 0);
            DrawPackedBitmap(target, 7, 5, frame);
            ExpectTestFrame(target, 7, 5, number);
        }
        avi.CloseFrames(0);
    }
}

TEST_F(MovieTest, OpenReportsWhyAMovieCannotPlayAndOnlyAPlayingOneDraws)
{
    CAviPlayer player;
    EXPECT_EQ(player.Open("/nonexistent/gamelogo.avi"), -1);
    EXPECT_EQ(player.Open(Movies::NotAvi().c_str()), -1);
    EXPECT_EQ(player.Open(Movies::AudioOnly().c_str()), -2);
    EXPECT_EQ(player.Open(Movies::UnknownCodec().c_str()), -2);
    EXPECT_EQ(player.GetWidth(), -1);
    EXPECT_EQ(player.Play(), 0) << "nothing open: nothing happens";
    EXPECT_FALSE(player.Update(target, 0, 0, true, false));

    ASSERT_EQ(player.Open(Movies::Plain().c_str()), 0);
    EXPECT_EQ(player.GetWidth(), WIDTH);
    EXPECT_EQ(player.GetHeight(), HEIGHT);
    EXPECT_FALSE(player.HasAudio());
    EXPECT_FALSE(player.Update(target, 0, 0, true, false)) << "before Play";
    ASSERT_EQ(player.Play(), 0);
    EXPECT_TRUE(player.Update(target, 0, 0, false, false));
    ExpectTestFrame(target, 0, 0, 0);
    EXPECT_EQ(player.Stop(), 0);
    EXPECT_FALSE(player.Update(target, 0, 0, true, false)) << "after Stop";
}

TEST_F(MovieTest, TheClockChoosesTheFrameAndForceRedrawsIt)
{
    CAviPlayer player;
    ASSERT_EQ(player.Open(Movies::Plain().c_str()), 0);
    ASSERT_EQ(player.Play(), 0);
    player.m_Time = 730;
    EXPECT_EQ(player.GetCurrentFrame(), 7);
    EXPECT_EQ(player.GetPlayTime(), 730);
    EXPECT_TRUE(player.Update(target, 20, 10, false, false));
    ExpectTestFrame(target, 20, 10, 7);

    clear_to_color(target, 0);
    EXPECT_TRUE(player.Update(target, 20, 10, false, false));
    EXPECT_EQ(getpixel(target, 60, 40), 0) << "same frame, no force: nothing drawn";
    EXPECT_TRUE(player.Update(target, 20, 10, true, false));
    ExpectTestFrame(target, 20, 10, 7);

    player.m_Time = 1590;  // frames are skipped, not slowed down
    EXPECT_TRUE(player.Update(target, 20, 10, false, false));
    ExpectTestFrame(target, 20, 10, 15);
    ASSERT_EQ(player.PlayBuffered(), 0);  // through a frame bitmap of its own: the same picture
    player.m_Time = 420;
    EXPECT_TRUE(player.Update(target, 20, 10, false, false));
    ExpectTestFrame(target, 20, 10, 4);

    player.m_Time = END_MS;
    EXPECT_TRUE(player.Update(target, 20, 10, false, false));
    ExpectTestFrame(target, 20, 10, 19);
    clear_to_color(target, 0);
    player.m_Time = END_MS + 1;
    EXPECT_FALSE(player.Update(target, 20, 10, true, false));
    EXPECT_EQ(getpixel(target, 60, 40), 0) << "nothing drawn past the end";
    EXPECT_EQ(player.GetCurrentFrame(), -1);
    EXPECT_EQ(player.GetPlayTime(), -1);
}

// Feeds one chunk through Update and returns the stream buffer's bytes.
std::vector<uint8_t> FeedOneChunk(CAviPlayer& player, BITMAP* target)
{
    std::fill(FakeMoviePlatform::buffer.begin(), FakeMoviePlatform::buffer.end(), 0xEE);
    int before = FakeMoviePlatform::buffersFilled;
    player.Update(target, 0, 0, false, false);
    EXPECT_EQ(FakeMoviePlatform::buffersFilled, before + 1);
    return FakeMoviePlatform::buffer;
}

// Each Update feeds one chunk: 16-bit samples turned unsigned, 8-bit ones as
// they are; the stream's last chunk ends in silence, and nothing is written
// past the stream's buffer. A full stream is not fed and the movie goes on.
TEST_F(MovieTest, AudioChunksAreFedAsTheStreamWantsThemAndEndInSilence)
{
    const struct { const std::string* file; int bits; size_t bytesPerSample, samples; uint8_t flip, silence[2]; } cases[] = {
        {&Movies::Stereo16(), 16, 4, 10000, 0x80, {0x00, 0x80}},
        {&Movies::Mono8(), 8, 1, 22050, 0x00, {0x80, 0x80}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(*c.file);
        FakeMoviePlatform::Install();
        CAviPlayer player;
        ASSERT_EQ(player.Open(c.file->c_str()), 0);
        EXPECT_EQ(player.GetAudioBits(), c.bits);
        ASSERT_EQ(player.Play(), 0);
        EXPECT_EQ(FakeMoviePlatform::lastBits, c.bits);
        const size_t chunk = MOVIE_AUDIO_CHUNK * c.bytesPerSample, total = c.samples * c.bytesPerSample;
        FakeMoviePlatform::wantsBuffer = false;  // the stream is full: the movie goes on without feeding
        EXPECT_TRUE(player.Update(target, 0, 0, false, false));
        FakeMoviePlatform::wantsBuffer = true;
        for (size_t at = 0; at < total + chunk; at += chunk) {
            const std::vector<uint8_t> fed = FeedOneChunk(player, target);
            for (size_t i = 0; i < chunk; i++) {
                const uint8_t want = at + i < total ? uint8_t(TestAudioByte(at + i) ^ (i % 2 ? c.flip : 0))
                                                    : c.silence[i % 2];
                ASSERT_EQ(fed[i], want) << "byte " << at + i;
            }
            ASSERT_EQ(fed[chunk], 0xEE) << "nothing written past the stream buffer";
        }
    }
}

// Audio of no usable width (24 bits, no channels), of no rate or turned off is
// never started; the video plays on.
TEST_F(MovieTest, AudioThatCannotPlayIsNeverStartedAndTheVideoPlays)
{
    const std::pair<const std::string*, bool> cases[] = {
        {&Movies::Wide24(), false}, {&Movies::NoChannels(), false}, {&Movies::NoRate(), false},
        {&Movies::Stereo16(), true}};
    for (const auto& [file, disabled] : cases) {
        SCOPED_TRACE(*file);
        FakeMoviePlatform::Install();
        CAviPlayer player;
        ASSERT_EQ(player.Open(file->c_str()), 0);
        if (disabled)
            player.DisableAudio();
        ASSERT_EQ(player.Play(), 0);
        player.m_Time = 500;
        EXPECT_TRUE(player.Update(target, 0, 0, false, false));
        ExpectTestFrame(target, 0, 0, 5);
        EXPECT_EQ(FakeMoviePlatform::streamsStarted, 0);
        EXPECT_EQ(FakeMoviePlatform::buffersFilled, 0);
    }
}

// Damaged files: never a crash or a hang; either Open refuses them or the movie
// ends early. Half a file shows its first frame and ends before its last; a
// damaged picture in the middle is passed over and the frames after it show.
TEST_F(MovieTest, DamagedFilesAreRefusedOrEndEarly)
{
    for (const std::string* file : {&Movies::BadHeader(), &Movies::CutHeader(), &Movies::HalfFile()}) {
        SCOPED_TRACE(*file);
        CAviPlayer player;
        int code = player.Open(file->c_str());
        EXPECT_LE(code, 0);
        if (code != 0)
            continue;
        ASSERT_EQ(player.Play(), 0);
        int shown = 0;
        for (int t = 0; t <= END_MS + 1; t += 50) {
            player.m_Time = t;
            if (!player.Update(target, 0, 0, true, false))
                break;
            shown++;
        }
        EXPECT_LE(shown, END_MS / 50 + 1);
    }
    CAviPlayer half;
    ASSERT_EQ(half.Open(Movies::HalfFile().c_str()), 0);
    ASSERT_EQ(half.Play(), 0);
    EXPECT_TRUE(half.Update(target, 0, 0, true, false));
    ExpectTestFrame(target, 0, 0, 0);
    half.m_Time = END_MS;
    EXPECT_FALSE(half.Update(target, 0, 0, true, false));

    CAviPlayer damaged;
    ASSERT_EQ(damaged.Open(Movies::DamagedFrame().c_str()), 0);
    ASSERT_EQ(damaged.Play(), 0);
    for (int number : {0, 9, 12, 19}) {
        damaged.m_Time = number * 100 + 50;
        EXPECT_TRUE(damaged.Update(target, 0, 0, true, false)) << "frame " << number;
    }
    ExpectTestFrame(target, 0, 0, 19);
}

}  // namespace

// sws_scale writes past the end of a row of odd width; every width must decode
// without a write outside the frame buffer (run under Valgrind by ctest).
TEST_F(MovieTest, EveryFrameWidthDecodes)
{
    // Rows are padded to 64 bytes (16 pixels): every width over two paddings,
    // the edges of the next two and the game's own.
    std::vector<int> widths = {47, 48, 49, 63, 64, 65, 66, 638};
    for (int w = 1; w <= 33; w++)
        widths.push_back(w);
    for (int w : widths) {
        std::string file = MakeMovie("w" + std::to_string(w) + ".avi", "--size " + std::to_string(w) + "x3 --frames 1");
        CAviFile avi;
        ASSERT_TRUE(avi.Open(file.c_str())) << w;
        ASSERT_TRUE(avi.OpenFrames(0)) << w;
        const BITMAPINFOHEADER* frame = nullptr;
        avi.GetFrameAtTime(0, 0, &frame);
        ASSERT_NE(frame, nullptr) << "width " << w;
        EXPECT_EQ(frame->biWidth, w);
        avi.CloseFrames(0);
    }
}

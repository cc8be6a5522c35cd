// pesko-movie: writes the intro logo movie, or with --test a small movie of a
// known pattern for the player's tests.
//   pesko-movie gamelogo.avi
//   pesko-movie --test out.avi [--size WxH] [--fps N] [--frames N] [--codec mpeg4|mjpeg]
//               [--video-streams N] [--audio-streams N] [--audio-bits 8|16|24]
//               [--channels N] [--rate HZ] [--audio-samples N]
#include "avi_writer.h"
#include "logo.h"
#include "test_pattern.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" {
#include <libavutil/log.h>
}

namespace {

void DrawTestFrame(const MovieLayout& layout, int index, uint8_t* pixels, int stride)
{
    for (int y = 0; y < layout.height; y++) {
        auto* row = reinterpret_cast<uint32_t*>(pixels + y * stride);
        for (int x = 0; x < layout.width; x++)
            row[x] = 0xFF000000u | TestPatternPixel(index, x, y, layout.width, layout.height);
    }
}

int Usage()
{
    fprintf(stderr, "usage: pesko-movie [--test [options]] out.avi\n");
    return 2;
}

struct Options {
    bool test = false;
    std::string output;
    MovieLayout layout;
    long audioSamples = -1;
};

bool ParseOption(Options& o, const std::string& name, const char* value)
{
    MovieLayout& l = o.layout;
    if (name == "--size")
        return sscanf(value, "%dx%d", &l.width, &l.height) == 2;
    if (name == "--codec") {
        l.codec = value;
        return true;
    }
    int* targets[] = {&l.fps, &l.frames, &l.videoStreams, &l.audioStreams, &l.audioBits, &l.audioChannels,
                      &l.audioRate};
    const char* names[] = {"--fps", "--frames", "--video-streams", "--audio-streams", "--audio-bits",
                           "--channels", "--rate"};
    for (int i = 0; i < 7; i++) {
        if (name == names[i]) {
            *targets[i] = atoi(value);
            return true;
        }
    }
    if (name == "--audio-samples") {
        o.audioSamples = atol(value);
        return true;
    }
    return false;
}

bool ParseArgs(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        if (arg == "--test")
            o.test = true;
        else if (arg.rfind("--", 0) == 0) {
            if (i + 1 >= argc || !ParseOption(o, arg, argv[++i]))
                return false;
        } else
            o.output = arg;
    }
    const MovieLayout& l = o.layout;
    return !o.output.empty() && l.width > 0 && l.height > 0 && l.fps > 0 && l.frames > 0 &&
           l.audioChannels > 0 && l.audioRate > 0 && (l.audioBits == 8 || l.audioBits == 16 || l.audioBits == 24);
}

int WriteTestMovie(const Options& o)
{
    const MovieLayout& l = o.layout;
    long samples = o.audioSamples >= 0 ? o.audioSamples : long(l.audioRate) * l.frames / l.fps;
    std::vector<uint8_t> audio(size_t(samples) * size_t(l.audioChannels * l.audioBits / 8));
    for (size_t i = 0; i < audio.size(); i++)
        audio[i] = TestAudioByte(i);
    auto draw = [&](int index, uint8_t* pixels, int stride) { DrawTestFrame(l, index, pixels, stride); };
    return WriteMovie(o.output, l, draw, audio) ? 0 : 1;
}

int WriteLogo(const std::string& output)
{
    MovieLayout l;
    l.width = LOGO_WIDTH;
    l.height = LOGO_HEIGHT;
    l.fps = LOGO_FPS;
    l.frames = LOGO_FRAMES;
    l.quality = 3;
    l.audioStreams = 1;
    l.audioBits = 16;
    l.audioChannels = 2;
    l.audioRate = LOGO_AUDIO_RATE;
    return WriteMovie(output, l, DrawLogoFrame, SynthesizeJingle()) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    av_log_set_level(AV_LOG_ERROR);
    Options o;
    if (!ParseArgs(argc, argv, o))
        return Usage();
    return o.test ? WriteTestMovie(o) : WriteLogo(o.output);
}

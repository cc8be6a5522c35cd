// Decoding and drawing frames of the intro movie, as the intro screen does.
#include "movie/avi_player.h"
#include "platform/headless.h"
#include <benchmark/benchmark.h>
#include <string>

namespace {

const std::string MOVIE = std::string(PESKO_DATA_DIR) + "/gamelogo.avi";

// The intro movie with its frames open, and a 640 x 480 page to draw on.
struct OpenLogo {
    CAviFile avi;
    BITMAP* page = nullptr;

    explicit OpenLogo(benchmark::State& state)
    {
        StartHeadlessAllegro();
        if (!avi.Open(MOVIE.c_str()) || !avi.OpenFrames(0)) {
            state.SkipWithError("gamelogo.avi cannot be played");
            return;
        }
        page = create_bitmap(640, 480);
    }
    ~OpenLogo()
    {
        if (page)
            destroy_bitmap(page);
        avi.CloseFrames(0);
    }
    void DrawAt(int ms)
    {
        const BITMAPINFOHEADER* picture = nullptr;
        avi.GetFrameAtTime(0, ms, &picture);
        DrawPackedBitmap(page, 0, 0, picture);
        benchmark::DoNotOptimize(picture);
    }
};

// Every frame in turn, decoded and copied onto a 640 x 480 page: the intro's
// work per movie frame.
void BM_DecodeAndDrawNextFrame(benchmark::State& state)
{
    OpenLogo logo(state);
    if (!logo.page)
        return;
    const int frames = logo.avi.TimeToFrame(0, logo.avi.GetVideoEndTime(0)) + 1;
    int frame = 0;
    for (auto _ : state) {
        logo.DrawAt(frame * 40);
        frame = (frame + 1) % frames;
    }
}
BENCHMARK(BM_DecodeAndDrawNextFrame)->Unit(benchmark::kMillisecond);

// The intro redraws the same frame on every pass until the clock moves on.
void BM_RedrawSameFrame(benchmark::State& state)
{
    OpenLogo logo(state);
    if (!logo.page)
        return;
    for (auto _ : state)
        logo.DrawAt(2000);
}
BENCHMARK(BM_RedrawSameFrame)->Unit(benchmark::kMillisecond);

}  // namespace

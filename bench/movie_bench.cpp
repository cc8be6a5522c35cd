// Decoding and drawing frames of the intro movie, as the intro screen does.
#include "movie/avi_player.h"
#include "support/headless.h"
#include <benchmark/benchmark.h>
#include <string>

namespace {

const std::string MOVIE = std::string(PESKO_DATA_DIR) + "/gamelogo.avi";

// Every frame in turn, decoded and copied onto a 640 x 480 page: the intro's
// work per movie frame.
void BM_DecodeAndDrawNextFrame(benchmark::State& state)
{
    InitHeadlessAllegro();
    CAviFile avi;
    if (!avi.Open(MOVIE.c_str()) || !avi.OpenFrames(0)) {
        state.SkipWithError("gamelogo.avi cannot be played");
        return;
    }
    BITMAP* page = create_bitmap(640, 480);
    const int frames = avi.TimeToFrame(0, avi.GetVideoEndTime(0)) + 1;
    int frame = 0;
    for (auto _ : state) {
        const BITMAPINFOHEADER* picture = nullptr;
        avi.GetFrameAtTime(0, frame * 40, &picture);
        DrawPackedBitmap(page, 0, 0, picture);
        benchmark::DoNotOptimize(picture);
        frame = (frame + 1) % frames;
    }
    destroy_bitmap(page);
    avi.CloseFrames(0);
}
BENCHMARK(BM_DecodeAndDrawNextFrame)->Unit(benchmark::kMillisecond);

// The intro redraws the same frame on every pass until the clock moves on.
void BM_RedrawSameFrame(benchmark::State& state)
{
    InitHeadlessAllegro();
    CAviFile avi;
    if (!avi.Open(MOVIE.c_str()) || !avi.OpenFrames(0)) {
        state.SkipWithError("gamelogo.avi cannot be played");
        return;
    }
    BITMAP* page = create_bitmap(640, 480);
    for (auto _ : state) {
        const BITMAPINFOHEADER* picture = nullptr;
        avi.GetFrameAtTime(0, 2000, &picture);
        DrawPackedBitmap(page, 0, 0, picture);
    }
    destroy_bitmap(page);
    avi.CloseFrames(0);
}
BENCHMARK(BM_RedrawSameFrame)->Unit(benchmark::kMillisecond);

}  // namespace

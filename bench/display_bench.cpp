// The cost of showing one frame at 1x to 4x.
//   scale: the whole-pixel scaler alone, into memory.
//   flip:  scaling straight into a real X11 window of that size and handing
//          it to X, as FlipPages does it. Needs an X display:
//          xvfb-run -a -s "-screen 0 2600x1960x24" build/bench/display_bench
// Read the CPU column for the game's own cost: the time column also holds the
// X server's copy, which waits for a core when the machine is busy.
#include "platform/display.h"
#include "app/globals.h"
#include "platform/headless.h"
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool HaveDisplay()
{
    const char* display = getenv("DISPLAY");
    return display && *display;
}

// The X11 system driver when there is a display, memory bitmaps only otherwise.
void InitAllegroOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    if (!HaveDisplay() || allegro_init() != 0)
        StartHeadlessAllegro();
    set_color_depth(32);
}

BITMAP* Picture()
{
    static BITMAP* picture = nullptr;
    if (!picture) {
        picture = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
        for (int y = 0; y < SCREEN_HEIGHT; y++)
            for (int x = 0; x < SCREEN_WIDTH; x++)
                putpixel(picture, x, y, (x * 7919 + y * 104729) & 0xFFFFFF);
    }
    return picture;
}

void BM_Scale(benchmark::State& state)
{
    InitAllegroOnce();
    int factor = static_cast<int>(state.range(0));
    BITMAP* out = create_bitmap(SCREEN_WIDTH * factor, SCREEN_HEIGHT * factor);
    for (auto _ : state)
        ScaleWholePixels(Picture(), out, factor);
    destroy_bitmap(out);
}
BENCHMARK(BM_Scale)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

// The scaler as it was, for comparison: each row widened pixel by pixel, then
// copied to the rows below it.
void ScaleByPixel(BITMAP* picture, BITMAP* out, int factor)
{
    const size_t rowBytes = static_cast<size_t>(out->w) * sizeof(uint32_t);
    for (int y = 0; y < picture->h; y++) {
        const uint32_t* in = reinterpret_cast<const uint32_t*>(picture->line[y]);
        uint32_t* first = reinterpret_cast<uint32_t*>(out->line[y * factor]);
        for (int x = 0; x < picture->w; x++)
            for (int k = 0; k < factor; k++)
                first[x * factor + k] = in[x];
        for (int k = 1; k < factor; k++)
            memcpy(out->line[y * factor + k], first, rowBytes);
    }
}

void BM_ScaleByPixel(benchmark::State& state)
{
    InitAllegroOnce();
    int factor = static_cast<int>(state.range(0));
    BITMAP* out = create_bitmap(SCREEN_WIDTH * factor, SCREEN_HEIGHT * factor);
    for (auto _ : state)
        ScaleByPixel(Picture(), out, factor);
    destroy_bitmap(out);
}
BENCHMARK(BM_ScaleByPixel)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_Flip(benchmark::State& state)
{
    InitAllegroOnce();
    int factor = static_cast<int>(state.range(0));
    if (system_driver == nullptr || system_driver->id == SYSTEM_NONE) {
        state.SkipWithError("needs an X display");
        return;
    }
    static int openFactor = 0;
    if (openFactor != factor && !OpenDisplay(DisplayChoice{false, factor})) {
        state.SkipWithError(allegro_error);
        return;
    }
    openFactor = factor;
    for (auto _ : state)
        ShowPicture(Picture());
}
BENCHMARK(BM_Flip)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

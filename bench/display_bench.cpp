// The cost of showing one frame at 1x, 2x and 3x.
//   scale: the whole-pixel scaler alone, into memory.
//   flip:  scaling plus the copy into a real X11 window of that size, as
//          FlipPages does it, band by band. Needs an X display:
//          xvfb-run -a -s "-screen 0 2560x1600x24" build/bench/display_bench
// Read the CPU column for the game's own cost: the time column also holds the
// X server's copy, which waits for a core when the machine is busy.
#include "platform/display.h"
#include "app/globals.h"
#include "support/headless.h"
#include <benchmark/benchmark.h>
#include <cstdlib>

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
        InitHeadlessAllegro();
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
BENCHMARK(BM_Scale)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_Flip)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace

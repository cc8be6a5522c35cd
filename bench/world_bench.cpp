// The sea's share of a frame: the level map, the two scroll layers and 13 objects,
// updated and drawn on 640 x 480 memory bitmaps, 32-bit, without a display.
#include "platform/headless.h"
#include "world/character.h"
#include "world/level_map.h"
#include "world/scroll_layer.h"
#include "world/world.h"
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

struct Sea {
    BITMAP* dest;
    BITMAP* tiles;
    BITMAP* layer1;
    BITMAP* layer2;
    BITMAP* sheet;
    CLevelMap map{640, 480};
    CScrollLayer back{640, 480};
    CScrollLayer front{640, 480};
    CCharacter objects{640, 480};

    Sea()
    {
        StartHeadlessAllegro();
        srand(5);
        dest = create_bitmap(640, 480);
        tiles = create_bitmap(120, 80);
        clear_to_color(tiles, makecol(90, 60, 30));
        rectfill(tiles, 60, 60, 79, 79, bitmap_mask_color(tiles));  // open water
        layer1 = create_bitmap(1280, 480);
        clear_to_color(layer1, makecol(0, 40, 120));
        layer2 = create_bitmap(1280, 480);
        clear_to_color(layer2, bitmap_mask_color(layer2));
        for (int x = 0; x < 1280; x += 80)
            rectfill(layer2, x, 200, x + 40, 479, makecol(0, 80, 60));  // weed in front of the deep
        sheet = create_bitmap(960, 688);
        clear_to_color(sheet, makecol(200, 120, 0));
        map.SetBitmaps(tiles, tiles);
        back.SetBitmap(layer1);
        front.SetBitmap(layer2);
        objects.SetBitmaps(sheet, sheet);
        objects.m_CHStopAddNew = 1;
        for (int kind = 0; kind < CHARACTER_KIND_COUNT; kind++)  // an explosion would leave: a coin instead
            objects.AddEnemy(kind == KIND_EXPLOSION ? KIND_COIN : kind, 0, 40 * kind + 50, 150 + 10 * kind);
    }
    ~Sea()
    {
        objects.RemoveAllEnemies();
        destroy_bitmap(dest);
        destroy_bitmap(tiles);
        destroy_bitmap(layer1);
        destroy_bitmap(layer2);
        destroy_bitmap(sheet);
    }
};

void BM_MapUpdateAndDraw(benchmark::State& state)
{
    Sea sea;
    for (auto _ : state) {
        sea.map.Update(0, 0);
        sea.map.Draw(sea.dest);
    }
}
BENCHMARK(BM_MapUpdateAndDraw)->Unit(benchmark::kMicrosecond);

void BM_MoveThirteenObjects(benchmark::State& state)
{
    Sea sea;
    for (auto _ : state) {
        sea.objects.MoveCharacter(0);  // step 0 keeps all 13 on screen
        benchmark::DoNotOptimize(sea.objects.m_CHHead);
    }
    state.counters["objects"] = sea.objects.m_CHEnemyCount;
}
BENCHMARK(BM_MoveThirteenObjects)->Unit(benchmark::kMicrosecond);

void BM_DrawBothLayers(benchmark::State& state)
{
    Sea sea;
    for (auto _ : state) {
        sea.back.Scroll(12, 0, 6, 1);
        sea.front.Scroll(12, 0, 3, 1);
        sea.back.Draw(sea.dest);
        sea.front.Draw(sea.dest);
    }
}
BENCHMARK(BM_DrawBothLayers)->Unit(benchmark::kMicrosecond);

// The two layers as a frame draws them: the near one over the far one in one pass.
void BM_DrawNearOverFar(benchmark::State& state)
{
    Sea sea;
    for (auto _ : state) {
        sea.back.Scroll(12, 0, 6, 1);
        sea.front.Scroll(12, 0, 3, 1);
        sea.front.DrawOver(sea.dest, &sea.back, 1.0f);
    }
}
BENCHMARK(BM_DrawNearOverFar)->Unit(benchmark::kMicrosecond);

void BM_DrawThirteenObjects(benchmark::State& state)
{
    Sea sea;
    for (auto _ : state)
        sea.objects.DrawCharacters(sea.dest);
}
BENCHMARK(BM_DrawThirteenObjects)->Unit(benchmark::kMicrosecond);

// The whole sea of one frame in drawing order: the goal is under 1 ms.
void BM_WholeSeaFrame(benchmark::State& state)
{
    Sea sea;
    for (auto _ : state) {
        sea.map.Update(0, 0);
        sea.back.Scroll(sea.map.m_SpeedX, 0, 6, 1);
        sea.front.Scroll(sea.map.m_SpeedX, 0, 3, 1);
        sea.objects.MoveCharacter(0);
        const CScrollLayer* layers[] = {&sea.back, &sea.front};
        DrawLayersBehindRock(sea.dest, 1.0f, sea.map, layers, 2);
        sea.objects.DrawCharacters(sea.dest);
        sea.map.Draw(sea.dest);
    }
}
BENCHMARK(BM_WholeSeaFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

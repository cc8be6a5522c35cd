// The level map's 20 x 20 tiles. Rows 0-2: rock, ceiling edge and floor edge,
// one column per level; row 3: three open-water decorations and open water.
#include "art.h"
#include "draw.h"
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int TILE = 20;
constexpr int LEVELS = 6;
constexpr int SHEET_W = LEVELS * TILE;
constexpr int SHEET_H = 4 * TILE;

struct RockColours {
    uint32_t dark, light, rim;
};

// Deeper levels: darker, then stranger (red glow, then cold blue veins).
const RockColours LEVEL_ROCK[LEVELS] = {
    {0x5A3A1E, 0xC8945A, 0x7AAA3A},
    {0x2A3444, 0x8496AA, 0x4AB0A0},
    {0x32203E, 0x8E68A6, 0xE070A8},
    {0x142822, 0x4A7868, 0x9AE060},
    {0x280C08, 0x8E3420, 0xFF8A20},
    {0x08080F, 0x343452, 0x40F0FF},
};

struct Stone {
    double x, y;
    double tone;  // each stone a little lighter or darker
};

// Four stones per tile, one in each quarter so they come out of even size.
std::vector<Stone> StonesOf(int level)
{
    Rng rng(900 + level);
    std::vector<Stone> stones;
    for (int i = 0; i < 4; i++) {
        double x = (i % 2) * TILE / 2 + rng.Range(2, 8), y = (i / 2) * TILE / 2 + rng.Range(2, 8);
        stones.push_back({x + (i / 2) * 5.0, y, rng.Range(-0.1, 0.1)});
    }
    return stones;
}

// Distance on the tile's torus, so stones cross the edges and tiles join seamlessly.
double WrappedDistance(double ax, double ay, double bx, double by, double* dx, double* dy)
{
    *dx = std::remainder(ax - bx, double(TILE));
    *dy = std::remainder(ay - by, double(TILE));
    return std::hypot(*dx, *dy);
}

// Cobbled rock: stones lit from above left, dark joints between them; deep
// down the joints glow.
uint32_t RockPixel(int level, int x, int y)
{
    static std::vector<Stone> stones[LEVELS];
    if (stones[level].empty())
        stones[level] = StonesOf(level);
    const RockColours& c = LEVEL_ROCK[level];
    double best = 1e9, second = 1e9, lx = 0, ly = 0, tone = 0;
    for (const Stone& s : stones[level]) {
        double dx, dy, d = WrappedDistance(x + 0.5, y + 0.5, s.x, s.y, &dx, &dy);
        if (d < best) {
            second = best;
            best = d, lx = dx, ly = dy, tone = s.tone;
        } else if (d < second) {
            second = d;
        }
    }
    if (second - best < 1.1)
        return level >= 4 ? Mix(c.dark, c.rim, 0.4) : Mix(c.dark, 0x000000, 0.2);
    double light = 0.4 + tone + 0.25 * std::max(0.0, 1 - best / 7) - 0.012 * (lx + ly);
    return Mix(c.dark, c.light, std::clamp(light, 0.0, 1.0));
}

// Everything that kills by touch is outlined in this near-black where it meets the water.
constexpr uint32_t ROCK_OUTLINE = 0x140E0A;

// Height of the rock's edge in an edge tile, the same at x = 0 and x = 20.
double EdgeLine(int level, int x)
{
    return 3.0 * std::sin(2 * PI * x / TILE + level) + 0.7 * std::sin(4 * PI * x / TILE + level * 2.3);
}

void DrawRockTile(Image& sheet, int level)
{
    for (int y = 0; y < TILE; y++)
        for (int x = 0; x < TILE; x++)
            sheet.At(level * TILE + x, y) = RockPixel(level, x, y);
}

// The ceiling hangs down to about the middle; its underside is in shadow.
void DrawCeilingTile(Image& sheet, int level)
{
    for (int x = 0; x < TILE; x++) {
        double edge = 11 + EdgeLine(level, x);
        for (int y = 0; y < TILE; y++) {
            if (y >= edge)
                continue;
            uint32_t c = RockPixel(level, x, y);
            if (y >= edge - 1)
                c = ROCK_OUTLINE;
            else if (y >= edge - 2.5)
                c = Mix(c, 0x000000, 0.45);
            sheet.At(level * TILE + x, TILE + y) = c;
        }
    }
}

// The floor rises to about the middle, its top lit and overgrown.
void DrawFloorTile(Image& sheet, int level)
{
    const RockColours& colours = LEVEL_ROCK[level];
    for (int x = 0; x < TILE; x++) {
        double edge = 9 - EdgeLine(level, x);
        for (int y = 0; y < TILE; y++) {
            if (y < edge)
                continue;
            uint32_t c = RockPixel(level, x, y);
            if (y < edge + 1)
                c = ROCK_OUTLINE;
            else if (y < edge + 2.5)
                c = Mix(colours.rim, 0xFFFFFF, 0.15 * ((x + level) % 3 == 0));
            else if (y < edge + 4.5)
                c = Mix(c, colours.rim, 0.4);
            sheet.At(level * TILE + x, 2 * TILE + y) = c;
        }
    }
}

// The open-water decorations kill like the walls, so they are drawn as walls are:
// the first level's cobbled rock, the outline the walls have where they meet the
// water, the floor's overgrown rim along the top and the ceiling's shade underneath.
// A stone's outline: a start point and cubic curves (two control points and an end).
struct StoneOutline {
    double x, y;
    std::vector<std::array<double, 6>> curves;
};

// A pointed spire, two knobbly peaks on one base, and a round boulder flat underneath.
const StoneOutline STONES[3] = {
    {1.5, 19, {{2.5, 12, 6.5, 5, 10.5, 1}, {13, 5, 17.5, 11, 18.5, 19}}},
    {1.5, 19, {{1, 12, 3, 3.5, 6.5, 3.5}, {9, 3.5, 9.5, 9, 10.5, 9}, {11.5, 9, 12, 1.5, 15, 1.5}, {18.5, 1.5, 19, 12, 18.5, 19}}},
    {1.5, 18.5, {{0.5, 9, 5, 3, 10.5, 3}, {16, 3, 19.5, 9, 18.5, 18.5}}},
};

constexpr double STONE_LIGHT = 0.7;

void DrawStoneDecoration(Image& sheet, int column, const StoneOutline& outline)
{
    Image shape = RenderSprite(TILE, TILE, [&](cairo_t* cr) {
        cairo_move_to(cr, outline.x, outline.y);
        for (const auto& c : outline.curves)
            cairo_curve_to(cr, c[0], c[1], c[2], c[3], c[4], c[5]);
        cairo_close_path(cr);
        SetColour(cr, 0xFFFFFF);
        cairo_fill(cr);
    });
    auto solid = [&](int x, int y) { return x >= 0 && y >= 0 && x < TILE && y < TILE && shape.At(x, y) != PINK; };
    for (int y = 0; y < TILE; y++)
        for (int x = 0; x < TILE; x++) {
            if (!solid(x, y))
                continue;
            bool edge = !solid(x - 1, y) || !solid(x + 1, y) || !solid(x, y - 1) || !solid(x, y + 1);
            const RockColours& rock = LEVEL_ROCK[0];
            // Lit a little more than the walls: a stone stands out in the light of open water.
            uint32_t c = Mix(RockPixel(0, x, y), rock.light, STONE_LIGHT);
            if (edge)
                c = ROCK_OUTLINE;
            else if (!solid(x, y - 2))
                c = rock.rim;  // the floor's rim
            else if (!solid(x, y - 3) || !solid(x - 2, y))
                c = Mix(c, rock.rim, 0.4);
            else if (!solid(x, y + 2) || !solid(x + 2, y))
                c = Mix(c, 0x000000, 0.45);  // the ceiling's shaded underside
            sheet.At(column * TILE + x, 3 * TILE + y) = c;
        }
}

}  // namespace

Image MakeTileSheet()
{
    Image sheet(SHEET_W, SHEET_H, PINK);
    for (int level = 0; level < LEVELS; level++) {
        DrawRockTile(sheet, level);
        DrawCeilingTile(sheet, level);
        DrawFloorTile(sheet, level);
    }
    for (int d = 0; d < 3; d++)
        DrawStoneDecoration(sheet, d, STONES[d]);
    return sheet;  // column 3 of row 3 stays pink: open water
}

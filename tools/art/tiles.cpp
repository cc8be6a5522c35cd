// The level map's 20 x 20 tiles. Rows 0-2: rock, ceiling edge and floor edge,
// one column per level; row 3: three open-water decorations and open water.
#include "art.h"
#include "draw.h"
#include <algorithm>
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
            if (y >= edge - 2.5)
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
            if (y < edge + 2.5)
                c = Mix(colours.rim, 0xFFFFFF, 0.15 * ((x + level) % 3 == 0));
            else if (y < edge + 4.5)
                c = Mix(c, colours.rim, 0.4);
            sheet.At(level * TILE + x, 2 * TILE + y) = c;
        }
    }
}

// The open-water decorations are solid: each sits on a small outlined boulder,
// so it reads as an obstacle to steer round, not as something in the background.
void DrawBoulder(cairo_t* cr, double top, double lean)
{
    cairo_move_to(cr, 1.5, 16.5);
    cairo_curve_to(cr, 0.5, 12.5, 3.5 + lean, top, 9 + lean, top);
    cairo_curve_to(cr, 15 + lean, top - 0.5, 19.5, 11.5, 18.8, 16);
    cairo_curve_to(cr, 18.5, 19.5, 3, 19.8, 1.5, 16.5);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(6 + lean, top + 2, 0.5, 9, 14, 11);
    AddStop(g, 0, 0xC8BCA8);
    AddStop(g, 0.45, 0x857868);
    AddStop(g, 1, 0x3A3028);
    FillAndOutline(cr, g, 0x120C08, 1.4);
    cairo_pattern_destroy(g);
    // A crack and a speck of moss, so it looks like stone.
    cairo_move_to(cr, 12 + lean, top + 3);
    cairo_line_to(cr, 13.5 + lean, top + 6);
    cairo_line_to(cr, 12.5 + lean, top + 8);
    SetColour(cr, 0x2A2018);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    EllipsePath(cr, 5 + lean, top + 2.5, 2, 1);
    SetColour(cr, 0x5A8A3A);
    cairo_fill(cr);
}

void DrawWeed(cairo_t* cr)
{
    DrawBoulder(cr, 10, 0);
    for (int i = 0; i < 3; i++) {
        double x = 5.5 + i * 4.5;
        cairo_move_to(cr, x, 11.5);
        cairo_curve_to(cr, x - 3, 7, x + 3, 4.5, x - 1 + i, 1.5 + (i % 2) * 2);
        StrokeOutlined(cr, i == 1 ? 0x7AE04A : 0x52B830, 1.8, 0x103A10, 3.4);
    }
}

void DrawCoral(cairo_t* cr)
{
    DrawBoulder(cr, 11, -1);
    const double branches[][4] = {{9, 12, 9, 6}, {9, 8.5, 4.5, 4}, {9, 7.5, 14, 3}, {4.5, 4, 3.5, 1.5}, {14, 3, 16, 1.5}, {9, 6, 9.5, 1.5}};
    for (const auto& b : branches) {
        cairo_move_to(cr, b[0], b[1]);
        cairo_line_to(cr, b[2], b[3]);
    }
    StrokeOutlined(cr, 0xFF6A50, 2.2, 0x5A0C0C, 4.0);
}

void DrawShell(cairo_t* cr)
{
    DrawBoulder(cr, 11, 1);
    cairo_move_to(cr, 10, 12.5);
    cairo_curve_to(cr, 2.5, 9.5, 3, 1.5, 10, 1.5);
    cairo_curve_to(cr, 17, 1.5, 17.5, 9.5, 10, 12.5);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 1.5, 0, 12.5);
    AddStop(g, 0, 0xFFF0DA);
    AddStop(g, 1, 0xF08A60);
    FillAndOutline(cr, g, 0x4A2410, 1.2);
    cairo_pattern_destroy(g);
    for (double a = -0.8; a <= 0.81; a += 0.4) {
        cairo_move_to(cr, 10, 11.5);
        cairo_line_to(cr, 10 + 6 * std::sin(a), 11.5 - 8.5 * std::cos(a));
    }
    SetColour(cr, 0x9A5A38);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
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
    void (*decorations[3])(cairo_t*) = {DrawWeed, DrawCoral, DrawShell};
    for (int d = 0; d < 3; d++)
        Paste(sheet, RenderSprite(TILE, TILE, decorations[d]), d * TILE, 3 * TILE);
    return sheet;  // column 3 of row 3 stays pink: open water
}

// The level map's 20 x 20 tiles. Rows 0-2: rock, ceiling edge and floor edge,
// one column per level; row 3: three open-water decorations and open water.
#include "art.h"
#include "draw.h"
#include <algorithm>
#include <cmath>

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

double Wave(double x, double y, int fx, int fy, double shift)
{
    return std::sin(2 * PI * (fx * x + fy * y) / TILE + shift);
}

// Rock grain that repeats every 20 pixels both ways, so tiles join seamlessly.
double Grain(int level, int x, int y)
{
    double s = level * 1.7;
    double v = 0.45 * Wave(x, y, 1, 2, s) + 0.3 * Wave(x, y, 3, -1, s * 2) + 0.2 * Wave(x, y, 2, 5, s + 1);
    uint32_t h = uint32_t(x * 73856093u) ^ uint32_t(y * 19349663u) ^ uint32_t(level * 83492791u);
    h = (h ^ (h >> 13)) * 1274126177u;
    return v + 0.25 * (((h >> 8) & 0xFF) / 255.0 - 0.5);
}

// Thin lines where the grain crosses zero: cracks, or glowing veins deep down.
bool IsCrack(int level, int x, int y)
{
    double c = 0.6 * Wave(x, y, 2, 1, level) + 0.4 * Wave(x, y, -1, 3, level * 0.5);
    return std::fabs(c) < 0.07;
}

uint32_t RockPixel(int level, int x, int y)
{
    const RockColours& c = LEVEL_ROCK[level];
    double g = Grain(level, x, y);
    uint32_t rock = Mix(c.dark, c.light, std::clamp(0.5 + g * 0.45, 0.0, 1.0));
    if (IsCrack(level, x, y))
        rock = level >= 4 ? Mix(rock, c.rim, 0.75) : Mix(rock, 0x000000, 0.45);
    return rock;
}

// Height of the rock's edge in an edge tile, the same at x = 0 and x = 20.
double EdgeLine(int level, int x)
{
    return 3.2 * std::sin(2 * PI * x / TILE + level) + 1.4 * std::sin(4 * PI * x / TILE + level * 2.3);
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

void DrawWeed(cairo_t* cr)
{
    for (int i = 0; i < 3; i++) {
        double x = 5 + i * 5;
        cairo_move_to(cr, x, 19);
        cairo_curve_to(cr, x - 4, 13, x + 4, 8, x - 1 + i, 2 + i * 2);
        SetColour(cr, 0x1E5A1A);
        cairo_set_line_width(cr, 3.6);
        cairo_stroke_preserve(cr);
        SetColour(cr, i == 1 ? 0x6ACB3A : 0x4AA02A);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
}

void DrawCoral(cairo_t* cr)
{
    const double branches[][4] = {{10, 19, 10, 9}, {10, 13, 4, 6}, {10, 11, 16, 4}, {4, 6, 3, 2}, {16, 4, 18, 1}, {10, 9, 11, 2}};
    for (const auto& b : branches) {
        cairo_move_to(cr, b[0], b[1]);
        cairo_line_to(cr, b[2], b[3]);
    }
    SetColour(cr, 0x6A1010);
    cairo_set_line_width(cr, 4.4);
    cairo_stroke_preserve(cr);
    SetColour(cr, 0xFF5A4A);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
}

void DrawShell(cairo_t* cr)
{
    cairo_move_to(cr, 10, 17);
    cairo_curve_to(cr, 0, 12, 1, 3, 10, 3);
    cairo_curve_to(cr, 19, 3, 20, 12, 10, 17);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 3, 0, 17);
    AddStop(g, 0, 0xFFE8D0);
    AddStop(g, 1, 0xE89A70);
    FillAndOutline(cr, g, 0x6A3A20, 1.2);
    cairo_pattern_destroy(g);
    for (double a = -0.8; a <= 0.81; a += 0.4) {
        cairo_move_to(cr, 10, 16);
        cairo_line_to(cr, 10 + 8 * std::sin(a), 16 - 11 * std::cos(a));
    }
    SetColour(cr, 0x9A5A38);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    cairo_rectangle(cr, 7, 16, 6, 3);
    FillAndOutline(cr, 0xE8A080, 0x6A3A20, 1);
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

// The sea itself: the two parallax layers and the front-end backgrounds.
#include "art.h"
#include "draw.h"
#include <cmath>

namespace {

constexpr int LAYER_W = 1280;
constexpr int SCREEN_W = 640;
constexpr int HEIGHT = 480;

void VerticalGradient(cairo_t* cr, int w, uint32_t top, uint32_t middle, uint32_t bottom)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, HEIGHT);
    AddStop(g, 0, top);
    AddStop(g, 0.5, middle);
    AddStop(g, 1, bottom);
    cairo_rectangle(cr, 0, 0, w, HEIGHT);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A shaft of sunlight from the surface, fading with depth.
void LightRay(cairo_t* cr, double x, double width, double slant, double strength)
{
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x + width, 0);
    cairo_line_to(cr, x + width * 2.2 + slant, HEIGHT);
    cairo_line_to(cr, x + slant, HEIGHT);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, HEIGHT);
    AddStop(g, 0, 0xCFF4FF, strength);
    AddStop(g, 0.75, 0xCFF4FF, 0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A skyline of rock whose height repeats every `period` pixels, so a layer wraps.
double Ridge(double x, double period, uint32_t seed, double amplitude)
{
    Rng rng(seed);
    double v = 0;
    for (int k = 1; k <= 24; k++) {
        double a = rng.Range(0.3, 1.0) / k, phase = rng.Range(0, 2 * PI);
        v += a * std::sin(2 * PI * k * 2 * x / period + phase);
    }
    return v * amplitude;
}

void FillRidge(cairo_t* cr, int w, double base, double amplitude, uint32_t seed, bool fromTop)
{
    double edge = fromTop ? 0 : HEIGHT;
    cairo_move_to(cr, 0, edge);
    for (int x = 0; x <= w; x += 4) {
        double y = base + Ridge(x, w, seed, amplitude);
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, w, edge);
    cairo_close_path(cr);
}

void RidgeLayer(cairo_t* cr, int w, double base, double amplitude, uint32_t seed, uint32_t top, uint32_t bottom)
{
    FillRidge(cr, w, base, amplitude, seed, false);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, base - amplitude * 2, 0, HEIGHT);
    AddStop(g, 0, top);
    AddStop(g, 1, bottom);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void FishSilhouette(cairo_t* cr, double x, double y, double size, bool left)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, left ? -size : size, size);
    EllipsePath(cr, 0, 0, 1, 0.45);
    cairo_move_to(cr, -0.8, 0);
    cairo_line_to(cr, -1.5, -0.5);
    cairo_line_to(cr, -1.5, 0.5);
    cairo_close_path(cr);
    cairo_restore(cr);
    cairo_fill(cr);
}

void FishSchool(cairo_t* cr, Rng& rng, double x, double y, int count, uint32_t colour, double alpha)
{
    SetColour(cr, colour, alpha);
    for (int i = 0; i < count; i++)
        FishSilhouette(cr, x + rng.Range(-60, 60), y + rng.Range(-25, 25), rng.Range(4, 7), true);
}

// Drifting plankton; on a layer the specks wrap round its edges like the rest.
void Specks(cairo_t* cr, Rng& rng, int w, int count, double alpha)
{
    for (int i = 0; i < count; i++) {
        double x = rng.Range(0, w), y = rng.Range(0, HEIGHT), r = rng.Range(0.6, 1.5), a = rng.Range(alpha * 0.3, alpha);
        Wrapped(w, [&](double dx) {
            EllipsePath(cr, x + dx, y, r, r);
            SetColour(cr, 0xE0F8FF, a);
            cairo_fill(cr);
        });
    }
}

void Bubble(cairo_t* cr, double x, double y, double r, double alpha)
{
    EllipsePath(cr, x, y, r, r);
    SetColour(cr, 0xBFEFFF, alpha * 0.25);
    cairo_fill_preserve(cr);
    SetColour(cr, 0xE8FBFF, alpha);
    cairo_set_line_width(cr, std::max(0.8, r * 0.18));
    cairo_stroke(cr);
    EllipsePath(cr, x - r * 0.35, y - r * 0.35, r * 0.22, r * 0.22);
    SetColour(cr, 0xFFFFFF, alpha);
    cairo_fill(cr);
}

void BubbleColumn(cairo_t* cr, Rng& rng, double x, double bottom, double top, double alpha)
{
    for (double y = bottom; y > top; y -= rng.Range(14, 30))
        Bubble(cr, x + rng.Range(-6, 6), y, rng.Range(1.8, 4.5) * (0.6 + 0.4 * (y - top) / (bottom - top)), alpha);
}

// A kelp stalk swaying from the sea floor, with leaves along it.
void Kelp(cairo_t* cr, double x, double baseY, double height, double bend, uint32_t stem, uint32_t leaf, uint32_t outline)
{
    const int steps = 12;
    auto at = [&](double t, double* px, double* py) {
        *px = x + bend * std::sin(t * 2.4) * t;
        *py = baseY - height * t;
    };
    for (int i = 1; i < steps; i++) {
        double t = double(i) / steps, px, py;
        at(t, &px, &py);
        double side = (i % 2) ? 1 : -1, len = 16 + 12 * (1 - t);
        // A broad blade rising from the stalk and curling up at its tip.
        cairo_move_to(cr, px, py + 2);
        cairo_curve_to(cr, px + side * len * 0.2, py - len * 0.55, px + side * len * 0.8, py - len * 0.7,
                       px + side * len, py - len * 0.95);
        cairo_curve_to(cr, px + side * len * 0.95, py - len * 0.3, px + side * len * 0.5, py + 1, px, py + 6);
        cairo_close_path(cr);
        FillAndOutline(cr, leaf, outline, 1.2);
        cairo_move_to(cr, px + side * 2, py + 1);
        cairo_curve_to(cr, px + side * len * 0.4, py - len * 0.4, px + side * len * 0.7, py - len * 0.6,
                       px + side * len * 0.9, py - len * 0.85);
        SetColour(cr, Mix(leaf, 0xFFFFFF, 0.25));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    double px, py;
    at(0, &px, &py);
    cairo_move_to(cr, px, py);
    for (int i = 1; i <= steps; i++) {
        at(double(i) / steps, &px, &py);
        cairo_line_to(cr, px, py);
    }
    StrokeOutlined(cr, stem, 2.6, outline, 5);
}

void Boulder(cairo_t* cr, double x, double y, double rx, double ry, uint32_t light, uint32_t dark, uint32_t outline)
{
    EllipsePath(cr, x, y, rx, ry);
    cairo_pattern_t* g = cairo_pattern_create_radial(x - rx * 0.3, y - ry * 0.5, 1, x, y, std::max(rx, ry));
    AddStop(g, 0, light);
    AddStop(g, 1, dark);
    FillAndOutline(cr, g, outline, 1.5);
    cairo_pattern_destroy(g);
}

void Starfish(cairo_t* cr, double x, double y, double r, double turn)
{
    for (int p = 0; p < 10; p++) {
        double a = turn + p * PI / 5, d = (p % 2) ? r * 0.42 : r;
        double px = x + d * std::sin(a), py = y - d * std::cos(a) * 0.8;
        if (p == 0)
            cairo_move_to(cr, px, py);
        else
            cairo_line_to(cr, px, py);
    }
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 1, x, y, r);
    AddStop(g, 0, 0xFFC860);
    AddStop(g, 1, 0xE8602A);
    FillAndOutline(cr, g, 0x5A2008, 1.4);
    cairo_pattern_destroy(g);
    for (int p = 0; p < 5; p++) {
        double a = turn + p * 2 * PI / 5;
        for (double d = r * 0.25; d < r * 0.8; d += r * 0.2) {
            EllipsePath(cr, x + d * std::sin(a), y - d * std::cos(a) * 0.8, 0.9, 0.9);
            SetColour(cr, 0xFFF0C0);
            cairo_fill(cr);
        }
    }
}

// A mound of silt on the sea floor, fading into the water at its top.
void SiltMound(cairo_t* cr, double x, double y, double rx, double ry)
{
    EllipsePath(cr, x, y, rx, ry);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y - ry, 0, y + ry);
    AddStop(g, 0, 0x123A52);
    AddStop(g, 0.6, 0x0A2436);
    AddStop(g, 1, 0x06182A);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// Moss and lichen on a boulder, so it reads as stone rather than a shadow.
void Moss(cairo_t* cr, Rng& rng, double x, double y, double rx, double ry, uint32_t colour)
{
    for (int i = 0; i < 14; i++) {
        double a = rng.Range(PI * 1.05, PI * 1.95), d = rng.Range(0.5, 0.95);
        EllipsePath(cr, x + rx * d * std::cos(a), y + ry * d * std::sin(a), rng.Range(2, 6), rng.Range(1.5, 3.5));
        SetColour(cr, colour, rng.Range(0.5, 0.9));
        cairo_fill(cr);
    }
}

void BranchCoral(cairo_t* cr, Rng& rng, double x, double y, double len, double angle, int depth, uint32_t colour)
{
    double ex = x + len * std::sin(angle), ey = y - len * std::cos(angle);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, ex, ey);
    StrokeOutlined(cr, colour, depth * 2.2 + 1, Mix(colour, 0x000000, 0.5), depth * 2.2 + 3);
    if (depth == 0)
        return;
    BranchCoral(cr, rng, ex, ey, len * rng.Range(0.6, 0.8), angle - rng.Range(0.3, 0.6), depth - 1, colour);
    BranchCoral(cr, rng, ex, ey, len * rng.Range(0.6, 0.8), angle + rng.Range(0.3, 0.6), depth - 1, colour);
}

void FanCoral(cairo_t* cr, double x, double y, double r, uint32_t colour)
{
    for (int i = 0; i < 9; i++) {
        double a = -1.1 + i * 2.2 / 8;
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + r * 0.4 * std::sin(a), y - r * 0.5, x + r * std::sin(a) * 0.9, y - r * std::cos(a) * 0.8,
                       x + r * std::sin(a), y - r * std::cos(a));
    }
    StrokeOutlined(cr, colour, 1.8, Mix(colour, 0x000000, 0.5), 3.2);
}

void SandFloor(cairo_t* cr, int w, double top, uint32_t light, uint32_t dark)
{
    cairo_move_to(cr, 0, HEIGHT);
    for (int x = 0; x <= w; x += 8)
        cairo_line_to(cr, x, top + 8 * std::sin(x * 0.012) + 4 * std::sin(x * 0.037 + 1));
    cairo_line_to(cr, w, HEIGHT);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, top - 10, 0, HEIGHT);
    AddStop(g, 0, light);
    AddStop(g, 1, dark);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, 0xFFF0C0, 0.12);
    cairo_set_line_width(cr, 1.5);
    for (int row = 0; row < 4; row++) {
        double y = top + 14 + row * 10;
        for (int x = -20; x < w; x += 46) {
            cairo_move_to(cr, x + row * 13, y);
            cairo_curve_to(cr, x + row * 13 + 10, y - 4, x + row * 13 + 20, y - 4, x + row * 13 + 30, y);
        }
        cairo_stroke(cr);
    }
}

void Vignette(cairo_t* cr, int w, double strength)
{
    cairo_pattern_t* g = cairo_pattern_create_radial(w / 2.0, HEIGHT * 0.45, HEIGHT * 0.35, w / 2.0, HEIGHT * 0.45, w * 0.75);
    AddStop(g, 0, 0x000010, 0);
    AddStop(g, 1, 0x000010, strength);
    cairo_rectangle(cr, 0, 0, w, HEIGHT);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// ---- The far layer: open deep water, light from above, ridges far away.

void PaintFarLayer(cairo_t* cr)
{
    VerticalGradient(cr, LAYER_W, 0x1F77A8, 0x0E4478, 0x071E40);
    Rng rng(2401);
    for (int i = 0; i < 9; i++) {
        double x = i * LAYER_W / 9.0 + rng.Range(-30, 30), width = rng.Range(25, 70);
        double strength = rng.Range(0.06, 0.13);
        Wrapped(LAYER_W, [&](double dx) { LightRay(cr, x + dx, width, 120, strength); });
    }
    FillRidge(cr, LAYER_W, 40, 22, 11, true);
    SetColour(cr, 0x0C3A66, 0.9);
    cairo_fill(cr);
    RidgeLayer(cr, LAYER_W, 320, 45, 21, 0x0F3C68, 0x0A2C50);
    for (int s = 0; s < 4; s++) {
        double x = 160 + s * 320 + rng.Range(-40, 40), y = rng.Range(150, 280);
        Rng school(500 + s);
        Wrapped(LAYER_W, [&](double dx) {
            Rng copy = school;
            FishSchool(cr, copy, x + dx, y, 9, 0x0A3058, 0.8);
        });
    }
    RidgeLayer(cr, LAYER_W, 395, 35, 31, 0x0A2A4C, 0x061830);
    Specks(cr, rng, LAYER_W, 260, 0.35);
}

// ---- The near layer: kelp and boulders, with pink where the far layer shows.

void PaintNearLayer(cairo_t* cr)
{
    Rng rng(2501);
    const uint32_t outline = 0x0E2A14;
    // Weed hanging from the ceiling.
    for (int i = 0; i < 24; i++) {
        double x = i * LAYER_W / 24.0 + rng.Range(0, 30), len = rng.Range(60, 150);
        Wrapped(LAYER_W, [&](double dx) {
            cairo_move_to(cr, x + dx, -5);
            cairo_curve_to(cr, x + dx + 12, len * 0.4, x + dx - 12, len * 0.7, x + dx + 4, len);
            StrokeOutlined(cr, 0x2E5A40, 5, outline, 8);
        });
    }
    const uint32_t stems[3] = {0x3E7A36, 0x5A6A2A, 0x7A3A2A};
    const uint32_t leaves[3] = {0x2E6A30, 0x4E5E24, 0x6A2E26};
    for (int i = 0; i < 16; i++) {
        double x = i * LAYER_W / 16.0 + rng.Range(0, 50), height = rng.Range(140, 270), bend = rng.Range(-25, 25);
        int tint = i % 5 == 2 ? 2 : i % 3 == 1 ? 1 : 0;
        Wrapped(LAYER_W, [&](double dx) { Kelp(cr, x + dx, HEIGHT + 5, height, bend, stems[tint], leaves[tint], outline); });
    }
    // Soft mounds of silt, no outline, no moss: nothing here may look like the
    // outlined stones that stand in open water and crash the fish.
    for (int i = 0; i < 22; i++) {
        double x = i * LAYER_W / 22.0 + rng.Range(-10, 10), y = rng.Range(440, 470);
        double rx = rng.Range(25, 60), ry = rng.Range(18, 40);
        Wrapped(LAYER_W, [&](double dx) { SiltMound(cr, x + dx, y, rx, ry); });
    }
}

// ---- Front-end backgrounds: calm in the middle, busy at the edges.

void ReefCorner(cairo_t* cr, Rng& rng, double x, bool rightSide)
{
    Boulder(cr, x, 455, 70, 40, 0x5A7A80, 0x1A2E36, 0x0A1418);
    Moss(cr, rng, x, 455, 70, 40, 0x5A9A4A);
    double dir = rightSide ? 1 : -1;
    FanCoral(cr, x + dir * 20, 430, 55, 0xC84A8A);
    BranchCoral(cr, rng, x - dir * 25, 440, 30, dir * 0.2, 3, 0xFF7A50);
    Starfish(cr, x - dir * 12, 452, 13, dir * 0.3);
    for (int i = 0; i < 5; i++) {
        double bx = x - dir * 40 + i * 9;
        cairo_move_to(cr, bx, 470);
        cairo_curve_to(cr, bx - 6, 455, bx + 6, 440, bx + rng.Range(-4, 4), 425 - i * 3);
        StrokeOutlined(cr, 0x5ACB4A, 2.6, 0x0E2A14, 5);
    }
}

void PaintMenuBackground(cairo_t* cr)
{
    VerticalGradient(cr, SCREEN_W, 0x2A8CC4, 0x10508A, 0x0A2C56);
    Rng rng(2201);
    for (int i = 0; i < 7; i++)
        LightRay(cr, 40 + i * 90 + rng.Range(-20, 20), rng.Range(25, 55), rng.Range(-60, 60), rng.Range(0.08, 0.16));
    RidgeLayer(cr, SCREEN_W, 360, 30, 41, 0x11406E, 0x0A2C52);
    FishSchool(cr, rng, 120, 250, 8, 0x0C3A66, 0.8);
    FishSchool(cr, rng, 540, 190, 7, 0x0C3A66, 0.8);
    SandFloor(cr, SCREEN_W, 438, 0xA88A58, 0x3A3024);
    Kelp(cr, 30, 485, 380, 18, 0x4E9A3E, 0x3E8A3A, 0x0E2A14);
    Kelp(cr, 75, 485, 300, -14, 0x4E9A3E, 0x3E8A3A, 0x0E2A14);
    Kelp(cr, 610, 485, 340, -16, 0x4E9A3E, 0x3E8A3A, 0x0E2A14);
    ReefCorner(cr, rng, 90, false);
    ReefCorner(cr, rng, 560, true);
    BubbleColumn(cr, rng, 140, 430, 60, 0.8);
    BubbleColumn(cr, rng, 500, 420, 90, 0.8);
    Specks(cr, rng, SCREEN_W, 120, 0.4);
    Vignette(cr, SCREEN_W, 0.45);
}

void PaintScreenBackground(cairo_t* cr)
{
    VerticalGradient(cr, SCREEN_W, 0x1C6A9E, 0x0C3A6C, 0x061C3C);
    Rng rng(2301);
    for (int i = 0; i < 6; i++)
        LightRay(cr, 30 + i * 110 + rng.Range(-20, 20), rng.Range(25, 50), rng.Range(-50, 50), rng.Range(0.05, 0.09));
    RidgeLayer(cr, SCREEN_W, 410, 25, 51, 0x0C3460, 0x071E3C);
    Kelp(cr, 12, 485, 160, 10, 0x1E4A30, 0x1A4030, 0x08180E);
    Kelp(cr, 628, 485, 190, -10, 0x1E4A30, 0x1A4030, 0x08180E);
    BubbleColumn(cr, rng, 600, 460, 80, 0.35);
    Specks(cr, rng, SCREEN_W, 90, 0.3);
    Vignette(cr, SCREEN_W, 0.5);
}

}  // namespace

Image MakeFarLayer() { return RenderOpaque(LAYER_W, HEIGHT, PaintFarLayer); }
Image MakeNearLayer() { return RenderSprite(LAYER_W, HEIGHT, PaintNearLayer); }
Image MakeMenuBackground() { return RenderOpaque(SCREEN_W, HEIGHT, PaintMenuBackground); }
Image MakeScreenBackground() { return RenderOpaque(SCREEN_W, HEIGHT, PaintScreenBackground); }

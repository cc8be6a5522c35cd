// The sprite sheet of everything in the sea that is not Pesko or the rock.
// Each kind is a row of frames at the place the game's kind table gives.
#include "art.h"
#include "draw.h"
#include "world/character_kinds.h"
#include <cmath>

namespace {

constexpr int SHEET_W = 960;
constexpr int SHEET_H = 688;

// Frame f of n, as an angle round one animation cycle.
double Cycle(int f, int n) { return 2 * PI * f / n; }

void Star(cairo_t* cr, double cx, double cy, int points, double inner, double outer, double turn)
{
    for (int p = 0; p < points * 2; p++) {
        double r = (p % 2) ? inner : outer;
        double a = turn + p * PI / points;
        if (p == 0)
            cairo_move_to(cr, cx + r * std::sin(a), cy - r * std::cos(a));
        else
            cairo_line_to(cr, cx + r * std::sin(a), cy - r * std::cos(a));
    }
    cairo_close_path(cr);
}

void AngryEyes(cairo_t* cr, double cx, double cy, double spread, double r)
{
    for (int side = -1; side <= 1; side += 2) {
        double x = cx + side * spread;
        EllipsePath(cr, x, cy, r, r * 1.1);
        FillAndOutline(cr, 0xFFFFFF, 0x1A0A10, 1);
        EllipsePath(cr, x - side * r * 0.2, cy + r * 0.2, r * 0.5, r * 0.55);
        SetColour(cr, 0x000000);
        cairo_fill(cr);
        SetColour(cr, 0x1A0A10);
        cairo_set_line_width(cr, 1.8);
        // Brows low at the middle of the face: a frown.
        cairo_move_to(cr, x + side * r * 1.2, cy - r * 1.6);
        cairo_line_to(cr, x - side * r * 0.9, cy - r * 0.8);
        cairo_stroke(cr);
    }
}

// Sea urchin: a purple ball of spikes that breathe in and out.
void DrawUrchin(cairo_t* cr, int f, int n)
{
    double cx = 33, cy = 29, pulse = std::sin(Cycle(f, n));
    const int spikes = 26;
    for (int i = 0; i < spikes; i++) {
        double a = i * 2 * PI / spikes + 0.06;
        double len = (i % 2 ? 9.5 : 13.0) + 2.6 * pulse;
        double base = 13, half = 0.11;
        cairo_move_to(cr, cx + base * std::cos(a - half), cy + base * std::sin(a - half));
        cairo_line_to(cr, cx + (base + len) * std::cos(a), cy + (base + len) * std::sin(a) * 0.96);
        cairo_line_to(cr, cx + base * std::cos(a + half), cy + base * std::sin(a + half));
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, base, cx, cy, base + len);
        AddStop(g, 0, 0x4A1660);
        AddStop(g, 1, i % 2 ? 0xD070F0 : 0xF0A8FF);
        FillAndOutline(cr, g, 0x2A0838, 0.8);
        cairo_pattern_destroy(g);
    }
    EllipsePath(cr, cx, cy, 15 + pulse, 14 + pulse);
    cairo_pattern_t* body = cairo_pattern_create_radial(cx - 5, cy - 6, 1, cx, cy, 16);
    AddStop(body, 0, 0xB060D0);
    AddStop(body, 1, 0x3C0E52);
    FillAndOutline(cr, body, 0x200530, 1.5);
    cairo_pattern_destroy(body);
    AngryEyes(cr, cx, cy + 1, 5.5, 3.6);
}

// Coin: a gold disc turning round its upright axis.
void DrawCoin(cairo_t* cr, int f, int n)
{
    double turn = std::cos(Cycle(f, n));
    double rx = 2.6 + 7.4 * std::fabs(turn), ry = 9.6;
    EllipsePath(cr, 10.5 + (turn < 0 ? 0.6 : -0.6), 10.5, rx + 0.9, ry);
    SetColour(cr, 0x8A5A00);
    cairo_fill(cr);
    EllipsePath(cr, 10.5, 10.5, rx, ry);
    cairo_pattern_t* g = cairo_pattern_create_linear(10.5 - rx, 2, 10.5 + rx, 19);
    AddStop(g, 0, 0xFFF6A0);
    AddStop(g, 0.5, 0xFFD020);
    AddStop(g, 1, 0xC88A00);
    FillAndOutline(cr, g, 0x6A4200, 1.1);
    cairo_pattern_destroy(g);
    if (std::fabs(turn) > 0.4) {
        cairo_save(cr);
        cairo_translate(cr, 10.5, 10.5);
        cairo_scale(cr, std::fabs(turn), 1);
        Star(cr, 0, 0, 5, 2.3, 5.5, 0);
        SetColour(cr, 0xFFF8C0);
        cairo_fill_preserve(cr);
        SetColour(cr, 0xB07800);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
}

// Rusty toxic barrel lying on its side, rocking and leaking green goo.
void DrawBarrel(cairo_t* cr, int f, int n)
{
    cairo_translate(cr, 32, 18.5);
    cairo_rotate(cr, 0.05 * std::sin(Cycle(f, n)));
    cairo_new_path(cr);
    cairo_move_to(cr, -26, -14);
    cairo_curve_to(cr, -10, -17, 10, -17, 26, -14);
    cairo_curve_to(cr, 29, -5, 29, 5, 26, 14);
    cairo_curve_to(cr, 10, 17, -10, 17, -26, 14);
    cairo_curve_to(cr, -29, 5, -29, -5, -26, -14);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, -17, 0, 17);
    AddStop(g, 0, 0xD08040);
    AddStop(g, 0.35, 0xA8542A);
    AddStop(g, 1, 0x4E2410);
    FillAndOutline(cr, g, 0x2A1206, 1.6);
    cairo_pattern_destroy(g);
    // Rust blotches, the same on every frame.
    Rng rng(77);
    for (int i = 0; i < 9; i++) {
        EllipsePath(cr, rng.Range(-22, 22), rng.Range(-11, 11), rng.Range(1.5, 4), rng.Range(1, 2.5));
        SetColour(cr, 0x5A2A10, 0.7);
        cairo_fill(cr);
    }
    for (double x : {-15.0, 15.0}) {
        cairo_move_to(cr, x, -16);
        cairo_curve_to(cr, x + 2, -5, x + 2, 5, x, 16);
        SetColour(cr, 0x3A2A20);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    // A hazard sign in the middle.
    cairo_move_to(cr, 0, -8);
    cairo_line_to(cr, 8, 6);
    cairo_line_to(cr, -8, 6);
    cairo_close_path(cr);
    FillAndOutline(cr, 0xF8D020, 0x201000, 1.2);
    cairo_rectangle(cr, -0.9, -3.5, 1.8, 5);
    cairo_rectangle(cr, -0.9, 2.6, 1.8, 1.8);
    SetColour(cr, 0x201000);
    cairo_fill(cr);
    // Goo oozing from the lid, a drop further on each frame.
    double drip = 3 + 4 * f;
    cairo_move_to(cr, 20, 10);
    cairo_curve_to(cr, 22, 12, 21, 14 + drip * 0.3, 22, 12 + drip * 0.4);
    cairo_line_to(cr, 25, 10);
    cairo_close_path(cr);
    FillAndOutline(cr, 0x7CFF3A, 0x1E6010, 1);
    EllipsePath(cr, 23, 11 + drip * 0.45, 1.8, 2.2);
    FillAndOutline(cr, 0x7CFF3A, 0x1E6010, 0.8);
}

// A green glass bottle with a rolled message inside, bobbing.
void DrawBottle(cairo_t* cr, int f, int n)
{
    cairo_translate(cr, 28, 40);
    cairo_rotate(cr, -0.45 + 0.22 * std::sin(Cycle(f, n)));
    cairo_new_path(cr);
    cairo_move_to(cr, -4, -34);
    cairo_line_to(cr, 4, -34);
    cairo_line_to(cr, 4, -22);
    cairo_curve_to(cr, 12, -16, 12, -12, 12, -6);
    cairo_line_to(cr, 12, 28);
    cairo_curve_to(cr, 12, 32, 8, 33, 0, 33);
    cairo_curve_to(cr, -8, 33, -12, 32, -12, 28);
    cairo_line_to(cr, -12, -6);
    cairo_curve_to(cr, -12, -12, -12, -16, -4, -22);
    cairo_close_path(cr);
    cairo_pattern_t* glass = cairo_pattern_create_linear(-12, 0, 12, 0);
    AddStop(glass, 0, 0x2E8A5A);
    AddStop(glass, 0.3, 0x8CE8B8);
    AddStop(glass, 1, 0x1E6040);
    FillAndOutline(cr, glass, 0x0E3020, 1.6);
    cairo_pattern_destroy(glass);
    // The rolled letter and its red ribbon.
    cairo_rectangle(cr, -6, -8, 12, 30);
    FillAndOutline(cr, 0xFFF2C8, 0x806030, 1);
    cairo_move_to(cr, -4, -2);
    cairo_line_to(cr, 4, -2);
    cairo_move_to(cr, -4, 3);
    cairo_line_to(cr, 3, 3);
    cairo_move_to(cr, -4, 14);
    cairo_line_to(cr, 4, 14);
    SetColour(cr, 0x907050);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_rectangle(cr, -6.5, 7, 13, 3);
    SetColour(cr, 0xE02020);
    cairo_fill(cr);
    // Shine on the glass.
    cairo_move_to(cr, -8, -4);
    cairo_line_to(cr, -8, 24);
    SetColour(cr, 0xE8FFF0, 0.8);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_rectangle(cr, -5, -40, 10, 8);
    FillAndOutline(cr, 0xB07840, 0x4A2A10, 1.2);
}

// Sea mine: a dark sphere bristling with detonator horns, a red light on top.
void DrawMine(cairo_t* cr, int, int)
{
    double cx = 25, cy = 25, r = 16.5;
    for (int i = 0; i < 8; i++) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, i * PI / 4);
        cairo_move_to(cr, -4, -r + 3);
        cairo_line_to(cr, -2.2, -r - 5.5);
        cairo_line_to(cr, 2.2, -r - 5.5);
        cairo_line_to(cr, 4, -r + 3);
        cairo_close_path(cr);
        FillAndOutline(cr, 0x8A929A, 0x101418, 1.2);
        EllipsePath(cr, 0, -r - 5.8, 3.2, 2.2);
        FillAndOutline(cr, 0xE0B040, 0x302008, 1);
        cairo_restore(cr);
    }
    EllipsePath(cr, cx, cy, r, r);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - 6, cy - 7, 1, cx, cy, r + 1);
    AddStop(g, 0, 0x8A96A4);
    AddStop(g, 0.5, 0x3A424C);
    AddStop(g, 1, 0x101418);
    FillAndOutline(cr, g, 0x06080A, 1.6);
    cairo_pattern_destroy(g);
    // Welded seam with rivets.
    cairo_move_to(cr, cx - r, cy + 1);
    cairo_curve_to(cr, cx - 9, cy + 7, cx + 9, cy + 7, cx + r, cy + 1);
    SetColour(cr, 0x0A0C10);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    for (int i = -2; i <= 2; i++) {
        EllipsePath(cr, cx + i * 6, cy + 5.5 - std::fabs(i) * 0.9, 1.1, 1.1);
        SetColour(cr, 0xB0B8C0);
        cairo_fill(cr);
    }
    EllipsePath(cr, cx, cy - 7, 3.6, 3.6);
    FillAndOutline(cr, 0xFF2A18, 0x400000, 1.2);
    EllipsePath(cr, cx - 1.1, cy - 8.2, 1.2, 1.2);
    SetColour(cr, 0xFFD8C8);
    cairo_fill(cr);
}

// Extra life: a tiny Pesko.
void DrawExtraLife(cairo_t* cr, int, int)
{
    cairo_translate(cr, 11.5, 7);
    cairo_scale(cr, 0.23, 0.23);
    DrawPesko(cr, 0.2);
}

// Explosion: a flash that swells, turns to fire and breaks into smoke.
void DrawExplosion(cairo_t* cr, int f, int)
{
    const double radius[6] = {12, 16, 19, 21, 22, 22};
    const uint32_t outer[6] = {0xFFE060, 0xFFA020, 0xF06010, 0xC03010, 0x703020, 0x505058};
    const uint32_t inner[6] = {0xFFFFFF, 0xFFFFC0, 0xFFE060, 0xFFA030, 0xC06030, 0x808088};
    double cx = 23, cy = 23, r = radius[f];
    Rng rng(600 + f);
    if (f < 4) {
        Star(cr, cx, cy, 9, r * 0.62, r, rng.Range(0, 1));
        cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
        AddStop(g, 0, inner[f]);
        AddStop(g, 1, outer[f]);
        FillAndOutline(cr, g, Mix(outer[f], 0x300800, 0.5), 1.2);
        cairo_pattern_destroy(g);
    }
    // Puffs: many and close while it burns, fewer and apart as it fades.
    int puffs = f < 4 ? 5 : 7;
    for (int i = 0; i < puffs; i++) {
        double a = i * 2 * PI / puffs + rng.Range(0, 0.6);
        double d = f < 4 ? r * 0.35 : r * 0.55 + rng.Range(0, 3);
        double pr = f < 4 ? r * 0.38 : 6.5 - (f - 4) * 1.2 + rng.Range(0, 1.5);
        EllipsePath(cr, cx + d * std::cos(a), cy + d * std::sin(a), pr, pr);
        cairo_pattern_t* g = cairo_pattern_create_radial(cx + d * std::cos(a) - pr / 3, cy + d * std::sin(a) - pr / 3, 0,
                                                         cx + d * std::cos(a), cy + d * std::sin(a), pr);
        AddStop(g, 0, inner[f]);
        AddStop(g, 1, outer[f]);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

void BubbleBody(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    EllipsePath(cr, cx, cy, rx, ry);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - rx / 3, cy - ry / 3, 1, cx, cy, std::max(rx, ry));
    AddStop(g, 0, 0xE8FBFF);
    AddStop(g, 0.7, 0x9AD8F4);
    AddStop(g, 1, 0x4AA8E0);
    FillAndOutline(cr, g, 0x1E6EA8, 1.3);
    cairo_pattern_destroy(g);
    cairo_arc(cr, cx, cy, std::min(rx, ry) * 0.68, 1.1 * PI, 1.45 * PI);
    SetColour(cr, 0xFFFFFF);
    cairo_set_line_width(cr, std::max(1.2, rx * 0.18));
    cairo_stroke(cr);
    EllipsePath(cr, cx + rx * 0.4, cy + ry * 0.45, rx * 0.1, ry * 0.1);
    cairo_fill(cr);
}

// Bubble: a wobbling air bubble.
void DrawBubble(cairo_t* cr, int f, int n)
{
    double w = std::sin(Cycle(f, n));
    BubbleBody(cr, 15, 15, 12.5 + 1.2 * w, 12.5 - 1.2 * w);
}

// The big fish: a dark, toothy hunter facing left, snapping its jaws.
void DrawBigFish(cairo_t* cr, int f, int n)
{
    double phase = Cycle(f, n), jaw = 0.5 + 0.5 * std::sin(phase);
    // Tail.
    cairo_save(cr);
    cairo_translate(cr, 98, 25);
    cairo_rotate(cr, 0.25 * std::sin(phase + 1));
    cairo_move_to(cr, -4, 0);
    cairo_line_to(cr, 20, -20);
    cairo_curve_to(cr, 14, -6, 14, 6, 20, 20);
    cairo_close_path(cr);
    FillAndOutline(cr, 0x385848, 0x0C1810, 1.6);
    cairo_restore(cr);
    // Spiky dorsal fin.
    cairo_move_to(cr, 44, 12);
    for (int i = 0; i < 5; i++) {
        cairo_line_to(cr, 50 + i * 9, 1 + std::fabs(i - 2) * 1.5);
        cairo_line_to(cr, 54 + i * 9, 10);
    }
    cairo_close_path(cr);
    FillAndOutline(cr, 0x4A7058, 0x0C1810, 1.4);
    // Body with the lower jaw hanging open.
    double mouthY = 27 + 4 * jaw;
    cairo_move_to(cr, 8, 20);
    cairo_curve_to(cr, 20, 4, 70, 2, 100, 20);
    cairo_curve_to(cr, 102, 26, 100, 30, 96, 33);
    cairo_curve_to(cr, 70, 48, 30, 48, 14, mouthY + 12);
    cairo_line_to(cr, 4, mouthY + 6);
    cairo_line_to(cr, 26, mouthY);
    cairo_line_to(cr, 4, 23);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 4, 0, 46);
    AddStop(g, 0, 0x4A7060);
    AddStop(g, 0.55, 0x2E4A3C);
    AddStop(g, 0.75, 0x8CA090);
    AddStop(g, 1, 0xB8C8B8);
    FillAndOutline(cr, g, 0x0A140E, 1.8);
    cairo_pattern_destroy(g);
    // Dark mouth and teeth.
    cairo_move_to(cr, 5, 23.5);
    cairo_line_to(cr, 25, mouthY - 0.5);
    cairo_line_to(cr, 5, mouthY + 5.5);
    cairo_close_path(cr);
    SetColour(cr, 0x501018);
    cairo_fill(cr);
    for (int i = 0; i < 4; i++) {
        double x = 7 + i * 4.5;
        double top = 23.5 + (mouthY - 24) * (x - 5) / 20;
        double bottom = mouthY + 5.5 - 6 * (x - 5) / 20;
        cairo_move_to(cr, x, top);
        cairo_line_to(cr, x + 2, top + 4);
        cairo_line_to(cr, x + 4, top);
        cairo_move_to(cr, x + 1, bottom);
        cairo_line_to(cr, x + 3, bottom - 4);
        cairo_line_to(cr, x + 5, bottom);
    }
    FillAndOutline(cr, 0xFFFFF0, 0x404040, 0.5);
    // Gill and eye.
    cairo_move_to(cr, 38, 14);
    cairo_curve_to(cr, 34, 20, 34, 28, 38, 34);
    SetColour(cr, 0x0A140E);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    EllipsePath(cr, 22, 15, 5, 4.6);
    FillAndOutline(cr, 0xFFE030, 0x201000, 1.2);
    EllipsePath(cr, 21, 15, 1.3, 3.6);
    SetColour(cr, 0x000000);
    cairo_fill(cr);
    cairo_move_to(cr, 15, 10);
    cairo_line_to(cr, 28, 12.5);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    // Side fin.
    cairo_move_to(cr, 48, 30);
    cairo_curve_to(cr, 56, 30, 62, 36 + 3 * std::sin(phase), 66, 40 + 3 * std::sin(phase));
    cairo_curve_to(cr, 58, 40, 52, 38, 48, 30);
    FillAndOutline(cr, 0x5A8068, 0x0C1810, 1.2);
}

// Jellyfish: a glowing violet bell that pulses, trailing stinging tentacles.
void DrawJellyfish(cairo_t* cr, int f, int n)
{
    double phase = Cycle(f, n), s = std::sin(phase);
    double cx = 32, rx = 22 - 3 * s, top = 5 + 2 * s, rim = 28 + s;
    for (int i = 0; i < 6; i++) {
        double x = cx - 15 + i * 6;
        cairo_move_to(cr, x, rim - 2);
        for (int k = 1; k <= 4; k++) {
            double y = rim + k * 8.5;
            cairo_line_to(cr, x + 3.5 * std::sin(phase + i + k * 1.3), std::min(y, 62.0));
        }
        StrokeOutlined(cr, i % 2 ? 0xF0A0F0 : 0xD070E8, 1.8, 0x6A1E80, 3.4);
    }
    cairo_move_to(cr, cx - rx, rim);
    cairo_curve_to(cr, cx - rx, top - 4, cx + rx, top - 4, cx + rx, rim);
    for (int k = 6; k >= 0; k--) {
        double x = cx - rx + k * (2 * rx / 6);
        cairo_curve_to(cr, x + rx / 9, rim + 5, x + rx / 9, rim + 5, x, rim);
    }
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - 6, top + 8, 2, cx, rim, rx + 6);
    AddStop(g, 0, 0xFFD8FF);
    AddStop(g, 0.5, 0xE47AE8);
    AddStop(g, 1, 0x8A2AB0);
    FillAndOutline(cr, g, 0x4A0A60, 1.6);
    cairo_pattern_destroy(g);
    AngryEyes(cr, cx, rim - 9, 6, 3.2);
}

// Actinian: a sea anemone on a stone, its crown of tentacles swaying.
void DrawActinian(cairo_t* cr, int f, int n)
{
    double sway = std::sin(Cycle(f, n));
    EllipsePath(cr, 47, 80, 30, 6);
    FillAndOutline(cr, 0x6A6A78, 0x202028, 1.4);
    cairo_move_to(cr, 30, 80);
    cairo_curve_to(cr, 30, 66, 34, 56, 36, 50);
    cairo_line_to(cr, 58, 50);
    cairo_curve_to(cr, 60, 56, 64, 66, 64, 80);
    cairo_close_path(cr);
    cairo_pattern_t* body = cairo_pattern_create_linear(30, 0, 64, 0);
    AddStop(body, 0, 0xB03A38);
    AddStop(body, 0.4, 0xF07A58);
    AddStop(body, 1, 0x902830);
    FillAndOutline(cr, body, 0x4A0A10, 1.5);
    cairo_pattern_destroy(body);
    const int count = 11;
    for (int i = 0; i < count; i++) {
        double spread = (i - (count - 1) / 2.0) / ((count - 1) / 2.0);
        double bx = 47 + spread * 10, by = 50;
        double tx = 47 + spread * 40 + sway * 7 * (1 - std::fabs(spread) * 0.4);
        double ty = 12 + std::fabs(spread) * std::fabs(spread) * 26;
        double mx = bx + spread * 12 + sway * 3, my = by - 22;
        cairo_move_to(cr, bx, by);
        cairo_curve_to(cr, mx, my, tx - sway * 4, ty + 8, tx, ty);
        StrokeOutlined(cr, i % 2 ? 0xFF86B0 : 0xFF9A78, 4.6, 0x6A1030, 7.5);
        EllipsePath(cr, tx, ty, 3.6, 3.6);
        FillAndOutline(cr, 0xFFF0A0, 0x6A1030, 1.2);
    }
    EllipsePath(cr, 47, 51, 11, 3.5);
    SetColour(cr, 0x4A0A20);
    cairo_fill(cr);
}

// The friend: a smiling little octopus waving its arms.
void DrawFriend(cairo_t* cr, int f, int n)
{
    double phase = Cycle(f, n), bob = 1.5 * std::sin(phase);
    cairo_translate(cr, 0, bob);
    for (int i = 0; i < 6; i++) {
        double x = 10 + i * 6.4;
        double wave = std::sin(phase + i * 0.9);
        cairo_move_to(cr, x, 30);
        cairo_curve_to(cr, x + 4 * wave, 38, x - 5 * wave, 44, x + 2 + 3 * wave, 52);
        StrokeOutlined(cr, 0x48D8B8, 3.8, 0x0E5A50, 6.4);
    }
    EllipsePath(cr, 26, 20, 19, 17);
    cairo_pattern_t* g = cairo_pattern_create_radial(20, 12, 2, 26, 20, 21);
    AddStop(g, 0, 0xB8FFF0);
    AddStop(g, 0.5, 0x58E0C0);
    AddStop(g, 1, 0x1E9A88);
    FillAndOutline(cr, g, 0x0E4A42, 1.6);
    cairo_pattern_destroy(g);
    for (int side = -1; side <= 1; side += 2) {
        EllipsePath(cr, 26 + side * 7, 19, 4.6, 5.4);
        FillAndOutline(cr, 0xFFFFFF, 0x0E4A42, 1);
        EllipsePath(cr, 26 + side * 7 + 1, 20, 2.4, 3);
        SetColour(cr, 0x101820);
        cairo_fill(cr);
        EllipsePath(cr, 26 + side * 7 + 1.8, 18.6, 0.9, 0.9);
        SetColour(cr, 0xFFFFFF);
        cairo_fill(cr);
        EllipsePath(cr, 26 + side * 12, 26, 3, 1.8);
        SetColour(cr, 0xFF8AA0, 0.8);
        cairo_fill(cr);
    }
    cairo_arc(cr, 26, 25, 4.5, 0.15 * PI, 0.85 * PI);
    SetColour(cr, 0x0E4A42);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

// Credits decoration: a little cluster of rising bubbles.
void DrawDecoration(cairo_t* cr, int, int)
{
    BubbleBody(cr, 9, 14, 7.5, 7.5);
    BubbleBody(cr, 17.5, 6, 4.5, 4.5);
    BubbleBody(cr, 18.5, 17.5, 3.2, 3.2);
}

using DrawKind = void (*)(cairo_t*, int frame, int frames);

// One drawing per kind, in the order of the game's kind table, which gives
// each its size and place on the sheet.
const DrawKind KIND_DRAWINGS[CHARACTER_KIND_COUNT] = {
    DrawUrchin, DrawCoin, DrawBarrel, DrawBottle, DrawMine, DrawExtraLife, DrawExplosion,
    DrawBubble, DrawBigFish, DrawJellyfish, DrawActinian, DrawFriend, DrawDecoration,
};

}  // namespace

Image MakeCharacterSheet()
{
    Image sheet(SHEET_W, SHEET_H, PINK);
    for (int kind = 0; kind < CHARACTER_KIND_COUNT; kind++) {
        const CharacterKindInfo& k = g_CharacterKinds[kind];
        for (int f = 0; f < k.frameCount; f++) {
            auto draw = [&](cairo_t* cr) { KIND_DRAWINGS[kind](cr, f, k.frameCount); };
            Paste(sheet, RenderSprite(k.width, k.height, draw), k.sheetX + f * k.width, k.sheetY);
        }
    }
    return sheet;
}

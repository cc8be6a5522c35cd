// Pesko: a small, bright orange fish with a white band, facing right.
#include "art.h"
#include "draw.h"
#include <cmath>

namespace {

constexpr uint32_t OUTLINE = 0x5A2408;
constexpr uint32_t BODY_LIGHT = 0xFFD23C;
constexpr uint32_t BODY_DARK = 0xF47A12;
constexpr uint32_t FIN = 0xFF6A1F;
constexpr uint32_t FIN_EDGE = 0xFFB347;

struct Pose {
    double tail;      // tail swing, radians
    double fin;       // pectoral fin flap, radians
    double dorsal;    // dorsal fin ripple, pixels
    bool dazed;
};

void DrawTail(cairo_t* cr, double angle)
{
    cairo_save(cr);
    cairo_translate(cr, -26, 0);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 2, -6);
    cairo_curve_to(cr, -8, -14, -16, -22, -22, -20);
    cairo_curve_to(cr, -16, -8, -16, 8, -22, 20);
    cairo_curve_to(cr, -16, 22, -8, 14, 2, 6);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, -22, 0);
    AddStop(g, 0, FIN);
    AddStop(g, 1, FIN_EDGE);
    FillAndOutline(cr, g, OUTLINE, 2);
    cairo_pattern_destroy(g);
    // Fin rays.
    SetColour(cr, OUTLINE, 0.35);
    cairo_set_line_width(cr, 1);
    for (int i = -2; i <= 2; i++) {
        cairo_move_to(cr, -3, i * 2.0);
        cairo_line_to(cr, -16, i * 6.5);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawDorsalFin(cairo_t* cr, double ripple)
{
    cairo_move_to(cr, -16, -16);
    cairo_curve_to(cr, -12, -28 - ripple, 2, -32 + ripple, 12, -19);
    cairo_close_path(cr);
    FillAndOutline(cr, FIN, OUTLINE, 2);
    cairo_move_to(cr, 0, 16);
    cairo_curve_to(cr, -4, 25, -12, 25, -16, 14);
    cairo_close_path(cr);
    FillAndOutline(cr, FIN, OUTLINE, 2);
}

void DrawBody(cairo_t* cr)
{
    EllipsePath(cr, 2, 0, 31, 21);
    cairo_pattern_t* g = cairo_pattern_create_radial(8, -10, 2, 2, 0, 34);
    AddStop(g, 0, 0xFFF0A0);
    AddStop(g, 0.45, BODY_LIGHT);
    AddStop(g, 1, BODY_DARK);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);

    // A white band with a dark rim, kept inside the body.
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, -10, -24);
    cairo_curve_to(cr, -3, -8, -3, 8, -10, 24);
    cairo_line_to(cr, -1, 24);
    cairo_curve_to(cr, 6, 8, 6, -8, -1, -24);
    cairo_close_path(cr);
    FillAndOutline(cr, 0xFFFFFF, 0x3A1A08, 1.6);
    // Belly glow.
    EllipsePath(cr, 6, 12, 20, 8);
    SetColour(cr, 0xFFF6D0, 0.45);
    cairo_fill(cr);
    cairo_restore(cr);

    EllipsePath(cr, 2, 0, 31, 21);
    SetColour(cr, OUTLINE);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
}

void DrawPectoralFin(cairo_t* cr, double angle)
{
    cairo_save(cr);
    cairo_translate(cr, 2, 6);
    cairo_rotate(cr, angle);
    EllipsePath(cr, -7, 0, 9, 4.5);
    FillAndOutline(cr, FIN_EDGE, OUTLINE, 1.5);
    cairo_restore(cr);
}

void DrawOpenEye(cairo_t* cr)
{
    EllipsePath(cr, 19, -6, 8, 8.5);
    FillAndOutline(cr, 0xFFFFFF, OUTLINE, 1.6);
    EllipsePath(cr, 21, -5, 4.6, 5.2);
    SetColour(cr, 0x101018);
    cairo_fill(cr);
    EllipsePath(cr, 22.5, -7.5, 1.8, 1.8);
    SetColour(cr, 0xFFFFFF);
    cairo_fill(cr);
}

void DrawDazedEye(cairo_t* cr)
{
    EllipsePath(cr, 19, -6, 8, 8.5);
    FillAndOutline(cr, 0xFFFFFF, OUTLINE, 1.6);
    SetColour(cr, 0x101018);
    cairo_set_line_width(cr, 2.2);
    cairo_move_to(cr, 15, -10);
    cairo_line_to(cr, 23, -2);
    cairo_move_to(cr, 23, -10);
    cairo_line_to(cr, 15, -2);
    cairo_stroke(cr);
}

void DrawFace(cairo_t* cr, bool dazed)
{
    EllipsePath(cr, 20, 7, 4, 2.5);
    SetColour(cr, 0xFF7A7A, 0.7);
    cairo_fill(cr);
    SetColour(cr, OUTLINE);
    cairo_set_line_width(cr, 1.8);
    if (dazed) {
        cairo_move_to(cr, 26, 8);
        cairo_curve_to(cr, 28, 5, 30, 11, 32, 7);
    } else {
        cairo_arc(cr, 28, 3, 4.5, 0.4 * PI, 0.95 * PI);
    }
    cairo_stroke(cr);
    if (dazed)
        DrawDazedEye(cr);
    else
        DrawOpenEye(cr);
}

void DrawFish(cairo_t* cr, const Pose& pose)
{
    DrawTail(cr, pose.tail);
    DrawDorsalFin(cr, pose.dorsal);
    DrawBody(cr);
    DrawPectoralFin(cr, pose.fin);
    DrawFace(cr, pose.dazed);
}

Image SwimFrame(int i)
{
    double phase = 2 * PI * i / FISH_SWIM_FRAMES;
    return RenderSprite(FISH_FRAME_W, FISH_FRAME_H, [&](cairo_t* cr) {
        cairo_translate(cr, 56, 37 + 1.5 * std::sin(phase + PI / 2));
        DrawFish(cr, {0.38 * std::sin(phase), 0.5 * std::sin(phase + 1.2), 2.5 * std::sin(phase), false});
    });
}

void DrawDizzyStars(cairo_t* cr, double phase)
{
    for (int k = 0; k < 3; k++) {
        double a = phase + k * 2 * PI / 3;
        double x = 50 + 18 * std::cos(a), y = 9 + 4 * std::sin(a);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        cairo_move_to(cr, 0, -5);
        for (int p = 1; p < 10; p++) {
            double r = (p % 2) ? 2.2 : 5;
            cairo_line_to(cr, r * std::sin(p * PI / 5), -r * std::cos(p * PI / 5));
        }
        cairo_close_path(cr);
        FillAndOutline(cr, 0xFFF45C, 0x7A5A00, 1);
        cairo_restore(cr);
    }
}

// Belly up, rocking as it floats away, with stars circling over it.
Image CrashedFrame(int i)
{
    const double rock[4] = {-0.22, -0.07, 0.22, 0.07};
    return RenderSprite(FISH_FRAME_W, FISH_FRAME_H, [&](cairo_t* cr) {
        cairo_save(cr);
        cairo_translate(cr, 55, 42);
        cairo_rotate(cr, rock[i]);
        cairo_scale(cr, 1, -1);
        DrawFish(cr, {0.25 * std::sin(i * PI / 2), 0.3, 0, true});
        cairo_restore(cr);
        DrawDizzyStars(cr, i * PI / 6);
    });
}

}  // namespace

void DrawPesko(cairo_t* cr, double tailAngle)
{
    DrawFish(cr, {tailAngle, 0.3, 0, false});
}

Image MakeFishSheet()
{
    Image sheet(FISH_FRAME_W * FISH_FRAMES, FISH_FRAME_H, PINK);
    for (int i = 0; i < FISH_FRAMES; i++) {
        Image frame = i < FISH_SWIM_FRAMES ? SwimFrame(i) : CrashedFrame(i - FISH_SWIM_FRAMES);
        Paste(sheet, frame, i * FISH_FRAME_W, 0);
    }
    return sheet;
}

#include "logo.h"
#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double LETTER_START = 1.8;  // the title starts forming
constexpr double LETTER_STAGGER = 0.25;
constexpr const char* TITLE = "PESKO";
constexpr int TITLE_LETTERS = 5;
constexpr double DURATION = double(LOGO_FRAMES) / LOGO_FPS;

double Clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }
double SmoothStep(double v) { v = Clamp01(v); return v * v * (3 - 2 * v); }
double EaseOutBack(double v)
{
    v = Clamp01(v);
    const double c = 1.9;
    double u = v - 1;
    return 1 + (c + 1) * u * u * u + c * u * u;
}

// A small generator of our own, so every build draws the same bubbles.
struct Lcg {
    uint32_t state;
    double Next() { state = state * 1664525u + 1013904223u; return (state >> 8) / 16777216.0; }
};

// Fills the current path with `fill` (which it takes over), then outlines it.
void FillThenOutline(cairo_t* cr, cairo_pattern_t* fill, double r, double g, double b, double width)
{
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    cairo_set_source_rgb(cr, r, g, b);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void DrawWater(cairo_t* cr, double t)
{
    cairo_pattern_t* sea = cairo_pattern_create_linear(0, 0, 0, LOGO_HEIGHT);
    cairo_pattern_add_color_stop_rgb(sea, 0, 0.10, 0.55, 0.78);
    cairo_pattern_add_color_stop_rgb(sea, 0.55, 0.04, 0.28, 0.52);
    cairo_pattern_add_color_stop_rgb(sea, 1, 0.02, 0.10, 0.28);
    cairo_set_source(cr, sea);
    cairo_paint(cr);
    cairo_pattern_destroy(sea);

    // Sunbeams from the surface, swaying slowly.
    for (int i = 0; i < 5; i++) {
        double x = 60 + i * 140 + 25 * std::sin(t * 0.9 + i * 1.7);
        double w = 30 + 12 * std::sin(t * 1.3 + i);
        cairo_pattern_t* beam = cairo_pattern_create_linear(0, 0, 0, LOGO_HEIGHT * 0.8);
        cairo_pattern_add_color_stop_rgba(beam, 0, 1, 1, 0.9, 0.16);
        cairo_pattern_add_color_stop_rgba(beam, 1, 1, 1, 0.9, 0);
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x + w, 0);
        cairo_line_to(cr, x + w + 120, LOGO_HEIGHT * 0.8);
        cairo_line_to(cr, x + 70, LOGO_HEIGHT * 0.8);
        cairo_close_path(cr);
        cairo_set_source(cr, beam);
        cairo_fill(cr);
        cairo_pattern_destroy(beam);
    }
}

void DrawSeaFloor(cairo_t* cr, double t)
{
    // Seaweed first, so the sand covers its roots.
    for (int i = 0; i < 9; i++) {
        double root = 25 + i * 75 + (i % 3) * 11;
        double height = 70 + (i % 4) * 22;
        double sway = 14 * std::sin(t * 1.6 + i * 0.9);
        cairo_move_to(cr, root, LOGO_HEIGHT - 20);
        cairo_curve_to(cr, root - 18, LOGO_HEIGHT - 20 - height * 0.4, root + 18 + sway * 0.5,
                       LOGO_HEIGHT - 20 - height * 0.7, root + sway, LOGO_HEIGHT - 20 - height);
        cairo_set_source_rgb(cr, 0.12, 0.55 + 0.05 * (i % 2), 0.30);
        cairo_set_line_width(cr, 7);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, 0, LOGO_HEIGHT);
    cairo_line_to(cr, 0, LOGO_HEIGHT - 28);
    for (int x = 0; x <= LOGO_WIDTH; x += 20)
        cairo_line_to(cr, x, LOGO_HEIGHT - 30 + 8 * std::sin(x * 0.021) + 4 * std::sin(x * 0.057));
    cairo_line_to(cr, LOGO_WIDTH, LOGO_HEIGHT);
    cairo_close_path(cr);
    cairo_pattern_t* sand = cairo_pattern_create_linear(0, LOGO_HEIGHT - 40, 0, LOGO_HEIGHT);
    cairo_pattern_add_color_stop_rgb(sand, 0, 0.78, 0.70, 0.45);
    cairo_pattern_add_color_stop_rgb(sand, 1, 0.50, 0.42, 0.28);
    cairo_set_source(cr, sand);
    cairo_fill(cr);
    cairo_pattern_destroy(sand);
}

void DrawBubble(cairo_t* cr, double x, double y, double r)
{
    cairo_arc(cr, x, y, r, 0, 2 * PI);
    cairo_set_source_rgba(cr, 0.75, 0.95, 1, 0.18);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.9, 1, 1, 0.75);
    cairo_set_line_width(cr, std::max(1.0, r * 0.12));
    cairo_stroke(cr);
    cairo_arc(cr, x - r * 0.35, y - r * 0.35, r * 0.25, 0, 2 * PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
    cairo_fill(cr);
}

void DrawBubbles(cairo_t* cr, double t)
{
    Lcg rng{20260};
    for (int i = 0; i < 34; i++) {
        double x = rng.Next() * LOGO_WIDTH;
        double r = 3 + rng.Next() * 11;
        double speed = 50 + rng.Next() * 70 + r * 3;
        double phase = rng.Next() * 600;
        double travel = LOGO_HEIGHT + 40;
        double y = LOGO_HEIGHT + 20 - std::fmod(t * speed + phase, travel);
        DrawBubble(cr, x + 8 * std::sin(t * 2.2 + i), y, r);
    }
}

// The fish faces right, centred on the origin, about 200 pixels long.
void DrawFish(cairo_t* cr, double t)
{
    double wag = 0.35 * std::sin(t * 9);
    // Tail.
    cairo_save(cr);
    cairo_translate(cr, -70, 0);
    cairo_rotate(cr, wag);
    cairo_move_to(cr, 10, 0);
    cairo_curve_to(cr, -30, -20, -55, -55, -62, -50);
    cairo_curve_to(cr, -45, -15, -45, 15, -62, 50);
    cairo_curve_to(cr, -55, 55, -30, 20, 10, 0);
    FillThenOutline(cr, cairo_pattern_create_rgb(1.0, 0.45, 0.15), 0.55, 0.18, 0.05, 3);
    cairo_restore(cr);
    // Dorsal fin.
    cairo_move_to(cr, -35, -42);
    cairo_curve_to(cr, -20, -85, 25, -80, 35, -40);
    FillThenOutline(cr, cairo_pattern_create_rgb(1.0, 0.50, 0.18), 0.55, 0.18, 0.05, 3);
    // Body.
    cairo_save(cr);
    cairo_scale(cr, 1.0, 0.62);
    cairo_arc(cr, 0, 0, 80, 0, 2 * PI);
    cairo_restore(cr);
    cairo_pattern_t* skin = cairo_pattern_create_linear(0, -50, 0, 50);
    cairo_pattern_add_color_stop_rgb(skin, 0, 1.0, 0.62, 0.12);
    cairo_pattern_add_color_stop_rgb(skin, 0.6, 1.0, 0.82, 0.25);
    cairo_pattern_add_color_stop_rgb(skin, 1, 1.0, 0.93, 0.60);
    FillThenOutline(cr, skin, 0.55, 0.18, 0.05, 3.5);
    // Two white stripes.
    for (double sx : {-28.0, 5.0}) {
        cairo_save(cr);
        cairo_translate(cr, sx, 0);
        cairo_scale(cr, 0.35, 1.0);
        cairo_arc(cr, 0, 0, 46 - std::fabs(sx) * 0.3, 0, 2 * PI);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
        cairo_fill(cr);
    }
    // Side fin, paddling.
    cairo_save(cr);
    cairo_translate(cr, 10, 18);
    cairo_rotate(cr, 0.5 + 0.3 * std::sin(t * 7));
    cairo_scale(cr, 1.0, 0.45);
    cairo_arc(cr, -15, 0, 20, 0, 2 * PI);
    cairo_restore(cr);
    cairo_set_source_rgb(cr, 1.0, 0.55, 0.20);
    cairo_fill(cr);
    // Eye and a friendly smile.
    cairo_arc(cr, 45, -12, 15, 0, 2 * PI);
    FillThenOutline(cr, cairo_pattern_create_rgb(1, 1, 1), 0.2, 0.1, 0.05, 2);
    cairo_arc(cr, 49, -11, 8, 0, 2 * PI);
    cairo_set_source_rgb(cr, 0.05, 0.05, 0.15);
    cairo_fill(cr);
    cairo_arc(cr, 52, -14, 3, 0, 2 * PI);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    cairo_arc(cr, 58, 14, 10, 0.2 * PI, 0.75 * PI);
    cairo_set_source_rgb(cr, 0.45, 0.12, 0.05);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

void PlaceFish(cairo_t* cr, double t)
{
    // Swims in from the left along a gentle wave, then hovers above the title.
    double arrive = SmoothStep(t / 1.8);
    double x = -180 + arrive * (320 + 180);
    double y = 175 + 40 * (1 - arrive) * std::sin(t * 4) + 8 * std::sin(t * 2.5);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, 0.12 * std::cos(t * 2.5) * (0.4 + 0.6 * (1 - arrive)));
    cairo_scale(cr, 0.95, 0.95);
    DrawFish(cr, t);
    cairo_restore(cr);
}

void DrawLetter(cairo_t* cr, const char* letter, double x, double baseline, double grow)
{
    cairo_text_extents_t ext;
    cairo_text_extents(cr, letter, &ext);
    cairo_save(cr);
    cairo_translate(cr, x + ext.x_advance / 2, baseline - ext.height / 2);
    cairo_scale(cr, grow, grow);
    cairo_move_to(cr, -ext.x_advance / 2, ext.height / 2);
    cairo_text_path(cr, letter);
    cairo_restore(cr);
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, baseline - ext.height, 0, baseline);
    cairo_pattern_add_color_stop_rgb(gold, 0, 1.0, 0.97, 0.55);
    cairo_pattern_add_color_stop_rgb(gold, 1, 1.0, 0.72, 0.10);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    FillThenOutline(cr, gold, 0.05, 0.15, 0.40, 5);
}

void DrawTitle(cairo_t* cr, double t)
{
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 110);
    cairo_text_extents_t whole;
    cairo_text_extents(cr, TITLE, &whole);
    double x = (LOGO_WIDTH - whole.x_advance) / 2;
    const double baseline = 385;
    for (int i = 0; i < TITLE_LETTERS; i++) {
        char letter[2] = {TITLE[i], 0};
        cairo_text_extents_t ext;
        cairo_text_extents(cr, letter, &ext);
        double age = (t - LETTER_START - i * LETTER_STAGGER) / 0.45;
        if (age > 0) {
            double rise = 60 * (1 - SmoothStep(age));
            double bob = 4 * std::sin(t * 3 + i * 0.8) * SmoothStep(age - 1);
            // A bubble carries the letter up, then bursts.
            if (age < 1)
                DrawBubble(cr, x + ext.x_advance / 2, baseline - 40 + rise, 60 * (1 - age) + 8);
            cairo_push_group(cr);
            DrawLetter(cr, letter, x, baseline + rise + bob, 0.2 + 0.8 * EaseOutBack(age));
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, Clamp01(age * 2));
        }
        x += ext.x_advance;
    }
}

void DrawShine(cairo_t* cr, double t)
{
    double sweep = (t - 3.4) / 0.7;
    if (sweep <= 0 || sweep >= 1)
        return;
    double cx = -100 + sweep * (LOGO_WIDTH + 200);
    cairo_pattern_t* shine = cairo_pattern_create_linear(cx - 60, 0, cx + 60, 0);
    cairo_pattern_add_color_stop_rgba(shine, 0, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(shine, 0.5, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(shine, 1, 1, 1, 1, 0);
    cairo_rectangle(cr, 0, 290, LOGO_WIDTH, 110);
    cairo_set_source(cr, shine);
    cairo_fill(cr);
    cairo_pattern_destroy(shine);
}

void Fade(cairo_t* cr, double t)
{
    double dark = std::max(1 - t / 0.4, (t - (DURATION - 0.5)) / 0.5);
    if (dark <= 0)
        return;
    cairo_set_source_rgba(cr, 0, 0, 0, Clamp01(dark));
    cairo_paint(cr);
}

}  // namespace

void DrawLogoFrame(int index, uint8_t* pixels, int stride)
{
    const double t = double(index) / LOGO_FPS;
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_RGB24, LOGO_WIDTH, LOGO_HEIGHT, stride);
    cairo_t* cr = cairo_create(surface);
    DrawWater(cr, t);
    DrawSeaFloor(cr, t);
    DrawBubbles(cr, t);
    DrawTitle(cr, t);
    DrawShine(cr, t);
    PlaceFish(cr, t);
    Fade(cr, t);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    // cairo leaves the unused top byte undefined; the encoder wants it opaque.
    for (int y = 0; y < LOGO_HEIGHT; y++)
        for (int x = 0; x < LOGO_WIDTH; x++)
            pixels[y * stride + x * 4 + 3] = 0xFF;
}

namespace {

struct Voice {
    double start, length, freq, pan, level;
};

double Tone(double freq, double age)
{
    double p = 2 * PI * freq * age;
    return std::sin(p) + 0.30 * std::sin(2 * p) + 0.08 * std::sin(3 * p);
}

// Soft attack, bell-like decay and a short release, so no note clicks.
double Envelope(double age, double length)
{
    if (age < 0 || age > length)
        return 0;
    double attack = std::min(1.0, age / 0.008);
    double release = std::min(1.0, (length - age) / 0.05);
    return attack * release * std::exp(-age * 2.2);
}

std::vector<Voice> Score()
{
    std::vector<Voice> voices;
    // Bubbles popping while the fish swims in: quick upward chirps, played as notes.
    const double blips[] = {0.35, 0.62, 0.95, 1.22, 1.48};
    for (int i = 0; i < 5; i++)
        voices.push_back({blips[i], 0.12, 900.0 + 150 * i, 0.2 + 0.15 * i, 0.18});
    // One note per letter of the title, walking up the major pentatonic.
    const double letters[] = {523.25, 659.25, 783.99, 880.00, 1046.50};
    for (int i = 0; i < TITLE_LETTERS; i++)
        voices.push_back({LETTER_START + i * LETTER_STAGGER, 0.9, letters[i], 0.15 + 0.175 * i, 0.42});
    // The closing chord.
    const double chord[] = {261.63, 329.63, 392.00, 523.25};
    for (int i = 0; i < 4; i++)
        voices.push_back({3.3, 1.55, chord[i], 0.35 + 0.1 * i, 0.32});
    return voices;
}

double Blip(const Voice& v, double age)
{
    // A rising sweep sounds like a bubble.
    double f = v.freq * (1 + 3 * age);
    return std::sin(2 * PI * f * age) * std::sin(PI * std::min(1.0, age / v.length));
}

}  // namespace

std::vector<uint8_t> SynthesizeJingle()
{
    const int samples = LOGO_AUDIO_RATE * LOGO_FRAMES / LOGO_FPS;
    std::vector<double> left(samples), right(samples);
    for (const Voice& v : Score()) {
        bool blip = v.length < 0.2;
        int from = int(v.start * LOGO_AUDIO_RATE);
        int to = std::min(samples, int((v.start + v.length) * LOGO_AUDIO_RATE));
        for (int i = from; i < to; i++) {
            double age = double(i - from) / LOGO_AUDIO_RATE;
            double s = v.level * (blip ? Blip(v, age) : Tone(v.freq, age) * Envelope(age, v.length));
            left[i] += s * (1 - v.pan);
            right[i] += s * v.pan;
        }
    }
    // A low hum of the sea under everything, faded in and out.
    for (int i = 0; i < samples; i++) {
        double t = double(i) / LOGO_AUDIO_RATE;
        double swell = SmoothStep(t / 1.0) * SmoothStep((DURATION - t) / 0.6);
        double hum = 0.10 * swell * (std::sin(2 * PI * 65.41 * t) + 0.5 * std::sin(2 * PI * 98.0 * t));
        left[i] += hum;
        right[i] += hum;
    }
    double peak = 1e-9;
    for (int i = 0; i < samples; i++)
        peak = std::max(peak, std::max(std::fabs(left[i]), std::fabs(right[i])));
    const double gain = 0.7 * 32767 / peak;  // well under full scale
    std::vector<uint8_t> bytes;
    bytes.reserve(size_t(samples) * 4);
    for (int i = 0; i < samples; i++) {
        for (double s : {left[i], right[i]}) {
            int v = int(std::lround(s * gain));
            bytes.push_back(uint8_t(v & 0xFF));
            bytes.push_back(uint8_t((v >> 8) & 0xFF));
        }
    }
    return bytes;
}

// Small drawing helpers shared by every picture of the generator.
#pragma once
#include "image.h"
#include <cairo.h>
#include <cstdint>
#include <functional>

// The same numbers on every build: pictures must not change between builds.
class Rng {
public:
    explicit Rng(uint32_t seed) : m_State(seed) {}
    uint32_t Next()
    {
        m_State = m_State * 1664525u + 1013904223u;
        return m_State >> 8;
    }
    double Unit() { return (Next() & 0xFFFFFF) / double(0x1000000); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

private:
    uint32_t m_State;
};

constexpr double PI = 3.14159265358979323846;

void SetColour(cairo_t* cr, uint32_t rgb, double alpha = 1.0);
void AddStop(cairo_pattern_t* p, double offset, uint32_t rgb, double alpha = 1.0);
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
// Fills the current path with `fill` and strokes it with `outline`.
void FillAndOutline(cairo_t* cr, uint32_t fill, uint32_t outline, double width);
void FillAndOutline(cairo_t* cr, cairo_pattern_t* fill, uint32_t outline, double width);
// Strokes the current path twice: a wide outline, then the colour inside it.
void StrokeOutlined(cairo_t* cr, uint32_t colour, double width, uint32_t outline, double outlineWidth);
uint32_t Mix(uint32_t a, uint32_t b, double t);

// Draws one frame of w x h with `paint` and returns it as sprite pixels.
Image RenderSprite(int w, int h, const std::function<void(cairo_t*)>& paint);
// The same for a picture that covers every pixel.
Image RenderOpaque(int w, int h, const std::function<void(cairo_t*)>& paint);
// Calls `shape` at x and at x +- period, so shapes near an edge wrap around.
void Wrapped(double period, const std::function<void(double dx)>& shape);

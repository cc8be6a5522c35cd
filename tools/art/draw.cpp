#include "draw.h"

static double Channel(uint32_t rgb, int shift) { return ((rgb >> shift) & 0xFF) / 255.0; }

void SetColour(cairo_t* cr, uint32_t rgb, double alpha)
{
    cairo_set_source_rgba(cr, Channel(rgb, 16), Channel(rgb, 8), Channel(rgb, 0), alpha);
}

void AddStop(cairo_pattern_t* p, double offset, uint32_t rgb, double alpha)
{
    cairo_pattern_add_color_stop_rgba(p, offset, Channel(rgb, 16), Channel(rgb, 8), Channel(rgb, 0), alpha);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * PI);
    cairo_restore(cr);
}

void FillAndOutline(cairo_t* cr, uint32_t fill, uint32_t outline, double width)
{
    SetColour(cr, fill);
    cairo_fill_preserve(cr);
    SetColour(cr, outline);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void FillAndOutline(cairo_t* cr, cairo_pattern_t* fill, uint32_t outline, double width)
{
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    SetColour(cr, outline);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void StrokeOutlined(cairo_t* cr, uint32_t colour, double width, uint32_t outline, double outlineWidth)
{
    SetColour(cr, outline);
    cairo_set_line_width(cr, outlineWidth);
    cairo_stroke_preserve(cr);
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

uint32_t Mix(uint32_t a, uint32_t b, double t)
{
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        double v = Channel(a, shift) * (1 - t) + Channel(b, shift) * t;
        out |= uint32_t(v * 255 + 0.5) << shift;
    }
    return out;
}

static Image Render(int w, int h, const std::function<void(cairo_t*)>& paint, bool opaque)
{
    cairo_surface_t* s = NewCanvas(w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    paint(cr);
    cairo_destroy(cr);
    Image img = opaque ? FlattenOpaque(s) : FlattenSprite(s);
    cairo_surface_destroy(s);
    return img;
}

Image RenderSprite(int w, int h, const std::function<void(cairo_t*)>& paint) { return Render(w, h, paint, false); }
Image RenderOpaque(int w, int h, const std::function<void(cairo_t*)>& paint) { return Render(w, h, paint, true); }

void Wrapped(double period, const std::function<void(double dx)>& shape)
{
    shape(-period);
    shape(0);
    shape(period);
}

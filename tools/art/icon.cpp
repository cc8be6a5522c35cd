// The desktop icon: Pesko on a round patch of sea, drawn at any size so that
// the small icons are drawn, not shrunk.
#include "art.h"
#include "draw.h"

bool WriteIcon(int size, const std::string& path)
{
    cairo_surface_t* canvas = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(canvas);
    cairo_scale(cr, size / 100.0, size / 100.0);
    // The sea: a disc lit from above, with a dark rim that holds on any panel colour.
    cairo_pattern_t* sea = cairo_pattern_create_linear(0, 4, 0, 96);
    AddStop(sea, 0, 0x5FC8F0);
    AddStop(sea, 1, 0x0B4F8A);
    EllipsePath(cr, 50, 50, 47, 47);
    FillAndOutline(cr, sea, 0x06284A, 3);
    cairo_pattern_destroy(sea);
    // The fish is about 100 units long from tail to nose; 0.8 leaves a margin.
    cairo_translate(cr, 53, 52);
    cairo_scale(cr, 0.8, 0.8);
    DrawPesko(cr, 0.25);
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(canvas, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(canvas);
    return ok;
}

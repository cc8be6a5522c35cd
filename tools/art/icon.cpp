// The window icon: Pesko on a round patch of sea, so it shows on light and
// dark panels alike. Written as XPM, which Allegro's X11 window takes.
#include "art.h"
#include "draw.h"
#include <cstdio>
#include <map>

Image MakeIcon()
{
    const double size = ICON_SIZE;
    cairo_surface_t* surface = NewCanvas(ICON_SIZE, ICON_SIZE);
    cairo_t* cr = cairo_create(surface);
    cairo_pattern_t* sea = cairo_pattern_create_linear(0, 0, 0, size);
    AddStop(sea, 0.0, 0x3FA9E0);
    AddStop(sea, 1.0, 0x0B3D7A);
    EllipsePath(cr, size / 2, size / 2, size / 2 - 1, size / 2 - 1);
    cairo_set_source(cr, sea);
    cairo_fill_preserve(cr);
    SetColour(cr, 0x06213F);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_pattern_destroy(sea);
    // Pesko is about 92 pixels long; scaled to fill most of the circle.
    cairo_translate(cr, size / 2, size / 2 + 1);
    cairo_scale(cr, size / 110, size / 110);
    DrawPesko(cr, 0.0);
    cairo_destroy(cr);
    Image icon = FlattenSprite(surface);
    cairo_surface_destroy(surface);
    return icon;
}

// Two characters per pixel from 64 symbols: room for every colour of the icon.
static std::string XpmCode(size_t index)
{
    static const char SYMBOLS[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ+-";
    return {SYMBOLS[index / 64 % 64], SYMBOLS[index % 64]};
}

bool WriteXpm(const std::string& path, const std::string& name, const Image& img)
{
    std::map<uint32_t, std::string> codes;
    for (uint32_t rgb : img.px)
        if (!codes.count(rgb))
            codes[rgb] = XpmCode(codes.size());
    FILE* file = fopen(path.c_str(), "w");
    if (!file)
        return false;
    fprintf(file, "/* XPM */\nstatic const char* %s[] = {\n\"%d %d %zu 2\",\n", name.c_str(), img.w, img.h, codes.size());
    for (const auto& [rgb, code] : codes) {
        if (rgb == PINK)
            fprintf(file, "\"%s c None\",\n", code.c_str());
        else
            fprintf(file, "\"%s c #%06X\",\n", code.c_str(), rgb);
    }
    for (int y = 0; y < img.h; y++) {
        fputc('"', file);
        for (int x = 0; x < img.w; x++)
            fputs(codes[img.At(x, y)].c_str(), file);
        fprintf(file, "\"%s\n", y + 1 < img.h ? "," : "");
    }
    fprintf(file, "};\n");
    bool written = !ferror(file);
    return fclose(file) == 0 && written;
}

// The icon: Pesko on a round patch of sea, drawn at any size so that the small
// icons are drawn, not shrunk. The desktop takes it as PNG files, the game's
// X11 window as an XPM picture compiled into the game.
#include "art.h"
#include "draw.h"
#include <cstdio>
#include <map>

// A transparent canvas of size x size pixels with the icon on it; the caller destroys it.
static cairo_surface_t* DrawIcon(int size)
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
    return canvas;
}

bool WriteIcon(int size, const std::string& path)
{
    cairo_surface_t* canvas = DrawIcon(size);
    bool ok = cairo_surface_write_to_png(canvas, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(canvas);
    return ok;
}

Image MakeWindowIcon()
{
    cairo_surface_t* canvas = DrawIcon(WINDOW_ICON_SIZE);
    Image icon = FlattenSprite(canvas);
    cairo_surface_destroy(canvas);
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

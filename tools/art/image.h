// Pictures as the game stores them: opaque 0xRRGGBB pixels, with mask pink
// standing for "nothing here". Cairo draws; these turn its output into that.
#pragma once
#include <cairo.h>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t PINK = 0xFF00FF;
constexpr uint32_t SOLID_RED = 0xFF0000;
constexpr uint32_t EMPTY_BLACK = 0x000000;

struct Image {
    int w = 0, h = 0;
    std::vector<uint32_t> px;

    Image() = default;
    Image(int width, int height, uint32_t fill) : w(width), h(height), px(size_t(width) * height, fill) {}
    uint32_t& At(int x, int y) { return px[size_t(y) * w + x]; }
    uint32_t At(int x, int y) const { return px[size_t(y) * w + x]; }
};

// A fresh transparent cairo canvas; the caller destroys both.
cairo_surface_t* NewCanvas(int w, int h);

// Sprite pixels: opaque enough to be seen keep their colour, the rest turn pink.
Image FlattenSprite(cairo_surface_t* surface);
// Backgrounds: every pixel is kept as if fully opaque.
Image FlattenOpaque(cairo_surface_t* surface);
// The collision twin: pure red wherever the sprite shows, black elsewhere.
Image MaskOf(const Image& sprite);

void Paste(Image& sheet, const Image& part, int x, int y);
// Same picture as a cairo surface (pink shown as is), for the contact sheet.
cairo_surface_t* ToSurface(const Image& img);

bool WriteTga(const std::string& path, const Image& img);
// 8-bit PCX with the given 256-entry palette (RGB triples).
bool WritePcx8(const std::string& path, int w, int h, const std::vector<uint8_t>& indices,
               const std::vector<uint8_t>& palette);

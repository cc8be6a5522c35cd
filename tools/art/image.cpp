#include "image.h"
#include <cstdio>

// Below this coverage an anti-aliased edge pixel is too faint to count.
constexpr int VISIBLE_ALPHA = 128;

cairo_surface_t* NewCanvas(int w, int h)
{
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
}

static uint32_t Unpremultiply(uint32_t argb)
{
    uint32_t a = argb >> 24;
    if (a == 0)
        return 0;
    auto channel = [&](int shift) {
        uint32_t c = (argb >> shift) & 0xFF;
        uint32_t v = (c * 255 + a / 2) / a;
        return v > 255 ? 255u : v;
    };
    return (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

// A drawn pixel must never be mistaken for the transparent colour.
static uint32_t AvoidPink(uint32_t rgb)
{
    return rgb == PINK ? 0xFE00FE : rgb;
}

static Image Flatten(cairo_surface_t* surface, bool keepAll)
{
    cairo_surface_flush(surface);
    int w = cairo_image_surface_get_width(surface);
    int h = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    Image img(w, h, PINK);
    for (int y = 0; y < h; y++) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; x++) {
            uint32_t argb = row[x];
            if (keepAll)
                img.At(x, y) = AvoidPink(argb & 0xFFFFFF);
            else if (int(argb >> 24) >= VISIBLE_ALPHA)
                img.At(x, y) = AvoidPink(Unpremultiply(argb));
        }
    }
    return img;
}

Image FlattenSprite(cairo_surface_t* surface) { return Flatten(surface, false); }
Image FlattenOpaque(cairo_surface_t* surface) { return Flatten(surface, true); }

Image MaskOf(const Image& sprite)
{
    Image mask(sprite.w, sprite.h, EMPTY_BLACK);
    for (size_t i = 0; i < sprite.px.size(); i++)
        if (sprite.px[i] != PINK)
            mask.px[i] = SOLID_RED;
    return mask;
}

void Paste(Image& sheet, const Image& part, int x0, int y0)
{
    for (int y = 0; y < part.h; y++)
        for (int x = 0; x < part.w; x++)
            if (x0 + x < sheet.w && y0 + y < sheet.h)
                sheet.At(x0 + x, y0 + y) = part.At(x, y);
}

cairo_surface_t* ToSurface(const Image& img)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, img.w, img.h);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < img.h; y++) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < img.w; x++)
            row[x] = img.At(x, y);
    }
    cairo_surface_mark_dirty(s);
    return s;
}

static void PutLe16(std::vector<uint8_t>& out, int v)
{
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t((v >> 8) & 0xFF));
}

static bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

// Uncompressed 24-bit TGA, rows bottom to top as every reader expects.
bool WriteTga(const std::string& path, const Image& img)
{
    std::vector<uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    PutLe16(out, img.w);
    PutLe16(out, img.h);
    out.push_back(24);
    out.push_back(0);
    out.reserve(out.size() + img.px.size() * 3);
    for (int y = img.h - 1; y >= 0; y--)
        for (int x = 0; x < img.w; x++) {
            uint32_t c = img.At(x, y);
            out.push_back(uint8_t(c));
            out.push_back(uint8_t(c >> 8));
            out.push_back(uint8_t(c >> 16));
        }
    return WriteBytes(path, out);
}

static void PcxRunLength(std::vector<uint8_t>& out, const uint8_t* row, int n)
{
    for (int x = 0; x < n;) {
        int run = 1;
        while (x + run < n && run < 63 && row[x + run] == row[x])
            run++;
        if (run > 1 || row[x] >= 0xC0)
            out.push_back(uint8_t(0xC0 | run));
        out.push_back(row[x]);
        x += run;
    }
}

bool WritePcx8(const std::string& path, int w, int h, const std::vector<uint8_t>& indices,
               const std::vector<uint8_t>& palette)
{
    int bytesPerLine = w + (w & 1);
    std::vector<uint8_t> out(128, 0);
    out[0] = 10;  // manufacturer
    out[1] = 5;   // version 3.0 with palette
    out[2] = 1;   // run-length encoded
    out[3] = 8;   // bits per pixel
    out[8] = uint8_t((w - 1) & 0xFF), out[9] = uint8_t((w - 1) >> 8);
    out[10] = uint8_t((h - 1) & 0xFF), out[11] = uint8_t((h - 1) >> 8);
    out[12] = 72, out[14] = 72;
    out[65] = 1;  // one colour plane
    out[66] = uint8_t(bytesPerLine & 0xFF), out[67] = uint8_t(bytesPerLine >> 8);
    out[68] = 1;
    std::vector<uint8_t> row(bytesPerLine, 0);
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++)
            row[x] = indices[size_t(y) * w + x];
        PcxRunLength(out, row.data(), bytesPerLine);
    }
    out.push_back(12);
    out.insert(out.end(), palette.begin(), palette.end());
    return WriteBytes(path, out);
}

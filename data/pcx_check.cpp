#include "data/pcx_check.h"
#include <vector>

namespace {

constexpr size_t HEADER_BYTES = 128;
constexpr int MAX_SIDE = 4096;
constexpr int MAX_GLYPHS = 4096;

int Le16(const uint8_t* b)
{
    return b[0] | b[1] << 8;
}

// Run-length rows: a byte 0xC0 | n repeats the next byte n times, and a run
// never carries into the next row. True when every row is there in full.
bool RowsArePresent(const uint8_t* data, size_t size, int rows, int rowBytes)
{
    size_t at = 0;
    for (int y = 0; y < rows; y++) {
        for (int got = 0; got < rowBytes;) {
            if (at >= size)
                return false;
            uint8_t b = data[at++];
            bool run = (b & 0xC0) == 0xC0;
            if (run && at++ >= size)
                return false;
            got += run ? b & 0x3F : 1;
        }
    }
    return true;
}

// The picture as Allegro's PCX loader fills an 8-bit bitmap: a run that goes
// past a row's end is cut there, and bytes past the width are dropped.
std::vector<uint8_t> DecodeRows(const uint8_t* data, int width, int rows, int rowBytes)
{
    std::vector<uint8_t> pixels(size_t(width) * rows);
    size_t at = 0;
    for (int y = 0; y < rows; y++) {
        for (int x = 0; x < rowBytes;) {
            uint8_t b = data[at++];
            int count = 1;
            if ((b & 0xC0) == 0xC0) {
                count = b & 0x3F;
                b = data[at++];
            }
            for (; count > 0 && x < rowBytes; count--, x++)
                if (x < width)
                    pixels[size_t(y) * width + x] = b;
        }
    }
    return pixels;
}

// Counts the glyphs as load_bitmap_font finds them: a glyph's top-left corner
// is a grid pixel with grid pixels right of and below it and none diagonally
// inside; its box runs along the grid lines from there. Off the picture reads as
// no colour at all.
class GlyphGrid {
public:
    GlyphGrid(const std::vector<uint8_t>& pixels, int width, int height)
        : m_Pixels(pixels), m_Width(width), m_Height(height) {}

    int Count(int limit) const
    {
        int x = 0, y = 0, count = 0;
        for (; count <= limit; count++) {
            int w = 0, h = 0;
            if (!Find(x, y, w, h))
                break;
            x += w;
        }
        return count;
    }

private:
    static constexpr int GRID = 255;
    bool Grid(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_Width && y < m_Height && m_Pixels[size_t(y) * m_Width + x] == GRID;
    }
    bool Find(int& x, int& y, int& w, int& h) const
    {
        while (!Grid(x, y) || !Grid(x + 1, y) || !Grid(x, y + 1) || Grid(x + 1, y + 1)) {
            if (++x >= m_Width) {
                x = 0;
                if (++y >= m_Height)
                    return false;
            }
        }
        for (w = 0; Grid(x + w + 1, y) && !Grid(x + w + 1, y + 1) && x + w + 1 <= m_Width; w++) {}
        for (h = 0; Grid(x, y + h + 1) && !Grid(x + 1, y + h + 1) && y + h + 1 <= m_Height; h++) {}
        return w > 0 && h > 0;
    }

    const std::vector<uint8_t>& m_Pixels;
    int m_Width, m_Height;
};

}  // namespace

std::string CheckPcxBytes(const uint8_t* bytes, size_t size)
{
    if (size < HEADER_BYTES)
        return "is cut short (" + std::to_string(size) + " bytes)";
    const uint8_t* h = bytes;
    if (h[0] != 0x0A || h[2] != 1)
        return "is not a PCX picture";
    if (h[3] != 8 || h[65] != 1)
        return std::to_string(int(h[65])) + " planes of " + std::to_string(int(h[3])) +
               " bits, not one plane of 8 bits";
    int width = Le16(h + 8) - Le16(h + 4) + 1;
    int height = Le16(h + 10) - Le16(h + 6) + 1;
    int lineBytes = Le16(h + 66);
    if (width < 1 || width > MAX_SIDE)
        return "width " + std::to_string(width);
    if (height < 1 || height > MAX_SIDE)
        return "height " + std::to_string(height);
    if (lineBytes < width || lineBytes > MAX_SIDE + 1)
        return std::to_string(lineBytes) + " bytes a row for " + std::to_string(width) + " pixels";
    if (!RowsArePresent(bytes + HEADER_BYTES, size - HEADER_BYTES, height, lineBytes))
        return "is cut short (its rows end early)";
    return "";
}

std::string CheckFontPcxBytes(const uint8_t* bytes, size_t size)
{
    std::string problem = CheckPcxBytes(bytes, size);
    if (!problem.empty())
        return problem;
    const int width = Le16(bytes + 8) - Le16(bytes + 4) + 1;
    const int height = Le16(bytes + 10) - Le16(bytes + 6) + 1;
    std::vector<uint8_t> pixels = DecodeRows(bytes + HEADER_BYTES, width, height, Le16(bytes + 66));
    const int glyphs = GlyphGrid(pixels, width, height).Count(MAX_GLYPHS);
    if (glyphs == 0)
        return "has no glyphs (no boxes of colour 255)";
    if (glyphs > MAX_GLYPHS)
        return "has more than " + std::to_string(MAX_GLYPHS) + " glyphs";
    return "";
}

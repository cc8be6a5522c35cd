#include "data/pcx_check.h"

namespace {

constexpr size_t HEADER_BYTES = 128;
constexpr int MAX_SIDE = 4096;

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

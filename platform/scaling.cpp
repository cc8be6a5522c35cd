#include "platform/scaling.h"
#include "platform/picture.h"
#include "files/options.h"
#include <algorithm>
#include <cstdint>
#include <cstring>

int WindowFactorFor(int desktopWidth, int desktopHeight)
{
    int usableHeight = desktopHeight * 9 / 10;
    int factor = MAX_SCALE;
    while (factor > MIN_SCALE && (SCREEN_WIDTH * factor > desktopWidth || SCREEN_HEIGHT * factor > usableHeight))
        factor--;
    return factor;
}

int FullscreenFactorFor(int screenWidth, int screenHeight)
{
    return std::max(1, std::min(screenWidth / SCREEN_WIDTH, screenHeight / SCREEN_HEIGHT));
}

PictureFrame CentredFrame(int screenWidth, int screenHeight, int factor)
{
    PictureFrame frame;
    frame.factor = factor;
    frame.x = std::max(0, (screenWidth - SCREEN_WIDTH * factor) / 2);
    frame.y = std::max(0, (screenHeight - SCREEN_HEIGHT * factor) / 2);
    return frame;
}

static int ToPicture(int screenPos, int origin, int factor, int size)
{
    int pos = screenPos - origin;
    // Left of the picture counts as its first column, not as column -0.
    if (pos < 0)
        return 0;
    return std::min(pos / factor, size - 1);
}

int PictureXFromScreen(const PictureFrame& frame, int screenX)
{
    return ToPicture(screenX, frame.x, frame.factor, SCREEN_WIDTH);
}

int PictureYFromScreen(const PictureFrame& frame, int screenY)
{
    return ToPicture(screenY, frame.y, frame.factor, SCREEN_HEIGHT);
}

int ScreenXFromPicture(const PictureFrame& frame, int pictureX)
{
    return frame.x + pictureX * frame.factor;
}

int ScreenYFromPicture(const PictureFrame& frame, int pictureY)
{
    return frame.y + pictureY * frame.factor;
}

// One picture row widened into one output row.
static void WidenRow(const uint32_t* in, uint32_t* out, int width, int factor)
{
    switch (factor) {
    case 1:
        memcpy(out, in, width * sizeof *out);
        break;
    case 2:
        for (int x = 0; x < width; x++) {
            uint32_t c = in[x];
            out[0] = c;
            out[1] = c;
            out += 2;
        }
        break;
    default:
        for (int x = 0; x < width; x++) {
            uint32_t c = in[x];
            for (int k = 0; k < factor; k++)
                *out++ = c;
        }
    }
}

void ScalePictureRows(BITMAP* picture, int firstRow, int rows, BITMAP* out, int factor)
{
    const int width = picture->w;
    const size_t outRowBytes = static_cast<size_t>(width) * factor * sizeof(uint32_t);
    for (int y = 0; y < rows; y++) {
        uint32_t* first = reinterpret_cast<uint32_t*>(out->line[y * factor]);
        WidenRow(reinterpret_cast<const uint32_t*>(picture->line[firstRow + y]), first, width, factor);
        for (int k = 1; k < factor; k++)
            memcpy(out->line[y * factor + k], first, outRowBytes);
    }
}

void ScaleWholePixels(BITMAP* picture, BITMAP* out, int factor)
{
    ScalePictureRows(picture, 0, picture->h, out, factor);
}

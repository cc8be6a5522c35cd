#include "platform/scaling.h"
#include "platform/picture.h"
#include "files/options.h"
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <emmintrin.h>
#include <vector>

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

// Each picture row is widened in registers, four pixels at a time, into its
// first output row, which is then copied to the rows below. Measured on this
// machine against storing every vector to all rows at once (1.6 times slower:
// the rows' interleaved writes defeat the copy's wide stores) and against
// widening pixel by pixel (bench/display_bench's BM_ScaleByPixel).
namespace {

void Store(uint32_t* out, int at, __m128i v)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), v);
}

// Four picture pixels a b c d become 4 * factor pixels of a row (factor 2-4).
void WidenFour(uint32_t* out, int factor, int at, __m128i v)
{
    switch (factor) {
    case 2:
        Store(out, at, _mm_unpacklo_epi32(v, v));
        Store(out, at + 4, _mm_unpackhi_epi32(v, v));
        break;
    case 3:
        Store(out, at, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 0, 0)));
        Store(out, at + 4, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 2, 1, 1)));
        Store(out, at + 8, _mm_shuffle_epi32(v, _MM_SHUFFLE(3, 3, 3, 2)));
        break;
    default:
        Store(out, at, _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 0, 0, 0)));
        Store(out, at + 4, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 1, 1, 1)));
        Store(out, at + 8, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 2, 2, 2)));
        Store(out, at + 12, _mm_shuffle_epi32(v, _MM_SHUFFLE(3, 3, 3, 3)));
    }
}

constexpr int WIDEST_VECTOR_FACTOR = 4;

// One picture row into `factor` output rows.
void WidenRow(const uint32_t* in, uint32_t* const* out, int width, int factor)
{
    if (factor == 1) {
        memcpy(out[0], in, width * sizeof *in);
        return;
    }
    int x = 0;
    if (factor <= WIDEST_VECTOR_FACTOR) {
        for (; x + 4 <= width; x += 4)
            WidenFour(out[0], factor, x * factor, _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x)));
    }
    for (; x < width; x++)  // the last pixels of a width not a multiple of 4, and factors above 4
        std::fill_n(out[0] + x * factor, factor, in[x]);
    for (int k = 1; k < factor; k++)
        memcpy(out[k], out[0], static_cast<size_t>(width) * factor * sizeof **out);
}

}  // namespace

void ScalePictureOnto(BITMAP* picture, int firstRow, int rows, unsigned char* const* outRows, int outX, int factor)
{
    std::vector<uint32_t*> out(factor);
    for (int y = 0; y < rows; y++) {
        for (int k = 0; k < factor; k++)
            out[k] = reinterpret_cast<uint32_t*>(outRows[y * factor + k]) + outX;
        WidenRow(reinterpret_cast<const uint32_t*>(picture->line[firstRow + y]), out.data(), picture->w, factor);
    }
}

void ScalePictureRows(BITMAP* picture, int firstRow, int rows, BITMAP* out, int factor)
{
    ScalePictureOnto(picture, firstRow, rows, out->line, 0, factor);
}

void ScaleWholePixels(BITMAP* picture, BITMAP* out, int factor)
{
    ScalePictureRows(picture, 0, picture->h, out, factor);
}

#include "world/scroll_layer.h"
#include "world/motion.h"
#include "platform/draw.h"
#include <algorithm>
#include <cstring>

// The layer images are two screens wide; the limits are fixed, not read from the bitmap.
constexpr int LAYER_WIDTH = 1280;
constexpr int LAYER_HEIGHT = 480;

CScrollLayer::CScrollLayer(int screenWidth, int screenHeight)
    : m_Bitmap(nullptr), m_Opaque(false), m_ViewWidth(screenWidth), m_ViewHeight(screenHeight)
{
    Init();
}

static bool HasMaskPixels(BITMAP* image, int w, int h)
{
    const int mask = bitmap_mask_color(image);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (getpixel(image, x, y) == mask)
                return true;
    return false;
}

// The rows of the part a view can show, as wide and high as the layer: what lies
// beyond a smaller image is open water.
static std::shared_ptr<const LayerRows> RowsOf(BITMAP* image, int w, int h)
{
    auto rows = std::make_shared<LayerRows>();
    const int mask = bitmap_mask_color(image);
    for (int y = 0; y < LAYER_HEIGHT; y++) {
        rows->rowStart.push_back(static_cast<int>(rows->edges.size()));
        rows->edges.push_back(0);
        bool drawn = false;
        for (int x = 0; x < LAYER_WIDTH; x++) {
            const bool pixel = x < w && y < h && getpixel(image, x, y) != mask;
            if (pixel != drawn)
                rows->edges.push_back(x);
            drawn = pixel;
        }
        rows->edges.push_back(LAYER_WIDTH);
    }
    rows->rowStart.push_back(static_cast<int>(rows->edges.size()));
    return rows;
}

void CScrollLayer::SetBitmap(BITMAP* bitmap)
{
    m_Bitmap = bitmap;
    m_Rows.reset();
    const int w = bitmap ? std::min(bitmap->w, LAYER_WIDTH) : 0, h = bitmap ? std::min(bitmap->h, LAYER_HEIGHT) : 0;
    m_Opaque = w > 0 && h > 0 && !HasMaskPixels(bitmap, w, h);
    if (w > 0 && h > 0 && !m_Opaque)
        m_Rows = RowsOf(bitmap, w, h);
}

void CScrollLayer::Init()
{
    m_PosX = 0.0f;
    m_PosY = 0.0f;
    m_PrevPosX = 0.0f;
    m_WrapX = 1;
    m_WrapY = 0;
    m_ScreenX = 0;
    m_ScreenY = 0;
}

// The quotient is rounded to a float before it is added, as the layers always moved.
static float StepOf(int step, int divisor)
{
    return divisor != 0 ? static_cast<float>(static_cast<double>(step) / divisor) : 0.0f;
}

void CScrollLayer::StartStep()
{
    m_PrevPosX = m_PosX;
}

void CScrollLayer::Scroll(int stepX, int stepY, int divisorX, int divisorY)
{
    m_PosX += StepOf(stepX, divisorX);
    m_PosY += StepOf(stepY, divisorY);
    // A wrapped view is drawn where it now is, not slid back across the image.
    if (Wrap())
        m_PrevPosX = m_PosX;
}

// Returns true when a wrapping axis went round the image.
static bool WrapAxis(float& pos, int wrap, int limit, int view)
{
    if (wrap == 1) {
        const float before = pos;
        if (pos < 0)
            pos += limit;
        if (pos > limit)
            pos -= limit;
        return pos != before;
    }
    if (pos < 0)
        pos = 0;
    if (pos > limit - view)
        pos = static_cast<float>(limit - view);
    return false;
}

bool CScrollLayer::Wrap()
{
    WrapAxis(m_PosY, m_WrapY, LAYER_HEIGHT, m_ViewHeight);
    return WrapAxis(m_PosX, m_WrapX, LAYER_WIDTH, m_ViewWidth);
}

float CScrollLayer::DrawnPosX(float t) const
{
    return Between(m_PrevPosX, m_PosX, t);
}

using CopyFunction = void (*)(BITMAP*, BITMAP*, int, int, int, int, int, int);

static void DrawPiece(CopyFunction copy, BITMAP* source, BITMAP* dest, int sx, int sy, int dx, int dy, int w, int h)
{
    if (w > 0 && h > 0)
        copy(source, dest, sx, sy, dx, dy, w, h);
}

static int Round(int value, int limit)
{
    return (value % limit + limit) % limit;
}

// The image column and row a layer shows at a screen pixel.
struct ImagePlace {
    int x, y;
};

// How far a layer's image lies from the screen at one moment of a step.
struct ImageOffset {
    int x, y;
    bool wrapsY;

    ImagePlace At(int screenX, int screenY) const
    {
        const int row = screenY + y;
        return {Round(screenX + x, LAYER_WIDTH), wrapsY ? Round(row, LAYER_HEIGHT) : row};
    }
};

static ImageOffset OffsetOf(const CScrollLayer& layer, float t)
{
    return {static_cast<int>(layer.DrawnPosX(t)) - layer.m_ScreenX, static_cast<int>(layer.m_PosY) - layer.m_ScreenY,
            layer.m_WrapY == 1};
}

// n pixels of an image row from column x on, going round its right edge.
static void CopyRound(unsigned char* to, const BITMAP* image, ImagePlace from, int n, int bytes)
{
    const unsigned char* row = image->line[from.y];
    const int first = std::min(n, LAYER_WIDTH - from.x);
    memcpy(to, row + from.x * bytes, first * bytes);
    memcpy(to + first * bytes, row, (n - first) * bytes);
}

bool CScrollLayer::CanDrawOver(BITMAP* dest, const CScrollLayer* under) const
{
    const int depth = dest ? bitmap_color_depth(dest) : 0;
    if (!m_Rows || !IsMemoryPicture(dest, depth) || !IsMemoryPicture(m_Bitmap, depth))
        return false;
    return !under || (under->m_Opaque && IsMemoryPicture(under->m_Bitmap, depth) &&
                      under->m_Bitmap->w >= LAYER_WIDTH && under->m_Bitmap->h >= LAYER_HEIGHT);
}

static bool OnImage(ImagePlace place)
{
    return place.y >= 0 && place.y < LAYER_HEIGHT;
}

void CScrollLayer::DrawOver(BITMAP* dest, const CScrollLayer* under, float t) const
{
    int left = std::max(m_ScreenX, 0), right = std::min(m_ScreenX + m_ViewWidth, dest->w);
    int top = std::max(m_ScreenY, 0), bottom = std::min(m_ScreenY + m_ViewHeight, dest->h);
    if (dest->clip) {
        left = std::max(left, dest->cl), right = std::min(right, dest->cr);
        top = std::max(top, dest->ct), bottom = std::min(bottom, dest->cb);
    }
    const int bytes = (bitmap_color_depth(dest) + 7) / 8;
    const ImageOffset overOffset = OffsetOf(*this, t), underOffset = under ? OffsetOf(*under, t) : ImageOffset{};
    for (int y = top; y < bottom && left < right; y++) {
        ImagePlace over = overOffset.At(left, y);
        const ImagePlace below = under ? underOffset.At(left, y) : ImagePlace{0, -1};
        if (!OnImage(over))
            continue;
        const int* first = &m_Rows->edges[m_Rows->rowStart[over.y]];
        const int* edge = std::upper_bound(first, &m_Rows->edges[m_Rows->rowStart[over.y + 1]], over.x) - 1;
        unsigned char* to = dest->line[y];
        // The row underneath whole, then this layer's pixels over it: two long copies
        // cost less than one for every stretch of water between the weed.
        if (OnImage(below))
            CopyRound(to + left * bytes, under->m_Bitmap, below, right - left, bytes);
        for (int x = left; x < right;) {
            const int n = std::min(edge[1] - over.x, right - x);
            if ((edge - first) % 2 == 1)
                memcpy(to + x * bytes, m_Bitmap->line[over.y] + over.x * bytes, n * bytes);
            x += n;
            over.x += n;
            if (over.x == edge[1])
                edge++;
            if (over.x == LAYER_WIDTH)
                over.x = 0, edge = first;
        }
    }
}

void CScrollLayer::Draw(BITMAP* dest, float t) const
{
    if (!m_Bitmap || !dest)
        return;
    if (CanDrawOver(dest, nullptr)) {
        DrawOver(dest, nullptr, t);
        return;
    }
    const int fx = static_cast<int>(DrawnPosX(t));
    const int fy = static_cast<int>(m_PosY);
    const CopyFunction copy = m_Opaque ? blit : masked_blit;
    const int wA = std::max(0, std::min(m_ViewWidth, LAYER_WIDTH - fx));
    const int hA = std::max(0, std::min(m_ViewHeight, LAYER_HEIGHT - fy));
    const int wB = m_ViewWidth - wA;
    const int hC = m_ViewHeight - hA;
    DrawPiece(copy, m_Bitmap, dest, fx, fy, m_ScreenX, m_ScreenY, wA, hA);
    DrawPiece(copy, m_Bitmap, dest, 0, fy, m_ScreenX + wA, m_ScreenY, wB, hA);
    DrawPiece(copy, m_Bitmap, dest, fx, 0, m_ScreenX, m_ScreenY + hA, wA, hC);
    DrawPiece(copy, m_Bitmap, dest, 0, 0, m_ScreenX + wA, m_ScreenY + hA, wB, hC);
}

#include "world/scroll_layer.h"
#include "world/motion.h"
#include "platform/draw.h"
#include <algorithm>

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

void CScrollLayer::SetBitmap(BITMAP* bitmap)
{
    m_Bitmap = bitmap;
    m_Runs.reset();
    const int w = bitmap ? std::min(bitmap->w, LAYER_WIDTH) : 0, h = bitmap ? std::min(bitmap->h, LAYER_HEIGHT) : 0;
    m_Opaque = w > 0 && h > 0 && !HasMaskPixels(bitmap, w, h);
    if (w > 0 && h > 0 && !m_Opaque)
        m_Runs = RunsOf(bitmap, 0, 0, w, h);  // the part a view can show
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

// The runs drawn where the image's corner falls and, for a view across its edge,
// again one image further on, clipped to the view: the pieces of a wrapped view.
static void DrawRuns(const RLE_SPRITE* runs, BITMAP* dest, int left, int top, int w, int h, int fx, int fy)
{
    const ClipWithin view(dest, left, top, left + w - 1, top + h - 1);
    if (view.IsEmpty())
        return;
    for (int y : {top - fy, top - fy + LAYER_HEIGHT})
        for (int x : {left - fx, left - fx + LAYER_WIDTH})
            draw_rle_sprite(dest, runs, x, y);
}

void CScrollLayer::Draw(BITMAP* dest, float t) const
{
    if (!m_Bitmap || !dest)
        return;
    const int fx = static_cast<int>(DrawnPosX(t));
    const int fy = static_cast<int>(m_PosY);
    if (m_Runs && m_Runs->color_depth == bitmap_color_depth(dest)) {
        DrawRuns(m_Runs.get(), dest, m_ScreenX, m_ScreenY, m_ViewWidth, m_ViewHeight, fx, fy);
        return;
    }
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

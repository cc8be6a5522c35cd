#include "world/scroll_layer.h"
#include "world/motion.h"
#include <algorithm>

// The layer images are two screens wide; the limits are fixed, not read from the bitmap.
constexpr int LAYER_WIDTH = 1280;
constexpr int LAYER_HEIGHT = 480;

CScrollLayer::CScrollLayer(int, int) : m_Bitmap(nullptr)
{
    Init();
}

CScrollLayer::~CScrollLayer()
{
    m_Bitmap = nullptr;
}

void CScrollLayer::SetBitmap(BITMAP* bitmap)
{
    m_Bitmap = bitmap;
}

void CScrollLayer::Init()
{
    m_PosX = 0.0f;
    m_PosY = 0.0f;
    m_PrevPosX = 0.0f;
    m_WrapX = 1;
    m_WrapY = 0;
    m_ViewWidth = 640;
    m_ViewHeight = 480;
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

static void DrawPiece(BITMAP* source, BITMAP* dest, int sx, int sy, int dx, int dy, int w, int h)
{
    if (w > 0 && h > 0)
        masked_blit(source, dest, sx, sy, dx, dy, w, h);
}

void CScrollLayer::Draw(BITMAP* dest, float t) const
{
    if (!m_Bitmap || !dest)
        return;
    const int fx = static_cast<int>(DrawnPosX(t));
    const int fy = static_cast<int>(m_PosY);
    const int wA = std::max(0, std::min(m_ViewWidth, LAYER_WIDTH - fx));
    const int hA = std::max(0, std::min(m_ViewHeight, LAYER_HEIGHT - fy));
    const int wB = m_ViewWidth - wA;
    const int hC = m_ViewHeight - hA;
    DrawPiece(m_Bitmap, dest, fx, fy, m_ScreenX, m_ScreenY, wA, hA);
    DrawPiece(m_Bitmap, dest, 0, fy, m_ScreenX + wA, m_ScreenY, wB, hA);
    DrawPiece(m_Bitmap, dest, fx, 0, m_ScreenX, m_ScreenY + hA, wA, hC);
    DrawPiece(m_Bitmap, dest, 0, 0, m_ScreenX + wA, m_ScreenY + hA, wB, hC);
}

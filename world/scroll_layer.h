// A background image two screens wide that scrolls and wraps (parallax layer).
#pragma once
#include <allegro.h>
#include <memory>

class CScrollLayer {
public:
    CScrollLayer(int screenWidth, int screenHeight);

    // The image is read as it is set (set it again after changing it): one
    // without see-through pixels is copied whole, one with them is kept as runs
    // of drawn pixels, so that a frame skips the open water instead of testing
    // every pixel of it.
    void SetBitmap(BITMAP* bitmap);
    void Init();
    // Called before every logic step, moving or not: the place the next frames slide from.
    void StartStep();
    void Scroll(int stepX, int stepY, int divisorX, int divisorY);
    // True when the view went round the image horizontally.
    bool Wrap();
    // The view's left edge drawn a fraction t of the way through the latest step.
    float DrawnPosX(float t) const;
    // Draws the view at the latest step (t 1) or between the last two steps.
    void Draw(BITMAP* dest, float t = 1.0f) const;

    BITMAP* m_Bitmap;
    bool m_Opaque;       // nothing in the image is see-through
    std::shared_ptr<RLE_SPRITE> m_Runs;  // a see-through image as runs (a copied layer shares them)
    float m_PosX;
    float m_PosY;
    // Where the view was after the previous step; the latest place after a wrap.
    float m_PrevPosX;
    int m_WrapX, m_WrapY;
    int m_ViewWidth, m_ViewHeight;
    int m_ScreenX, m_ScreenY;
};

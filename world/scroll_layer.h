// A background image two screens wide that scrolls and wraps (parallax layer).
#pragma once
#include <allegro.h>
#include <memory>
#include <vector>

// Where each row of a see-through image turns from open water to drawn pixels and
// back: a row's edges start at 0 and end at the row's width; between edges k and
// k + 1 lies water for even k, picture for odd k (a row that starts drawn starts
// with an empty stretch of water).
struct LayerRows {
    std::vector<int> edges;
    std::vector<int> rowStart;  // index of each row's first edge; one more at the end
};

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
    // Whether DrawOver can draw this see-through layer over `under` into dest in one
    // pass (memory bitmaps of one depth, `under` opaque and full size, or none).
    bool CanDrawOver(BITMAP* dest, const CScrollLayer* under) const;
    // This layer's view with `under`'s showing through its open water, each pixel
    // written once; with no `under` the water leaves dest as it was.
    void DrawOver(BITMAP* dest, const CScrollLayer* under, float t) const;

    BITMAP* m_Bitmap;
    bool m_Opaque;       // nothing in the image is see-through
    std::shared_ptr<const LayerRows> m_Rows;  // a see-through image's rows (a copied layer shares them)
    float m_PosX;
    float m_PosY;
    // Where the view was after the previous step; the latest place after a wrap.
    float m_PrevPosX;
    int m_WrapX, m_WrapY;
    int m_ViewWidth, m_ViewHeight;
    int m_ScreenX, m_ScreenY;
};

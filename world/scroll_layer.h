// A background image two screens wide that scrolls and wraps (parallax layer).
#pragma once
#include <allegro.h>

class CScrollLayer {
public:
    CScrollLayer(int screenWidth, int screenHeight);
    ~CScrollLayer();

    void SetBitmap(BITMAP* bitmap);
    void Init();
    void Scroll(int stepX, int stepY, int divisorX, int divisorY);
    void Wrap();
    void Draw(BITMAP* dest) const;

    BITMAP* m_Bitmap;
    float m_PosX;
    float m_PosY;
    int m_WrapX, m_WrapY;
    int m_ViewWidth, m_ViewHeight;
    int m_ScreenX, m_ScreenY;
};

// Placeholder until the scroll layer lands; replaced whole by its implementation.
#include "world/scroll_layer.h"
CScrollLayer::CScrollLayer(int, int) : m_Bitmap(nullptr) { Init(); }
CScrollLayer::~CScrollLayer() { m_Bitmap = nullptr; }
void CScrollLayer::SetBitmap(BITMAP* bitmap) { m_Bitmap = bitmap; }
void CScrollLayer::Init() { m_PosX = m_PosY = 0; m_WrapX = 1; m_WrapY = 0; m_ViewWidth = 640; m_ViewHeight = 480; m_ScreenX = m_ScreenY = 0; }
void CScrollLayer::Scroll(int, int, int, int) {}
void CScrollLayer::Wrap() {}
void CScrollLayer::Draw(BITMAP*) {}

#include "world/game_font.h"

void CGameFont::LoadFont()
{
    m_Font = load_bitmap_font("game_font.pcx", nullptr, nullptr);
}

void CGameFont::DestroyFont()
{
    if (m_Font) {
        destroy_font(m_Font);
        m_Font = nullptr;
    }
}

#include "world/game_font.h"
#include "app/paths.h"

void CGameFont::LoadFont()
{
    // A second load without DestroyFont would lose the first font: free it first.
    DestroyFont();
    // A missing file leaves the holder empty; nothing draws with this font.
    m_Font = load_bitmap_font(DataPath("game_font.pcx").c_str(), nullptr, nullptr);
}

void CGameFont::DestroyFont()
{
    if (m_Font) {
        destroy_font(m_Font);
        m_Font = nullptr;
    }
}

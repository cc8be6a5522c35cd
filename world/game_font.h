// Holder of the bitmap font loaded from "game_font.pcx" for every game.
#pragma once
#include <allegro.h>

class CGameFont {
public:
    CGameFont() {}
    ~CGameFont() {}
    void LoadFont();
    void DestroyFont();

    FONT* m_Font = nullptr;
};

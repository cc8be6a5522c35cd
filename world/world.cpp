#include "world/world.h"
#include "data/datafile.h"
#include "app/globals.h"
#include <algorithm>

// Defined in one place so that they are constructed in this order before main
// runs, and destroyed in the reverse order after it returns.
CPlayer g_Player(SCREEN_WIDTH, SCREEN_HEIGHT);
CGameFont g_GameFont;
CLevelMap g_LevelMap(SCREEN_WIDTH, SCREEN_HEIGHT);
CScrollLayer g_ScrollLayer1(SCREEN_WIDTH, SCREEN_HEIGHT);
CScrollLayer g_ScrollLayer2(SCREEN_WIDTH, SCREEN_HEIGHT);
CCharacter g_Enemies(SCREEN_WIDTH, SCREEN_HEIGHT);
CCharacter g_Icons(SCREEN_WIDTH, SCREEN_HEIGHT);

// Bands of eight tile columns: a band's rock reaches only as far as its thinnest
// column, and each band is one more clipped pass over the layers.
constexpr int ROCK_BAND_WIDTH = 8 * TILE_SIZE;

void DrawLayersBehindRock(BITMAP* dest, float t, const CLevelMap& map, const CScrollLayer* const* layers, int count)
{
    int cl, ct, cr, cb;
    get_clip_rect(dest, &cl, &ct, &cr, &cb);
    for (int left = 0; left < dest->w; left += ROCK_BAND_WIDTH) {
        const CLevelMap::RockReach reach = map.SolidRockOver(left, left + ROCK_BAND_WIDTH, t);
        if (reach.bottom <= reach.top || left > cr)
            continue;
        set_clip_rect(dest, std::max(cl, left), std::max(ct, reach.top), std::min(cr, left + ROCK_BAND_WIDTH - 1),
                      std::min(cb, reach.bottom - 1));
        for (int i = 0; i < count; i++)
            layers[i]->Draw(dest, t);
    }
    set_clip_rect(dest, cl, ct, cr, cb);
}

int ReadPlayerData()
{
    g_Player.SetBitmaps(DataBitmap(BMP_PLAYER), DataBitmap(BMP_PLAYER_MASK));
    return 0;
}

void FreePlayerData()
{
    g_Player.ClearBitmaps();
}

int ReadCharacterData()
{
    g_Enemies.SetBitmaps(DataBitmap(BMP_CHARACTERS), DataBitmap(BMP_CHARACTERS_MASK));
    return 0;
}

void FreeCharacterData()
{
    g_Enemies.ClearBitmaps();
}

void RemoveAllCharacters()
{
    if (g_Enemies.m_CHHead)
        g_Enemies.RemoveAllEnemies();
    if (g_Icons.m_CHHead)
        g_Icons.RemoveAllEnemies();
}

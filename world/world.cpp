#include "world/world.h"
#include "data/datafile.h"
#include "app/globals.h"
#include "platform/draw.h"

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
    for (int left = 0; left < dest->w; left += ROCK_BAND_WIDTH) {
        const CLevelMap::RockReach reach = map.SolidRockOver(left, left + ROCK_BAND_WIDTH, t);
        const ClipWithin band(dest, left, reach.top, left + ROCK_BAND_WIDTH - 1, reach.bottom - 1);
        if (band.IsEmpty())
            continue;
        // A see-through layer over an opaque one is drawn in one pass, each pixel written once.
        if (count == 2 && layers[1]->CanDrawOver(dest, layers[0]))
            layers[1]->DrawOver(dest, layers[0], t);
        else
            for (int i = 0; i < count; i++)
                layers[i]->Draw(dest, t);
    }
}

void DrawFarLayers(BITMAP* dest, float t)
{
    const CScrollLayer* layers[] = {&g_ScrollLayer1, &g_ScrollLayer2};
    DrawLayersBehindRock(dest, t, g_LevelMap, layers, 2);
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

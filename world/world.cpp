#include "world/world.h"
#include "data/datafile.h"
#include "app/globals.h"

// Defined in one place so that they are constructed in this order before main
// runs, and destroyed in the reverse order after it returns.
CPlayer g_Player(SCREEN_WIDTH, SCREEN_HEIGHT);
CGameFont g_GameFont;
CLevelMap g_LevelMap(SCREEN_WIDTH, SCREEN_HEIGHT);
CScrollLayer g_ScrollLayer1(SCREEN_WIDTH, SCREEN_HEIGHT);
CScrollLayer g_ScrollLayer2(SCREEN_WIDTH, SCREEN_HEIGHT);
CCharacter g_Enemies(SCREEN_WIDTH, SCREEN_HEIGHT);
CCharacter g_Icons(SCREEN_WIDTH, SCREEN_HEIGHT);

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

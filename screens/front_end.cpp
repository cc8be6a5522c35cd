#include "screens/front_end.h"
#include "input/input.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "platform/draw.h"
#include "app/globals.h"
#include "app/startup.h"
#include "world/world.h"

void DrawLoneButton(BITMAP* dest, const char* text)
{
    DrawCentredButton(dest, DataFont(FNT_MENU), text, dest->w / 2, dest->h - 80, true);
}

void DrawBackground(BITMAP* dest)
{
    blit(DataBitmap(BMP_SCREEN), dest, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
}

void DrawTopHeading(BITMAP* dest, const char* heading)
{
    DrawHeading(dest, DataFont(FNT_HEADING), heading, dest->w / 2, 10);
}

void DrawBackgroundAndHeading(BITMAP* dest, const char* heading)
{
    DrawBackground(dest);
    DrawTopHeading(dest, heading);
}

void BindFishOrExit()
{
    if (ReadPlayerData() < 0)
        FatalError("Error reading PLAYER DATA'\n");
}

void BindCollection()
{
    (void)ReadCharacterData();
}

void ReleaseCollection()
{
    FreeCharacterData();
    if (g_Enemies.m_CHHead)
        g_Enemies.RemoveAllEnemies();
}

bool KeyEndsScreen()
{
    if (!AnyKeyTyped())
        return false;
    PlaySample(SND_SELECT);
    return true;
}

bool ScreenOver(bool spawningOver)
{
    const bool decorationsGone = spawningOver && g_Enemies.m_CHEnemyCount == 0;
    return KeyEndsScreen() || decorationsGone;
}

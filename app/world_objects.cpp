#include "app/world_objects.h"

// Defined in one place so that they are constructed in this order before main
// runs, and destroyed in the reverse order after it returns.
CPlayer g_Player(640, 480);
CGameFont g_GameFont;
CLevelMap g_LevelMap(640, 480);
CScrollLayer g_ScrollLayer1(640, 480);
CScrollLayer g_ScrollLayer2(640, 480);
CCharacter g_Enemies(640, 480);
CCharacter g_Icons(640, 480);

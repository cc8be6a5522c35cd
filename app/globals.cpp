#include "app/globals.h"
#include "app/display.h"
#include "app/frame_log.h"
#include "app/game_state.h"

std::atomic<int32_t> g_Ticks{0};

void TimerTick()
{
    g_Ticks.fetch_add(1, std::memory_order_relaxed);
}
END_OF_FUNCTION(TimerTick)

BITMAP* g_Page1 = nullptr;
BITMAP* g_Page2 = nullptr;
BITMAP* g_BackBuffer = nullptr;
bool g_VideoPages = false;

void FlipPages()
{
    if (g_VideoPages) {
        show_video_bitmap(g_BackBuffer);
    } else {
        ShowPicture(g_BackBuffer);
    }
    g_BackBuffer = (g_BackBuffer == g_Page1) ? g_Page2 : g_Page1;
    LogFlip();
}

DATAFILE* g_Data = nullptr;
bool g_DemoMode = false;
const GameSettings DEFAULT_SETTINGS = {0, 127, 127};
GameSettings g_Settings = {0, 0, 0};
HiScoreEntry g_HiScores[HISCORE_ROWS] = {};
char g_PlayerName[PLAYER_NAME_MAX + 1] = {};
GameState g_Game = {};

#include "app/globals.h"
#include "platform/display.h"
#include "platform/frame_log.h"

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

bool g_DemoMode = false;

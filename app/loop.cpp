#include "app/loop.h"
#include "app/globals.h"
#include "app/startup.h"
#include "app/x_display.h"

void StartTicks(int periodMs)
{
    install_int(TimerTick, periodMs);
    g_Ticks = 0;
}

void StopTicks()
{
    remove_int(TimerTick);
}

void RunFrames(const std::function<void()>& logicStep, const std::function<bool()>& drawFrame)
{
    bool firstFrame = true;
    for (;;) {
        if (g_CloseRequested)
            QuitAtOnce();
        if (DisplayLost())
            EndForLostDisplay();
        bool stepped = false;
        while (g_Ticks > 0) {
            logicStep();
            g_Ticks--;
            stepped = true;
        }
        if (!stepped && !firstFrame) {
            // Nothing changed since the last frame: wait for the next tick.
            rest(1);
            continue;
        }
        firstFrame = false;
        if (drawFrame())
            return;
    }
}

#include "platform/window.h"
#include <allegro.h>
#include <cstdio>
#include <cstdlib>

void FatalError(const char* message)
{
    if (screen)
        set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    fputs(message, stderr);
    exit(1);
}

void FailNoGraphicMode(const char* reason)
{
    char message[512];
    snprintf(message, sizeof message, "Unable to set any graphic mode\n%s\n", reason);
    FatalError(message);
}

volatile bool g_CloseRequested = false;

static void OnCloseButton()
{
    g_CloseRequested = true;
}
END_OF_FUNCTION(OnCloseButton)

void WatchCloseButton()
{
    LOCK_FUNCTION(OnCloseButton);
    set_close_button_callback(OnCloseButton);
}

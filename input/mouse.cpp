// The mouse in picture coordinates, whatever the scale and the border of the
// graphics mode, and kept in its box and place across mode changes.
#include "input/input.h"
#include "platform/display.h"
#include "platform/picture.h"
#include <allegro.h>

struct MouseBox {
    int left = 0, top = 0, right = SCREEN_WIDTH - 1, bottom = SCREEN_HEIGHT - 1;
};
static MouseBox s_MouseBox;
// Where the pointer was in the picture as the last mode went, to be put back.
static bool s_PointerKept = false;
static int s_KeptX = 0, s_KeptY = 0;

static void ApplyMouseBox()
{
    if (!mouse_driver)
        return;
    const PictureFrame& frame = CurrentPictureFrame();
    int f = frame.factor;
    set_mouse_range(ScreenXFromPicture(frame, s_MouseBox.left), ScreenYFromPicture(frame, s_MouseBox.top),
                    ScreenXFromPicture(frame, s_MouseBox.right) + f - 1,
                    ScreenYFromPicture(frame, s_MouseBox.bottom) + f - 1);
}

int PictureMouseX()
{
    return PictureXFromScreen(CurrentPictureFrame(), mouse_x);
}

int PictureMouseY()
{
    return PictureYFromScreen(CurrentPictureFrame(), mouse_y);
}

void PlaceMouse(int x, int y)
{
    if (!mouse_driver)
        return;
    const PictureFrame& frame = CurrentPictureFrame();
    int half = frame.factor / 2;  // the middle of the picture pixel's block
    position_mouse(ScreenXFromPicture(frame, x) + half, ScreenYFromPicture(frame, y) + half);
}

void ConfineMouse(int left, int top, int right, int bottom)
{
    s_MouseBox = MouseBox{left, top, right, bottom};
    ApplyMouseBox();
}

static void KeepPointer()
{
    s_KeptX = PictureMouseX();
    s_KeptY = PictureMouseY();
    s_PointerKept = true;
}

static void RestorePointer()
{
    ApplyMouseBox();
    if (s_PointerKept)
        PlaceMouse(s_KeptX, s_KeptY);
    s_PointerKept = false;
}

void InstallMouseWatch()
{
    install_mouse();
    WatchModeChanges(KeepPointer, RestorePointer);
}

#include "platform/display.h"
#include "platform/focus.h"
#include "platform/picture.h"
#include "platform/window.h"
#include "platform/x_display.h"
#include <allegro.h>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <ctime>

static DisplayChoice s_Choice;    // what pesko.cfg remembers
static int s_WindowFactor = 1;    // the window's factor, kept for the way back from full screen
static PictureFrame s_Frame;      // where the picture lies on the current screen
static BITMAP* s_Scaled = nullptr;      // one band of the picture at the screen's factor
static BITMAP* s_ShownPage = nullptr;   // the page on view, shown again after a mode change

// Picture rows scaled at a time (480 is a multiple).
constexpr int BAND_ROWS = 32;

// The mouse's owner (input/) keeps the pointer across mode changes.
static void (*s_LeavingMode)() = nullptr;
static void (*s_EnteredMode)() = nullptr;

// The largest window factor up to `wanted` that fits the desktop; `wanted`
// itself when the desktop's size cannot be told.
static int FittingScale(int wanted, int& desktopWidth, int& desktopHeight)
{
    if (get_desktop_resolution(&desktopWidth, &desktopHeight) != 0)
        return wanted;
    return std::min(wanted, WindowFactorFor(desktopWidth, desktopHeight));
}

DisplayChoice StartingDisplayChoice(const Options& options)
{
    DisplayChoice remembered;
    ReadDisplaySettings(DisplaySettingsPath(), remembered);
    DisplayChoice choice = remembered;
    if (options.display != DisplayRequest::Remembered)
        choice.fullscreen = options.display == DisplayRequest::Fullscreen;
    int width = 0, height = 0;
    if (options.scale && FittingScale(options.scale, width, height) < options.scale) {
        // Too big a window for this desktop: fitted to it, and never remembered,
        // so no later start opens too big.
        fprintf(stderr, "pesko: --scale %d does not fit the %d x %d desktop; the window is %dx\n", options.scale,
                width, height, WindowFactorFor(width, height));
        choice.scale = 0;
        if (choice.fullscreen != remembered.fullscreen)
            RememberDisplayChoice(DisplayChoice{choice.fullscreen, remembered.scale});
        return choice;
    }
    if (options.scale)
        choice.scale = options.scale;
    if (!(choice == remembered))
        RememberDisplayChoice(choice);
    return choice;
}

static void Remember(bool fullscreen)
{
    s_Choice.fullscreen = fullscreen;
    RememberDisplayChoice(s_Choice);
}

// A mode change moves the keyboard focus between Allegro's windows; that is no
// focus loss of the player's.
static bool SetMode(int card, int width, int height)
{
    IgnoreFocusChanges(true);
    bool ok = set_gfx_mode(card, width, height, 0, 0) == 0;
    IgnoreFocusChanges(false);
    return ok;
}

// Everything that belongs to one graphics mode: the scaled copy, the black
// border, the title, the focus watch and the mouse's box.
static void PrepareScreen(const PictureFrame& frame)
{
    s_Frame = frame;
    if (s_Scaled)
        destroy_bitmap(s_Scaled);
    s_Scaled = nullptr;
    if (frame.factor > 1)
        s_Scaled = create_bitmap(SCREEN_WIDTH * frame.factor, BAND_ROWS * frame.factor);
    if (!s_Scaled)
        s_Frame = CentredFrame(SCREEN_W, SCREEN_H, 1);
    clear_to_color(screen, makecol(0, 0, 0));
    set_window_title("Pesko");
    WatchDisplay("Pesko");
    WatchFocus();
    ForgetFocusLoss();
    if (s_EnteredMode)
        s_EnteredMode();
}

void WatchModeChanges(void (*leaving)(), void (*entered)())
{
    s_LeavingMode = leaving;
    s_EnteredMode = entered;
}

static bool SetWindowed(int factor)
{
    for (int f = factor; f >= MIN_SCALE; f--) {
        if (SetMode(GFX_AUTODETECT_WINDOWED, SCREEN_WIDTH * f, SCREEN_HEIGHT * f)) {
            s_WindowFactor = f;
            PrepareScreen(PictureFrame{f, 0, 0});
            return true;
        }
    }
    if (!SetMode(GFX_SAFE, SCREEN_WIDTH, SCREEN_HEIGHT))
        return false;
    s_WindowFactor = 1;
    PrepareScreen(CentredFrame(SCREEN_W, SCREEN_H, 1));
    return true;
}

// The desktop's own size, so the screen's resolution never changes.
static bool SetFullscreen()
{
    int width = 0, height = 0;
    if (get_desktop_resolution(&width, &height) != 0 || width < SCREEN_WIDTH || height < SCREEN_HEIGHT)
        return false;
    if (!SetMode(GFX_AUTODETECT_FULLSCREEN, width, height))
        return false;
    PrepareScreen(CentredFrame(SCREEN_W, SCREEN_H, FullscreenFactorFor(SCREEN_W, SCREEN_H)));
    return true;
}

static int WantedWindowFactor(const DisplayChoice& choice)
{
    int width = 0, height = 0;
    if (choice.scale)
        return FittingScale(choice.scale, width, height);  // pesko.cfg may be from a bigger desktop
    if (get_desktop_resolution(&width, &height) != 0)
        return MIN_SCALE;
    return WindowFactorFor(width, height);
}

bool OpenDisplay(const DisplayChoice& choice)
{
    set_color_depth(COLOR_DEPTH);
    s_Choice = choice;
    s_WindowFactor = WantedWindowFactor(choice);
    if (choice.fullscreen) {
        if (SetFullscreen())
            return true;
        Remember(false);
    }
    return SetWindowed(s_WindowFactor);
}

void CloseDisplay()
{
    if (s_Scaled)
        destroy_bitmap(s_Scaled);
    s_Scaled = nullptr;
    s_ShownPage = nullptr;
}

bool IsFullscreen()
{
    return s_Choice.fullscreen;
}

const PictureFrame& CurrentPictureFrame()
{
    return s_Frame;
}

void ToggleFullscreen()
{
    if (s_LeavingMode)
        s_LeavingMode();
    bool fullscreen = !s_Choice.fullscreen && SetFullscreen();
    if (!fullscreen && !SetWindowed(s_WindowFactor))
        FailNoGraphicMode(allegro_error);
    Remember(fullscreen);
    if (s_ShownPage)
        ShowPicture(s_ShownPage);
}

// Allegro's X11 screen is a memory picture that it hands to the X server
// (through shared memory where the server has it) for every rectangle drawn on
// it. The scaler writes straight into that picture with the per-line hand-over
// held back, and the whole picture goes to X once.
extern "C" int _xwin_in_gfx_call;
extern "C" void _xwin_update_screen(int x, int y, int w, int h);

static bool ScreenIsX11Picture()
{
    return gfx_driver && (gfx_driver->id == GFX_XWINDOWS || gfx_driver->id == GFX_XWINDOWS_FULLSCREEN) &&
           is_linear_bitmap(screen);
}

static void ScaleOntoX11Screen(BITMAP* page)
{
    const int f = s_Frame.factor;
    _xwin_in_gfx_call = 1;
    ScalePictureOnto(page, 0, SCREEN_HEIGHT, screen->line + s_Frame.y, s_Frame.x, f);
    _xwin_in_gfx_call = 0;
    _xwin_update_screen(s_Frame.x, s_Frame.y, SCREEN_WIDTH * f, SCREEN_HEIGHT * f);
}

void ShowPicture(BITMAP* page)
{
    s_ShownPage = page;
    if (!screen || !page)
        return;
    if (s_Frame.factor > 1 && ScreenIsX11Picture()) {
        ScaleOntoX11Screen(page);
    } else if (s_Scaled) {
        // Band by band, so the scaled pixels are still in the cache when they are copied.
        const int f = s_Frame.factor;
        for (int y = 0; y < SCREEN_HEIGHT; y += BAND_ROWS) {
            ScalePictureRows(page, y, BAND_ROWS, s_Scaled, f);
            blit(s_Scaled, screen, 0, 0, s_Frame.x, s_Frame.y + y * f, s_Scaled->w, s_Scaled->h);
        }
    } else {
        blit(page, screen, 0, 0, s_Frame.x, s_Frame.y, SCREEN_WIDTH, SCREEN_HEIGHT);
    }
}

#include "platform/display.h"
#include "platform/focus.h"
#include "platform/picture.h"
#include "platform/window.h"
#include "platform/x_display.h"
#include <allegro.h>
#include <atomic>
#include <cstdint>
#include <ctime>

static DisplayChoice s_Choice;    // what pesko.cfg remembers
static int s_WindowFactor = 1;    // the window's factor, kept for the way back from full screen
static PictureFrame s_Frame;      // where the picture lies on the current screen
static BITMAP* s_Scaled = nullptr;      // one band of the picture at the screen's factor
static BITMAP* s_ShownPage = nullptr;   // the page on view, shown again after a mode change

// Picture rows scaled at a time (480 is a multiple).
constexpr int BAND_ROWS = 32;

struct MouseBox {
    int left = 0, top = 0, right = SCREEN_WIDTH - 1, bottom = SCREEN_HEIGHT - 1;
};
static MouseBox s_MouseBox;

DisplayChoice StartingDisplayChoice(const Options& options)
{
    DisplayChoice remembered;
    ReadDisplaySettings(DisplaySettingsPath(), remembered);
    DisplayChoice choice = remembered;
    if (options.display != DisplayRequest::Remembered)
        choice.fullscreen = options.display == DisplayRequest::Fullscreen;
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

static void ApplyMouseBox()
{
    if (!mouse_driver)
        return;
    int f = s_Frame.factor;
    set_mouse_range(ScreenXFromPicture(s_Frame, s_MouseBox.left), ScreenYFromPicture(s_Frame, s_MouseBox.top),
                    ScreenXFromPicture(s_Frame, s_MouseBox.right) + f - 1,
                    ScreenYFromPicture(s_Frame, s_MouseBox.bottom) + f - 1);
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
    ApplyMouseBox();
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
    if (choice.scale)
        return choice.scale;
    int width = 0, height = 0;
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
    int mouseX = PictureMouseX();
    int mouseY = PictureMouseY();
    bool fullscreen = !s_Choice.fullscreen && SetFullscreen();
    if (!fullscreen && !SetWindowed(s_WindowFactor))
        FailNoGraphicMode(allegro_error);
    Remember(fullscreen);
    PlaceMouse(mouseX, mouseY);
    if (s_ShownPage)
        ShowPicture(s_ShownPage);
}

// F11 and Alt+Enter are caught as the keyboard driver reports them, press by
// press. An Enter pressed with Alt is hidden from key[] (and from the state a
// poll_keyboard copies into it) before any screen can read it. A mode change
// may lose the Enter's release and give it back as a fresh press once the new
// window has the keyboard, so for a moment after an Alt+Enter switch Enter
// stays hidden.
static std::atomic<bool> s_ToggleRequested{false};
static std::atomic<bool> s_ChordToggled{false};  // this Alt press has toggled once
static std::atomic<bool> s_ToggledByEnter{false};
static std::atomic<int64_t> s_HideEnterUntilMs{0};
constexpr int64_t ENTER_HIDDEN_AFTER_SWITCH_MS = 1000;

static int64_t NowMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

static bool AltHeld()
{
    return key[KEY_ALT] || key[KEY_ALTGR] || _key[KEY_ALT] || _key[KEY_ALTGR];
}

bool DisplayTakesKey(int scancode)
{
    bool pressed = !(scancode & 0x80);
    int code = scancode & 0x7F;
    if (!pressed)
        return false;
    if (code == KEY_ALT || code == KEY_ALTGR) {
        s_ChordToggled = false;
    } else if (code == KEY_ENTER || code == KEY_ENTER_PAD) {
        bool alt = AltHeld();
        if (alt && !s_ChordToggled.exchange(true)) {
            s_ToggledByEnter = true;
            s_ToggleRequested = true;
        }
        if (alt || NowMs() < s_HideEnterUntilMs) {
            HideKey(code);
            return true;
        }
    } else if (code == KEY_F11) {
        s_ToggleRequested = true;
        return true;
    }
    return false;
}

// Allegro's own Alt flag as the driver sees it, ahead of key_shifts.
extern "C" volatile int _key_shifts;

// The key buffer never gets F11 or an Enter pressed with Alt, so screens that
// leave on any key (the intro, the demo) or read typed keys let them be.
static int KeepToggleKeysOutOfBuffer(int character, int* scancode)
{
    bool enter = *scancode == KEY_ENTER || *scancode == KEY_ENTER_PAD;
    if (*scancode == KEY_F11 || (enter && (_key_shifts & KB_ALT_FLAG))) {
        *scancode = 0;
        return 0;
    }
    return character;
}
END_OF_STATIC_FUNCTION(KeepToggleKeysOutOfBuffer)

void WatchDisplayKeys()
{
    LOCK_FUNCTION(KeepToggleKeysOutOfBuffer);
    keyboard_ucallback = KeepToggleKeysOutOfBuffer;
}

void HandleDisplayKeys()
{
    if (!s_ToggleRequested.exchange(false))
        return;
    ToggleFullscreen();
    if (s_ToggledByEnter.exchange(false))
        s_HideEnterUntilMs = NowMs() + ENTER_HIDDEN_AFTER_SWITCH_MS;
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

int PictureMouseX()
{
    return PictureXFromScreen(s_Frame, mouse_x);
}

int PictureMouseY()
{
    return PictureYFromScreen(s_Frame, mouse_y);
}

void PlaceMouse(int x, int y)
{
    if (!mouse_driver)
        return;
    int half = s_Frame.factor / 2;  // the middle of the picture pixel's block
    position_mouse(ScreenXFromPicture(s_Frame, x) + half, ScreenYFromPicture(s_Frame, y) + half);
}

void ConfineMouse(int left, int top, int right, int bottom)
{
    s_MouseBox = MouseBox{left, top, right, bottom};
    ApplyMouseBox();
}

#include "platform/x_display.h"
#include <allegro.h>
#include <csignal>
#include <unistd.h>
#include <xalleg.h>

static volatile sig_atomic_t s_DisplayLost = 0;

// _exit, not exit: the exit handlers would talk to the lost display again,
// from this thread and from Allegro's input thread at once. The settings and
// hi-score files are only ever replaced whole, so none is left half written.
void EndForLostDisplay()
{
    static const char message[] = "Pesko: the game's window or the X display is gone\n";
    ssize_t written = write(STDERR_FILENO, message, sizeof message - 1);
    (void)written;
    _exit(1);
}

bool DisplayLost()
{
    return s_DisplayLost != 0;
}

// Runs inside whichever thread made the failing X call: it only takes note.
static int OnXError(Display*, XErrorEvent* error)
{
    if (error->error_code == BadWindow || error->error_code == BadDrawable)
        s_DisplayLost = 1;
    return 0;
}

// Xlib ends the process as soon as this returns, so the game ends here, on
// whichever thread saw the connection go.
static int OnConnectionLost(Display*)
{
    EndForLostDisplay();
}

void WatchDisplay(const char* title)
{
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnConnectionLost);
    if (!_xwin.display || !_xwin.window)
        return;
    // Allegro names only its managed window; in full screen the picture is on
    // another one, which gets the title and the close button too.
    XLOCK();
    XStoreName(_xwin.display, _xwin.window, title);
    Atom closeAtom = XInternAtom(_xwin.display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(_xwin.display, _xwin.window, &closeAtom, 1);
    XFlush(_xwin.display);
    XUNLOCK();
}

# Closing the window (as a window manager asks, with WM_DELETE_WINDOW) ends the game cleanly.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"

# A tiny X client that asks the game's window to close, as a window manager's close button does.
cat > "$E2E_WORK/close.c" <<'C'
#include <X11/Xlib.h>
#include <stdlib.h>
int main(int argc, char** argv)
{
    Display* d = XOpenDisplay(NULL);
    Window w = (Window)strtoul(argv[1], NULL, 0);
    XEvent e = {0};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = XInternAtom(d, "WM_DELETE_WINDOW", False);
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &e);
    XCloseDisplay(d);
    return 0;
}
C
cc -o "$E2E_WORK/close" "$E2E_WORK/close.c" -lX11 || e2e_fail "cannot build the close client"

e2e_start
e2e_skip_intro
e2e_press Down  # somewhere in the menu
"$E2E_WORK/close" "$(xdotool search --name '^Pesko$' | head -n1)"
e2e_expect_exit 10 0 "after closing the window"
echo "close window e2e passed"

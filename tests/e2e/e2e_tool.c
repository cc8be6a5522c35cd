// Small helpers of the end-to-end tests, built by lib.sh:
//   e2e_tool count X Y W H RRGGBB [BANDS]  pixels of exactly that colour in a box of the X screen,
//                                          one count a line for each of BANDS equal bands, top first
//   e2e_tool close WINDOW                  asks a window to close, as a window manager's close button does
//   e2e_tool launch STATUS PROGRAM...      runs PROGRAM with SIGINT at its default (a shell's background job
//                                          has it ignored), writes its pid to STATUS.pid and how it ended
//                                          to STATUS: "exit N", or "signal N" with " core" if one was dumped
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

static void WriteLine(const char* path, const char* format, int a, const char* b)
{
    FILE* f = fopen(path, "w");
    fprintf(f, format, a, b);
    fclose(f);
}

static int Launch(char** argv)
{
    signal(SIGINT, SIG_DFL);
    pid_t pid = fork();
    if (pid == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    char name[4096];
    snprintf(name, sizeof name, "%s.pid", argv[0]);
    WriteLine(name, "%d\n%s", pid, "");
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        WriteLine(argv[0], "exit %d\n%s", WEXITSTATUS(status), "");
    else
        WriteLine(argv[0], "signal %d%s\n", WTERMSIG(status), WCOREDUMP(status) ? " core" : "");
    return 0;
}

int main(int argc, char** argv)
{
    if (argc > 3 && strcmp(argv[1], "launch") == 0)
        return Launch(argv + 2);
    Display* d = XOpenDisplay(NULL);
    if (!d)
        return 2;
    if (argc == 3 && strcmp(argv[1], "close") == 0) {
        XEvent e = {0};
        e.xclient.type = ClientMessage;
        e.xclient.window = (Window)strtoul(argv[2], NULL, 0);
        e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = XInternAtom(d, "WM_DELETE_WINDOW", False);
        XSendEvent(d, e.xclient.window, False, NoEventMask, &e);
    } else if (argc >= 7 && strcmp(argv[1], "count") == 0) {
        XImage* image = XGetImage(d, DefaultRootWindow(d), atoi(argv[2]), atoi(argv[3]), atoi(argv[4]),
                                  atoi(argv[5]), AllPlanes, ZPixmap);
        const unsigned long colour = strtoul(argv[6], NULL, 16);
        const int bands = argc > 7 ? atoi(argv[7]) : 1;
        for (int band = 0; image && band < bands; band++) {
            long count = 0;
            for (int y = image->height * band / bands; y < image->height * (band + 1) / bands; y++)
                for (int x = 0; x < image->width; x++)
                    count += (XGetPixel(image, x, y) & 0xFFFFFF) == colour;
            printf("%ld\n", count);
        }
    }
    XCloseDisplay(d);
    return 0;
}

#include "platform/frame_log.h"
#include <cstdio>
#include <cstdlib>
#include <ctime>

// Opened on the first flip; line-buffered, so a killed game still leaves every line.
static FILE* FrameLogFile()
{
    static FILE* file = [] {
        const char* path = getenv("PESKO_FRAME_LOG");
        FILE* f = (path && *path) ? fopen(path, "w") : nullptr;
        if (f)
            setvbuf(f, nullptr, _IOLBF, 0);
        return f;
    }();
    return file;
}

void LogFlip()
{
    FILE* file = FrameLogFile();
    if (!file)
        return;
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    fprintf(file, "%lld\n", static_cast<long long>(now.tv_sec) * 1000000LL + now.tv_nsec / 1000);
}

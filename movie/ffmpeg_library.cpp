#include "movie/ffmpeg_library.h"
#include <dlfcn.h>

namespace {

#define PESKO_STRING(x) #x
#define PESKO_SONAME(lib, major) "lib" #lib ".so." PESKO_STRING(major)
const char* const LIBRARY_NAMES[] = {
    PESKO_SONAME(avutil, LIBAVUTIL_VERSION_MAJOR), PESKO_SONAME(swscale, LIBSWSCALE_VERSION_MAJOR),
    PESKO_SONAME(avcodec, LIBAVCODEC_VERSION_MAJOR), PESKO_SONAME(avformat, LIBAVFORMAT_VERSION_MAJOR)};
constexpr int LIBRARY_COUNT = sizeof LIBRARY_NAMES / sizeof LIBRARY_NAMES[0];

void* s_Handles[LIBRARY_COUNT] = {};
int s_Holders = 0;
FfmpegLibrary s_Library;

// Under AddressSanitizer the libraries stay: once unloaded, what they allocated
// for themselves at load time is no longer reachable, and its leak check would
// report it as ours.
#ifdef __SANITIZE_ADDRESS__
constexpr bool UNLOAD = false;
#else
constexpr bool UNLOAD = true;
#endif

void Unload()
{
    for (int i = LIBRARY_COUNT - 1; i >= 0; i--) {
        if (s_Handles[i] && UNLOAD)
            dlclose(s_Handles[i]);
        s_Handles[i] = nullptr;
    }
    s_Library = FfmpegLibrary{};
}

void* Find(const char* name)
{
    for (void* handle : s_Handles)
        if (void* symbol = dlsym(handle, name))
            return symbol;
    return nullptr;
}

bool Load()
{
    for (int i = 0; i < LIBRARY_COUNT; i++)
        if (!(s_Handles[i] = dlopen(LIBRARY_NAMES[i], RTLD_NOW | RTLD_LOCAL)))
            return false;
    bool found = true;
#define PESKO_FFMPEG_FIND(name) \
    found = (s_Library.name = reinterpret_cast<decltype(&::name)>(Find(#name))) != nullptr && found;
    PESKO_FFMPEG_FUNCTIONS(PESKO_FFMPEG_FIND)
#undef PESKO_FFMPEG_FIND
    return found;
}

}  // namespace

bool HoldFfmpeg()
{
    if (s_Holders == 0 && !Load()) {
        Unload();
        return false;
    }
    s_Holders++;
    return true;
}

void ReleaseFfmpeg()
{
    if (s_Holders > 0 && --s_Holders == 0)
        Unload();
}

const FfmpegLibrary& Ffmpeg()
{
    return s_Library;
}

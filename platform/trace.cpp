#include "platform/trace.h"
#include <cstdarg>
#include <cstdio>

void Trace(const char* format, ...)
{
    static char scratch[256];
    va_list args;
    va_start(args, format);
    vsnprintf(scratch, sizeof scratch, format, args);
    va_end(args);
}

// A folder of the fuzz run's own for the files a target writes, made once: in
// memory (/dev/shm) where it can be, so the saves' fsyncs cost nothing.
#pragma once
#include <cstdlib>
#include <string>

inline const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        char inMemory[] = "/dev/shm/pesko-fuzz-XXXXXX";
        char onDisk[] = "/tmp/pesko-fuzz-XXXXXX";
        const char* made = mkdtemp(inMemory);
        return std::string(made ? made : mkdtemp(onDisk));
    }();
    return folder;
}

// Reading and writing the player's two small files (config.dat, hiscore.dat)
// so that nothing on the disk can block the game or lose the player's bytes.
#pragma once
#include <cstddef>
#include <string>

enum class SaveFileState {
    Read,      // a regular file, read
    Missing,   // no such file: the game may create it
    Unusable,  // something is there but it cannot be read as our file: keep it as it is
};

// Reads up to `size` bytes over `bytes` from a regular file of at most
// LARGEST_SAVE_FILE bytes; FIFOs, devices and folders are never opened for
// reading in a way that waits. `got` is the count read; `why` says what made
// a file Unusable.
constexpr size_t LARGEST_SAVE_FILE = 64 * 1024;
SaveFileState ReadSaveFile(const std::string& path, unsigned char* bytes, size_t size, size_t& got, std::string& why);

// Writes a new file beside the old one and renames it over, so that a crash or
// a full disk never leaves a damaged file; the old file's mode is kept. A file
// the player made read-only, or anything but a regular file, is left alone.
// Returns false with the reason in `why`.
bool WriteSaveFile(const std::string& path, const unsigned char* bytes, size_t size, std::string& why);

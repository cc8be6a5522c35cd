// Reading a whole file that the player may have replaced by anything: a FIFO,
// a device, a directory or a huge file must neither block nor fill memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr const char* FILE_CANNOT_BE_OPENED = "cannot be opened";

// Reads `path` when it is a regular file of at most `maxBytes`. Returns "" when
// read, otherwise why not (FILE_CANNOT_BE_OPENED when it is missing or forbidden).
std::string ReadRegularFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes);

// The file layer: every file of the player's and every data file read whole goes through it.
// Whatever stands at a path (a FIFO, a device, a folder, a link, a huge file) is
// never waited on, never read past a cap and never written through; a write is whole or not at all.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr const char* FILE_CANNOT_BE_OPENED = "cannot be opened";

// Reads `path` when it is a regular file of at most `maxBytes`. Returns "" when
// read, otherwise why not (FILE_CANNOT_BE_OPENED when it is missing or forbidden).
std::string ReadRegularFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes);
// True when `path` is, or links to, a regular file.
bool IsRegularFile(const std::string& path);
// The folder part of `path`: "." for a bare name, "/" for a file in the root.
std::string FolderOf(const std::string& path);

// The player's files (settings, hi-scores, pesko.cfg, replays).
enum class PlayerFile {
    Read,      // a regular file, read whole
    Missing,   // nothing there: the game may create it
    Unusable,  // something is there that is not a file of ours: it is kept as it is
};
// The largest file of the player's the game reads.
constexpr size_t LARGEST_PLAYER_FILE = 64 * 1024;
// Reads `path` whole, up to `maxBytes`. An Unusable file costs one line on
// standard error and is never written over in this run (see KeepFileAsItIs).
PlayerFile ReadPlayerFile(const std::string& path, std::vector<uint8_t>& bytes,
                          size_t maxBytes = LARGEST_PLAYER_FILE);
// Writes `path` whole with WriteFileAtomically; a failure costs one line on
// standard error. A kept file is skipped without a word. False when not written.
bool WritePlayerFile(const std::string& path, const void* bytes, size_t size);
// WritePlayerFile leaves `path` alone for the rest of the run.
void KeepFileAsItIs(const std::string& path);

// Replaces the file named `path` by `bytes`: a new file beside it is written,
// fsynced, given the old file's mode and renamed over the name. A link at the
// path is replaced, never written through (a symlink's or a hard link's other
// file keeps its bytes, a dangling link's target is never made). A read-only
// file, or anything but a regular file or a link, is left alone. A write error
// or a kill at any moment leaves the old file whole. False with `why` on failure.
bool WriteFileAtomically(const std::string& path, const void* bytes, size_t size, std::string& why);
// The writer's new file beside `path`; a kill can leave it behind.
std::string WriterTempPath(const std::string& path);
// Removes the writer's leftover beside each path, when it is a regular file.
void RemoveWriterLeftovers(const std::vector<std::string>& paths);

// Copies `from` to `to` when `from` is a regular file (not a link) of at most
// `maxBytes` and nothing stands at `to`. True when it copied.
bool CopyFileIfAbsent(const std::string& from, const std::string& to, size_t maxBytes);

// Looks inside every object of data.dat before Allegro's loaders do: they trust
// every size and count they read, and a damaged field crashes or hangs the game.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// An object kind as the datafile stores it: four letters, big-endian ("BMP ").
constexpr uint32_t DatafileKind(char a, char b, char c, char d)
{
    return uint32_t(uint8_t(a)) << 24 | uint32_t(uint8_t(b)) << 16 | uint32_t(uint8_t(c)) << 8 | uint8_t(d);
}
constexpr uint32_t KIND_ANY = 0;
constexpr uint32_t KIND_SAMPLE = DatafileKind('S', 'A', 'M', 'P');
constexpr uint32_t KIND_MIDI = DatafileKind('M', 'I', 'D', 'I');
constexpr uint32_t KIND_BITMAP = DatafileKind('B', 'M', 'P', ' ');
constexpr uint32_t KIND_FONT = DatafileKind('F', 'O', 'N', 'T');

// The largest object, and the largest datafile once unpacked.
constexpr size_t DATAFILE_MAX_BYTES = size_t(64) << 20;

// Checks a whole datafile as it lies on disk. expectedKinds[i] is the kind the
// game needs object #i to be (KIND_ANY for any). Returns "" when Allegro can load
// every object safely, otherwise what is wrong, for example
// "object #30 (font): range 2 ends before it starts".
std::string CheckDatafileBytes(const uint8_t* bytes, size_t size, const std::vector<uint32_t>& expectedKinds);

// Reads the file (a regular file of at most DATAFILE_MAX_BYTES) and checks it.
std::string CheckDatafileAt(const char* path, const std::vector<uint32_t>& expectedKinds);

// Checks a patch set (patches.dat) for Allegro's MIDI player: a datafile, as
// above, whose GUS patches ('PAT ' objects) have every header and wave whole,
// waves of some length that loop inside themselves, no more than
// DATAFILE_MAX_BYTES of waves in all, and nothing after the last object.
std::string CheckPatchSetBytes(const uint8_t* bytes, size_t size);
std::string CheckPatchSetAt(const char* path);

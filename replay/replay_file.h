// Recorded games: a game's start, the input of every step and a digest of the
// world every 100 steps, in a small versioned file of their own.
//
// Layout (integers little-endian):
//   "PESKOREP"  magic, 8 bytes
//   format version (u16), game version ("1.0", 8 bytes, zero-padded)
//   seed (u32), spawn order position (u8), control device (u8), end (u8),
//   speed in percent (u8; 0 in older files: full speed)
//   player name (16 bytes, zero-terminated), final score (u32), steps (u32)
//   one block for every 100 steps (the last one may be shorter):
//     0, then runs: (count u8, input u16) covering the block's steps; or
//     1, then the steering of each step as a nibble (two a byte), then the
//        count of steps with presses (u8) and for each its place in the block
//        (u8) and its presses (u8);
//     then the world's digest after the block's last step (u32)
//   CRC-32 of everything before it (u32)
// A game held steady compresses to a few bytes a block; one steered afresh on
// every step costs 56 bytes a block, so ten minutes (120 blocks) stay under
// 16 KB as long as there are fewer than 40 presses in any 5 s.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint16_t REPLAY_FORMAT_VERSION = 1;
constexpr int REPLAY_DIGEST_STEPS = 100;
// A day of play (20 steps a second): longer games are not recorded.
constexpr uint32_t REPLAY_MAX_STEPS = 20 * 60 * 60 * 24;
constexpr size_t REPLAY_MAX_BYTES = 4 * 1024 * 1024;

// The input of one step as bits: the four directions held, then the presses.
enum ReplayInputBit : uint16_t {
    REPLAY_LEFT = 1 << 0,
    REPLAY_RIGHT = 1 << 1,
    REPLAY_UP = 1 << 2,
    REPLAY_DOWN = 1 << 3,
    REPLAY_ESCAPE = 1 << 4,
    REPLAY_PAUSE = 1 << 5,
    REPLAY_SOUND = 1 << 6,
    REPLAY_MUSIC = 1 << 7,
    REPLAY_BOX_YES = 1 << 8,
    REPLAY_BOX_NO = 1 << 9,
    REPLAY_BOX_ANSWER = 1 << 10,
    REPLAY_FOCUS_LOST = 1 << 11,
};
constexpr uint16_t REPLAY_STEERING = 0x000F;
constexpr uint16_t REPLAY_PRESSES = 0x0FF0;

enum class ReplayEnd : uint8_t { GameOver = 1, SeaCrossed = 2, Quit = 3 };

struct Replay {
    std::string gameVersion;
    uint32_t seed = 0;
    int spawnOrderPosition = 0;
    int control = 0;
    int speed = 100;  // the share of 20 steps a second the game ran at, in percent
    ReplayEnd end = ReplayEnd::Quit;
    std::string playerName;  // at most 15 characters
    int32_t finalScore = 0;
    std::vector<uint16_t> inputs;   // one a step; the game ends on the last one
    std::vector<uint32_t> digests;  // after steps 100, 200, ... and after the last
};

// The steps after which a digest is kept: 100, 200, ... and the last one.
bool IsDigestStep(size_t step, size_t steps);

std::vector<uint8_t> EncodeReplay(const Replay& replay);
// The CRC-32 that ends a file, over the bytes before it.
uint32_t ReplayChecksum(const uint8_t* bytes, size_t size);
// "" when the bytes hold a whole replay of this game's version; otherwise why
// not, in a few words ("bad checksum", "cut short", "made by pesko 0.9").
std::string DecodeReplay(const uint8_t* bytes, size_t size, Replay& replay);

// Reads a replay from a regular file of at most REPLAY_MAX_BYTES; a FIFO, a
// folder or a device is refused at once. "" when read, otherwise why not.
std::string ReadReplayFile(const std::string& path, Replay& replay);
// Writes it beside the old file and renames it over: never a half file.
bool WriteReplayFile(const std::string& path, const Replay& replay, std::string& why);

// libFuzzer target: any bytes as a recorded game. The reader must refuse them
// with a reason or read a replay that writes back to the very same bytes.
// Run with bash fuzz/run.sh SECONDS replay_fuzz.
// Links: files/*.cpp replay/replay_file.cpp
#include "replay/replay_file.h"
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

int ReadAndWriteBack(const uint8_t* data, size_t size)
{
    Replay replay;
    std::string problem = DecodeReplay(data, size, replay);
    if (!problem.empty()) {
        if (problem.find('\n') != std::string::npos)
            abort();  // the reason is one line
        return 0;
    }
    if (replay.inputs.empty() || replay.digests.size() != (replay.inputs.size() + 99) / 100)
        abort();
    // What was read writes back as a file that reads the same.
    std::vector<uint8_t> again = EncodeReplay(replay);
    Replay reread;
    if (!DecodeReplay(again.data(), again.size(), reread).empty() || reread.inputs != replay.inputs ||
        reread.digests != replay.digests || reread.seed != replay.seed || reread.finalScore != replay.finalScore ||
        reread.playerName != replay.playerName)
        abort();
    return 0;
}

}  // namespace

// Each input is also read with its checksum made right, so that mutations
// reach the blocks behind it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReadAndWriteBack(data, size);
    if (size < 8)
        return 0;
    std::vector<uint8_t> fixed(data, data + size);
    const uint32_t crc = ReplayChecksum(fixed.data(), size - 4);
    for (int i = 0; i < 4; i++)
        fixed[size - 4 + i] = static_cast<uint8_t>(crc >> (8 * i));
    return ReadAndWriteBack(fixed.data(), size);
}

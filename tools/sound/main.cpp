// pesko-sound: writes the game's sound effects (WAV) and tunes (MIDI) into one folder.
// Usage: pesko-sound OUTPUT_DIR
#include "effects.h"
#include "tunes.h"
#include "wav_writer.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

bool WriteAll(const std::string& folder)
{
    bool ok = true;
    for (const Effect& effect : MakeEffects())
        ok = WriteWav(folder + "/" + effect.fileName, effect.samples) && ok;
    for (const Tune& tune : MakeTunes())
        ok = WriteMidi(folder + "/" + tune.fileName, tune.tracks, tune.bars * TICKS_PER_BAR) && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    try {
        if (!WriteAll(argv[1])) {
            std::fprintf(stderr, "pesko-sound: cannot write into %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pesko-sound: %s\n", error.what());
        return 1;
    }
    return 0;
}

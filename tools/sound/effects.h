// The game's sound effects, synthesized sample by sample.
#pragma once
#include <string>
#include <vector>

struct Effect {
    std::string fileName;  // snd_*.wav, in datafile order
    std::vector<float> samples;  // mono, SAMPLE_RATE, -1..1
};

// All twelve samples of the datafile (#0-#11), in datafile order.
std::vector<Effect> MakeEffects();

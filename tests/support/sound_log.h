// Records what the game would have played, for tests that check sounds.
#pragma once
#include "platform/audio.h"
#include <vector>

struct PlayedSound {
    SoundEvent event;
    int a, b;
};

class SoundLog {
public:
    SoundLog();   // starts recording
    ~SoundLog();  // stops
    const std::vector<PlayedSound>& Events() const;
    // Datafile indices of the samples played, in order.
    std::vector<int> Samples() const;
    int Count(SoundEvent event) const;
    void Clear();
};

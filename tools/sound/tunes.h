// The game's eight tunes, in datafile order (#12-#19).
#pragma once
#include "midi_writer.h"

#include <string>
#include <vector>

struct Tune {
    std::string fileName;  // mid_*.mid
    double bpm = 120;
    int bars = 0;  // the tune loops after exactly this many bars of 4/4
    std::vector<MidiTrack> tracks;
};

std::vector<Tune> MakeTunes();

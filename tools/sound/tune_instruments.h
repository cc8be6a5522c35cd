// What the generated tunes play, read back from their Standard MIDI Files, so
// that patches.dat holds only the instruments and the samples they need.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <vector>

struct TuneInstruments {
    std::map<int, std::set<int>> programNotes;  // General MIDI program 0-127: the notes it plays
    std::set<int> drumNotes;                    // notes of the drum channel
};

// Adds what one Standard MIDI File plays. Throws std::runtime_error on a file it cannot read.
void AddTuneInstruments(const std::vector<uint8_t>& midi, TuneInstruments& into);

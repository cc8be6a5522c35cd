// A small score language for writing the game's tunes: chord charts, melodies in
// note names, accompaniment patterns over the chords, and drum grids.
#pragma once
#include "midi_writer.h"

#include <string>
#include <utility>
#include <vector>

struct Chord {
    int root = 0;  // pitch class, C = 0
    std::vector<int> intervals;  // semitones above the root, root included
};

struct ChordSpan {
    int start;  // ticks from the start of the chart
    int length;
    Chord chord;
};

// One token a bar ("Dm9 Bbmaj7 A7sus4-A7"); "X-Y" splits a bar in two halves.
class ChordChart {
public:
    explicit ChordChart(const std::string& bars);
    int Bars() const { return m_Bars; }
    int Ticks() const { return m_Bars * TICKS_PER_BAR; }
    const std::vector<ChordSpan>& Spans() const { return m_Spans; }

private:
    int m_Bars = 0;
    std::vector<ChordSpan> m_Spans;
};

// Note-by-note writing on a track. Lengths are in sixteenths.
class Part {
public:
    Part(const std::string& name, int channel, int program, int volume, int pan);

    // "e5:4 g5:2 r:2 bb4:8": pitch (letter, optional # or b, octave) or r for rest,
    // then the length. Returns the ticks written, so sections can be checked to fit.
    int Melody(int startTick, const std::string& notes, int velocity, double gate = 0.9, int transpose = 0);

    // A rhythm of chord degrees repeated through every chord of the chart:
    // R root, T third, F fifth, S seventh (octave when the chord has none), N ninth,
    // O and U the root and third an octave up, C the whole chord, - a rest.
    // The chord's root is placed in [lowest, lowest + 12).
    void Pattern(const ChordChart& chart, int startTick, const std::string& pattern, int lowest, int velocity,
        double gate = 0.9);

    // Every chord held for its full length, voiced within [lowest, lowest + 12).
    void Pad(const ChordChart& chart, int startTick, int lowest, int velocity);

    // One bar of drums: each line is a note and 16 steps of X (accent), x, o (soft) or '.'.
    void DrumBar(int startTick, const std::vector<std::pair<int, std::string>>& lines);

    const MidiTrack& Track() const { return m_Track; }

private:
    MidiTrack m_Track;
    int m_Channel;
};

// General MIDI drum notes used by the tunes.
enum Drum {
    KICK = 36,
    SIDE_STICK = 37,
    SNARE = 38,
    CLAP = 39,
    CLOSED_HAT = 42,
    PEDAL_HAT = 44,
    OPEN_HAT = 46,
    LOW_TOM = 45,
    MID_TOM = 47,
    HIGH_TOM = 50,
    CRASH = 49,
    RIDE = 51,
    TAMBOURINE = 54,
    SHAKER = 70,
};

// General MIDI programs used by the tunes. FluidR3's sampled pianos, marimba, string and
// brass sections take 8-17 MB each; these few fit together in a patch set of a dozen MB.
enum Instrument {
    VIBRAPHONE = 11,
    FINGER_BASS = 33,
    SYNTH_BASS = 38,
    SYNTH_STRINGS = 50,
    TRUMPET = 56,
    SYNTH_BRASS = 62,
    FLUTE = 73,
    OCARINA = 79,
    SQUARE_LEAD = 80,
    SAW_LEAD = 81,
    WARM_PAD = 89,
    KALIMBA = 108,
    STEEL_DRUMS = 114,
};

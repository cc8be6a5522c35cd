// Standard MIDI File (format 1) writing: the tunes Allegro's dat imports as MIDI objects.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int TICKS_PER_QUARTER = 480;
constexpr int TICKS_PER_SIXTEENTH = TICKS_PER_QUARTER / 4;
constexpr int TICKS_PER_BAR = 4 * TICKS_PER_QUARTER;  // every tune is in 4/4
constexpr int DRUM_CHANNEL = 9;  // General MIDI channel 10

class MidiTrack {
public:
    void Note(int tick, int length, int channel, int pitch, int velocity);
    void Program(int channel, int program);
    void Control(int channel, int controller, int value);
    void Tempo(double bpm);
    void TimeSignature4By4();
    void Name(const std::string& name);
    // The track's bytes (without the MTrk header). Notes never run past endTick, and
    // the track ends exactly there, so a looping player restarts on the bar line.
    std::vector<uint8_t> Encode(int endTick) const;

private:
    // Events at one tick go out as note-offs, then set-up, then note-ons.
    enum Order { NOTE_OFF, SETUP, NOTE_ON };
    struct Event {
        int tick;
        Order order;
        std::vector<uint8_t> bytes;
    };
    void Add(int tick, Order order, std::vector<uint8_t> bytes);
    std::vector<Event> m_Events;
};

bool WriteMidi(const std::string& path, const std::vector<MidiTrack>& tracks, int endTick);

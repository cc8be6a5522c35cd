#include "midi_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace {

void PutVarLen(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = uint8_t(value & 0x7F);
        value >>= 7;
    } while (value);
    while (count > 1)
        out.push_back(uint8_t(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(uint8_t(value >> (8 * i)));
}

uint8_t Clamp7(int value)
{
    return uint8_t(std::clamp(value, 0, 127));
}

}  // namespace

void MidiTrack::Add(int tick, Order order, std::vector<uint8_t> bytes)
{
    m_Events.push_back({tick, order, std::move(bytes)});
}

void MidiTrack::Note(int tick, int length, int channel, int pitch, int velocity)
{
    if (length <= 0)
        return;
    uint8_t ch = uint8_t(channel & 0x0F);
    Add(tick, NOTE_ON, {uint8_t(0x90 | ch), Clamp7(pitch), uint8_t(std::clamp(velocity, 1, 127))});
    Add(tick + length, NOTE_OFF, {uint8_t(0x80 | ch), Clamp7(pitch), 64});
}

void MidiTrack::Program(int channel, int program)
{
    Add(0, SETUP, {uint8_t(0xC0 | (channel & 0x0F)), Clamp7(program)});
}

void MidiTrack::Control(int channel, int controller, int value)
{
    Add(0, SETUP, {uint8_t(0xB0 | (channel & 0x0F)), Clamp7(controller), Clamp7(value)});
}

void MidiTrack::Tempo(double bpm)
{
    uint32_t microsPerQuarter = uint32_t(std::lround(60000000.0 / bpm));
    Add(0, SETUP, {0xFF, 0x51, 0x03, uint8_t(microsPerQuarter >> 16), uint8_t(microsPerQuarter >> 8),
                      uint8_t(microsPerQuarter)});
}

void MidiTrack::TimeSignature4By4()
{
    Add(0, SETUP, {0xFF, 0x58, 0x04, 4, 2, 24, 8});
}

void MidiTrack::Name(const std::string& name)
{
    std::vector<uint8_t> bytes = {0xFF, 0x03};
    PutVarLen(bytes, uint32_t(name.size()));
    bytes.insert(bytes.end(), name.begin(), name.end());
    Add(0, SETUP, bytes);
}

std::vector<uint8_t> MidiTrack::Encode(int endTick) const
{
    std::vector<Event> events;
    for (const Event& e : m_Events)
        events.push_back({std::min(e.tick, endTick), e.order, e.bytes});
    // A note starting on the end tick would be cut to nothing: leave it out with its off.
    events.erase(std::remove_if(events.begin(), events.end(),
                     [endTick](const Event& e) { return e.order == NOTE_ON && e.tick >= endTick; }),
        events.end());
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });

    std::vector<uint8_t> out;
    int now = 0;
    for (const Event& e : events) {
        // A note-off whose note-on was dropped above is harmless: the player ignores it.
        PutVarLen(out, uint32_t(e.tick - now));
        now = e.tick;
        out.insert(out.end(), e.bytes.begin(), e.bytes.end());
    }
    PutVarLen(out, uint32_t(endTick - now));
    out.insert(out.end(), {0xFF, 0x2F, 0x00});
    return out;
}

bool WriteMidi(const std::string& path, const std::vector<MidiTrack>& tracks, int endTick)
{
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    PutBigEndian(out, 6, 4);
    PutBigEndian(out, 1, 2);  // format 1: tracks play together
    PutBigEndian(out, uint32_t(tracks.size()), 2);
    PutBigEndian(out, TICKS_PER_QUARTER, 2);
    for (const MidiTrack& track : tracks) {
        std::vector<uint8_t> body = track.Encode(endTick);
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        PutBigEndian(out, uint32_t(body.size()), 4);
        out.insert(out.end(), body.begin(), body.end());
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    return bool(file);
}

#include "tune_instruments.h"
#include "midi_writer.h"

#include <stdexcept>
#include <string>

namespace {

class Reader {
public:
    Reader(const std::vector<uint8_t>& bytes, size_t begin, size_t end) : m_Bytes(bytes), m_Pos(begin), m_End(end)
    {
        if (end > bytes.size())
            throw std::runtime_error("MIDI file ends inside a chunk");
    }
    bool AtEnd() const { return m_Pos >= m_End; }
    uint8_t Byte()
    {
        if (m_Pos >= m_End)
            throw std::runtime_error("MIDI track ends inside an event");
        return m_Bytes[m_Pos++];
    }
    uint8_t Peek() const { return m_Pos < m_End ? m_Bytes[m_Pos] : 0; }
    uint32_t Number()  // a variable-length quantity
    {
        uint32_t value = 0;
        for (int i = 0; i < 4; i++) {
            uint8_t b = Byte();
            value = value << 7 | (b & 0x7F);
            if (!(b & 0x80))
                return value;
        }
        throw std::runtime_error("MIDI number longer than four bytes");
    }
    void Skip(size_t count)
    {
        if (count > m_End - m_Pos)
            throw std::runtime_error("MIDI track ends inside an event");
        m_Pos += count;
    }

private:
    const std::vector<uint8_t>& m_Bytes;
    size_t m_Pos, m_End;
};

uint32_t BigEndian32(const std::vector<uint8_t>& b, size_t at)
{
    if (at + 4 > b.size())
        throw std::runtime_error("MIDI file ends inside a chunk header");
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

void ReadTrack(Reader in, TuneInstruments& into)
{
    int programs[16] = {};
    uint8_t status = 0;
    while (!in.AtEnd()) {
        in.Number();  // the delta time
        if (in.Peek() & 0x80)
            status = in.Byte();
        if (status == 0xFF) {
            in.Byte();  // meta type
            in.Skip(in.Number());
            status = 0;
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            in.Skip(in.Number());
            status = 0;
            continue;
        }
        if (!(status & 0x80))
            throw std::runtime_error("MIDI data byte without a status");
        const int kind = status & 0xF0, channel = status & 0x0F;
        const uint8_t first = in.Byte();
        const uint8_t second = kind == 0xC0 || kind == 0xD0 ? 0 : in.Byte();
        if (kind == 0xC0)
            programs[channel] = first;
        else if (kind == 0x90 && second > 0) {
            if (channel == DRUM_CHANNEL)
                into.drumNotes.insert(first);
            else
                into.programNotes[programs[channel]].insert(first);
        }
    }
}

}  // namespace

void AddTuneInstruments(const std::vector<uint8_t>& midi, TuneInstruments& into)
{
    if (midi.size() < 14 || std::string(midi.begin(), midi.begin() + 4) != "MThd")
        throw std::runtime_error("not a Standard MIDI File");
    size_t pos = 8 + BigEndian32(midi, 4);
    while (pos + 8 <= midi.size()) {
        const size_t length = BigEndian32(midi, pos + 4);
        if (std::string(midi.begin() + pos, midi.begin() + pos + 4) == "MTrk")
            ReadTrack(Reader(midi, pos + 8, pos + 8 + length), into);
        pos += 8 + length;
    }
}

#include "music.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream stream(text);
    while (std::getline(stream, part, separator))
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream stream(text);
    std::string word;
    while (stream >> word)
        words.push_back(word);
    return words;
}

int PitchClass(char letter)
{
    static const std::map<char, int> classes = {
        {'c', 0}, {'d', 2}, {'e', 4}, {'f', 5}, {'g', 7}, {'a', 9}, {'b', 11}};
    auto found = classes.find(char(std::tolower(letter)));
    if (found == classes.end())
        throw std::runtime_error(std::string("not a note letter: ") + letter);
    return found->second;
}

// The root letter and an optional sharp or flat; returns the characters read.
size_t ReadRoot(const std::string& text, int& pitchClass)
{
    pitchClass = PitchClass(text.at(0));
    if (text.size() > 1 && text[1] == '#') {
        pitchClass += 1;
        return 2;
    }
    if (text.size() > 1 && text[1] == 'b') {
        pitchClass += 11;
        pitchClass %= 12;
        return 2;
    }
    return 1;
}

Chord ParseChord(const std::string& name)
{
    static const std::map<std::string, std::vector<int>> qualities = {
        {"", {0, 4, 7}}, {"m", {0, 3, 7}}, {"7", {0, 4, 7, 10}}, {"m7", {0, 3, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"m9", {0, 3, 7, 10, 14}}, {"add9", {0, 4, 7, 14}}, {"sus4", {0, 5, 7}},
        {"7sus4", {0, 5, 7, 10}}, {"m7b5", {0, 3, 6, 10}}, {"6", {0, 4, 7, 9}}};
    Chord chord;
    size_t used = ReadRoot(name, chord.root);
    auto quality = qualities.find(name.substr(used));
    if (quality == qualities.end())
        throw std::runtime_error("unknown chord: " + name);
    chord.intervals = quality->second;
    return chord;
}

// Token "len" after a colon, in sixteenths.
std::pair<std::string, int> SplitLength(const std::string& token)
{
    size_t colon = token.find(':');
    if (colon == std::string::npos)
        throw std::runtime_error("no length in: " + token);
    return {token.substr(0, colon), std::stoi(token.substr(colon + 1)) * TICKS_PER_SIXTEENTH};
}

int ParsePitch(const std::string& name)
{
    int pitchClass = 0;
    size_t used = ReadRoot(name, pitchClass);
    int octave = std::stoi(name.substr(used));
    return 12 * (octave + 1) + pitchClass;
}

int PlaceRoot(int rootClass, int lowest)
{
    int note = lowest + ((rootClass - lowest) % 12 + 12) % 12;
    return note;
}

std::vector<int> Voicing(const Chord& chord, int lowest)
{
    std::vector<int> notes;
    for (int interval : chord.intervals)
        notes.push_back(PlaceRoot((chord.root + interval) % 12, lowest));
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    return notes;
}

std::vector<int> Degree(const Chord& chord, char degree, int lowest)
{
    int root = PlaceRoot(chord.root, lowest);
    const std::vector<int>& iv = chord.intervals;
    auto at = [&](size_t i, int fallback) { return root + (i < iv.size() ? iv[i] : fallback); };
    switch (degree) {
    case 'R': return {root};
    case 'T': return {at(1, 4)};
    case 'F': return {at(2, 7)};
    case 'S': return {iv.size() > 3 && iv[3] < 12 ? root + iv[3] : root + 12};
    case 'N': return {root + 14};
    case 'O': return {root + 12};
    case 'U': return {at(1, 4) + 12};
    case 'C': return Voicing(chord, lowest);
    case '-': return {};
    }
    throw std::runtime_error(std::string("unknown chord degree: ") + degree);
}

int Velocity(char mark)
{
    switch (mark) {
    case 'X': return 112;
    case 'x': return 88;
    case 'o': return 58;
    }
    return 0;
}

}  // namespace

ChordChart::ChordChart(const std::string& bars)
{
    for (const std::string& bar : Words(bars)) {
        std::vector<std::string> chords = Split(bar, '-');
        int length = TICKS_PER_BAR / int(chords.size());
        for (size_t i = 0; i < chords.size(); ++i)
            m_Spans.push_back({m_Bars * TICKS_PER_BAR + int(i) * length, length, ParseChord(chords[i])});
        ++m_Bars;
    }
}

Part::Part(const std::string& name, int channel, int program, int volume, int pan) : m_Channel(channel)
{
    m_Track.Name(name);
    if (channel != DRUM_CHANNEL)
        m_Track.Program(channel, program);
    m_Track.Control(channel, 7, volume);
    m_Track.Control(channel, 10, pan);
}

int Part::Melody(int startTick, const std::string& notes, int velocity, double gate, int transpose)
{
    int tick = startTick;
    for (const std::string& token : Words(notes)) {
        auto [pitch, length] = SplitLength(token);
        if (pitch != "r") {
            bool onBeat = (tick % TICKS_PER_QUARTER) == 0;
            m_Track.Note(tick, int(length * gate), m_Channel, ParsePitch(pitch) + transpose,
                velocity + (onBeat ? 6 : 0));
        }
        tick += length;
    }
    return tick - startTick;
}

void Part::Pattern(const ChordChart& chart, int startTick, const std::string& pattern, int lowest, int velocity,
    double gate)
{
    std::vector<std::pair<std::string, int>> steps;
    for (const std::string& token : Words(pattern))
        steps.push_back(SplitLength(token));
    for (const ChordSpan& span : chart.Spans()) {
        int offset = 0;
        for (size_t i = 0; offset < span.length; i = (i + 1) % steps.size()) {
            int length = std::min(steps[i].second, span.length - offset);
            int tick = startTick + span.start + offset;
            bool onBeat = (tick % TICKS_PER_QUARTER) == 0;
            for (int note : Degree(span.chord, steps[i].first.at(0), lowest))
                m_Track.Note(tick, int(length * gate), m_Channel, note, velocity + (onBeat ? 8 : 0));
            offset += length;
        }
    }
}

void Part::Pad(const ChordChart& chart, int startTick, int lowest, int velocity)
{
    for (const ChordSpan& span : chart.Spans())
        for (int note : Voicing(span.chord, lowest))
            m_Track.Note(startTick + span.start, span.length, m_Channel, note, velocity);
}

void Part::DrumBar(int startTick, const std::vector<std::pair<int, std::string>>& lines)
{
    for (const auto& [note, steps] : lines)
        for (size_t i = 0; i < steps.size() && i < 16; ++i)
            if (int velocity = Velocity(steps[i]))
                m_Track.Note(startTick + int(i) * TICKS_PER_SIXTEENTH, TICKS_PER_SIXTEENTH, DRUM_CHANNEL, note,
                    velocity);
}

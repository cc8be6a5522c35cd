// The generated sounds as the game loads them: samples and tunes through Allegro's
// loaders, and the MIDI patch set that must hold every instrument the tunes play.
#include "support/headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string SOUND_DIR = PESKO_DATA_DIR "/gen/sound/";
const std::string PATCHES = PESKO_DATA_DIR "/patches.dat";

// Datafile order, #0-#11 and #12-#19.
const std::vector<std::string> EFFECTS = {"coin", "crash", "explosion", "extra", "bump", "shield", "move",
    "unused", "select", "back", "drop", "land"};
const std::vector<std::string> TUNES = {"menu", "setup", "instructions", "name", "game", "congratulations",
    "demo", "credits"};

double Decibels(double amplitude)
{
    return 20 * std::log10(std::max(amplitude, 1e-9));
}

struct SampleDeleter {
    void operator()(SAMPLE* s) const { destroy_sample(s); }
};
using SamplePtr = std::unique_ptr<SAMPLE, SampleDeleter>;

struct MidiDeleter {
    void operator()(MIDI* m) const { destroy_midi(m); }
};
using MidiPtr = std::unique_ptr<MIDI, MidiDeleter>;

SamplePtr LoadEffect(const std::string& name)
{
    InitHeadlessAllegro();
    return SamplePtr(load_sample((SOUND_DIR + "snd_" + name + ".wav").c_str()));
}

// Allegro keeps 16-bit samples unsigned; this gives them back in -1..1.
std::vector<double> Amplitudes(const SAMPLE* sample)
{
    const auto* data = static_cast<const unsigned short*>(sample->data);
    std::vector<double> values(sample->len);
    for (unsigned long i = 0; i < sample->len; ++i)
        values[i] = (int(data[i]) - 32768) / 32768.0;
    return values;
}

double PeakOf(const std::vector<double>& values, size_t from, size_t to)
{
    double peak = 0;
    for (size_t i = from; i < to && i < values.size(); ++i)
        peak = std::max(peak, std::fabs(values[i]));
    return peak;
}

// What a tune does, read back from Allegro's MIDI object.
struct TuneFacts {
    int divisions = 480;  // ticks per quarter note
    long endTick = 0;  // the latest end-of-track: where play_midi(tune, TRUE) starts again
    long lastNoteOff = 0;
    long barTicks = 0;
    double seconds = 0;
    int hangingNotes = 0;  // note-ons never switched off
    int notesAfterEnd = 0;
    std::set<int> programs;  // General MIDI programs, 0-based
    std::set<int> drums;  // notes on channel 10
    std::set<int> channelsWithoutProgram;  // melodic channels that play notes before any program change
};

class TrackReader {
public:
    TrackReader(const unsigned char* data, int len) : m_Data(data), m_Len(len) {}
    bool AtEnd() const { return m_Pos >= m_Len; }
    unsigned Byte() { return m_Pos < m_Len ? m_Data[m_Pos++] : 0; }
    unsigned long VarLen()
    {
        unsigned long value = 0;
        unsigned b;
        do {
            b = Byte();
            value = (value << 7) | (b & 0x7F);
        } while ((b & 0x80) && !AtEnd());
        return value;
    }
    void Skip(unsigned long count) { m_Pos += int(count); }

private:
    const unsigned char* m_Data;
    int m_Len;
    int m_Pos = 0;
};

struct TempoChange {
    long tick;
    double microsPerQuarter;
};

void ReadTrack(const unsigned char* data, int len, TuneFacts& facts, std::vector<TempoChange>& tempos,
    std::map<std::pair<int, int>, int>& sounding, std::set<int>& programmed)
{
    TrackReader reader(data, len);
    long tick = 0;
    unsigned status = 0;
    while (!reader.AtEnd()) {
        tick += long(reader.VarLen());
        unsigned first = reader.Byte();
        if (first == 0xFF) {
            unsigned type = reader.Byte();
            unsigned long size = reader.VarLen();
            if (type == 0x2F) {
                facts.endTick = std::max(facts.endTick, tick);
                return;
            }
            if (type == 0x51 && size == 3) {
                unsigned long micros = reader.Byte() << 16;
                micros |= reader.Byte() << 8;
                micros |= reader.Byte();
                tempos.push_back({tick, double(micros)});
                continue;
            }
            if (type == 0x58 && size >= 2) {
                unsigned numerator = reader.Byte();
                unsigned denominator = 1u << reader.Byte();
                facts.barTicks = long(numerator) * 4 * facts.divisions / long(denominator);
                reader.Skip(size - 2);
                continue;
            }
            reader.Skip(size);
            continue;
        }
        if (first == 0xF0 || first == 0xF7) {
            reader.Skip(reader.VarLen());
            continue;
        }
        unsigned data1;
        if (first & 0x80) {
            status = first;
            data1 = reader.Byte();
        } else {
            data1 = first;  // running status
        }
        int kind = status & 0xF0;
        int channel = status & 0x0F;
        unsigned data2 = (kind == 0xC0 || kind == 0xD0) ? 0 : reader.Byte();
        bool noteOn = kind == 0x90 && data2 > 0;
        bool noteOff = kind == 0x80 || (kind == 0x90 && data2 == 0);
        if (kind == 0xC0) {
            facts.programs.insert(int(data1));
            programmed.insert(channel);
        }
        if (noteOn) {
            sounding[{channel, int(data1)}]++;
            if (channel == 9)
                facts.drums.insert(int(data1));
            else if (!programmed.count(channel))
                facts.channelsWithoutProgram.insert(channel);
        }
        if (noteOff && sounding[{channel, int(data1)}] > 0) {
            sounding[{channel, int(data1)}]--;
            facts.lastNoteOff = std::max(facts.lastNoteOff, tick);
        }
    }
}

double SecondsUntil(long endTick, std::vector<TempoChange> tempos, int divisions)
{
    std::sort(tempos.begin(), tempos.end(), [](auto& a, auto& b) { return a.tick < b.tick; });
    double seconds = 0;
    long tick = 0;
    double micros = 500000;  // 120 bpm until told otherwise
    for (const TempoChange& change : tempos) {
        if (change.tick > endTick)
            break;
        seconds += double(change.tick - tick) * micros / divisions / 1e6;
        tick = change.tick;
        micros = change.microsPerQuarter;
    }
    return seconds + double(endTick - tick) * micros / divisions / 1e6;
}

TuneFacts ReadTune(const MIDI* tune)
{
    TuneFacts facts;
    facts.divisions = tune->divisions;
    facts.barTicks = 4L * tune->divisions;  // 4/4 unless a time signature says otherwise
    std::vector<TempoChange> tempos;
    std::map<std::pair<int, int>, int> sounding;
    std::set<int> programmed;
    // Format 1 plays its tracks together; the conductor track comes first.
    for (int t = 0; t < MIDI_TRACKS; ++t)
        if (tune->track[t].data)
            ReadTrack(tune->track[t].data, tune->track[t].len, facts, tempos, sounding, programmed);
    for (const auto& entry : sounding)
        facts.hangingNotes += entry.second;
    facts.notesAfterEnd = facts.lastNoteOff > facts.endTick ? 1 : 0;
    facts.seconds = SecondsUntil(facts.endTick, tempos, tune->divisions);
    return facts;
}

MidiPtr LoadTune(const std::string& name)
{
    InitHeadlessAllegro();
    return MidiPtr(load_midi((SOUND_DIR + "mid_" + name + ".mid").c_str()));
}

struct DatafileDeleter {
    void operator()(DATAFILE* d) const { unload_datafile(d); }
};

// pat2dat's index: "N name" for program N-1, then "\tNOTE name" for the drum kit.
struct PatchIndex {
    std::map<int, std::string> programs;
    std::map<int, std::string> drums;
    std::set<std::string> objects;
};

PatchIndex ReadPatchIndex()
{
    InitHeadlessAllegro();
    PatchIndex index;
    std::unique_ptr<DATAFILE, DatafileDeleter> patches(load_datafile(PATCHES.c_str()));
    if (!patches)
        return index;
    std::string config;
    for (DATAFILE* object = patches.get(); object->type != DAT_END; ++object) {
        std::string name = get_datafile_property(object, DAT_NAME);
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        index.objects.insert(name);
        if (name == "default_cfg")
            config.assign(static_cast<const char*>(object->dat), size_t(object->size));
    }
    std::istringstream lines(config);
    std::string line;
    bool inDrumKit = false;
    while (std::getline(lines, line)) {
        if (line.find("begin_multipatch") != std::string::npos) {
            inDrumKit = true;
            continue;
        }
        std::istringstream words(line);
        int number;
        std::string name;
        if (!(words >> number >> name))
            continue;
        if (inDrumKit)
            index.drums[number] = name;
        else if (number >= 1)
            index.programs[number - 1] = name;
    }
    return index;
}

// Every effect is a short mono 16-bit sample. One that starts or stops away from zero
// clicks every time it is played. And the mixer plays a voice at full volume up to full
// scale and a sound at the edge of the screen 3.5 dB louder on its side: at full sound
// volume that must still leave room for the music.
TEST(SoundEffects, AreShortMonoSamplesWithoutClicksAndWithRoomForTheMusic)
{
    for (const std::string& name : EFFECTS) {
        SCOPED_TRACE(name);
        SamplePtr sample = LoadEffect(name);
        ASSERT_TRUE(sample);
        EXPECT_EQ(sample->bits, 16);
        EXPECT_EQ(sample->stereo, 0);
        EXPECT_TRUE(sample->freq == 22050 || sample->freq == 44100) << sample->freq;
        double seconds = double(sample->len) / sample->freq;
        EXPECT_GT(seconds, 0.03);
        EXPECT_LT(seconds, 1.5);

        std::vector<double> values = Amplitudes(sample.get());
        size_t oneMs = size_t(sample->freq / 1000);
        EXPECT_LT(std::fabs(values.front()), 0.002);
        EXPECT_LT(std::fabs(values.back()), 0.002);
        EXPECT_LT(PeakOf(values, 0, oneMs), 0.1);
        EXPECT_LT(PeakOf(values, values.size() - oneMs, values.size()), 0.1);

        double peakDb = Decibels(PeakOf(values, 0, values.size()));
        EXPECT_LT(peakDb, -4.5);
        // #7 is never played and is kept quiet; the game's own sounds are loud.
        EXPECT_GT(peakDb, name == "unused" ? -20.0 : -8.0);
    }
}

// Every tune plays at least thirty seconds. play_midi(tune, TRUE) starts again where the
// last track ends: on the bar line, with notes sounding up to there and none left hanging,
// the loop has no seam. pat2dat leaves out the piano, so a channel that never chose its
// instrument would be silent.
TEST(Tunes, LoopWithoutASeamOnInstrumentsThePatchSetHolds)
{
    PatchIndex index = ReadPatchIndex();
    ASSERT_FALSE(index.programs.empty()) << PATCHES;
    for (const std::string& name : TUNES) {
        SCOPED_TRACE(name);
        MidiPtr tune = LoadTune(name);
        ASSERT_TRUE(tune);
        TuneFacts facts = ReadTune(tune.get());
        EXPECT_GE(facts.seconds, 30.0);
        EXPECT_LT(facts.seconds, 180.0);

        ASSERT_GT(facts.barTicks, 0);
        EXPECT_EQ(facts.endTick % facts.barTicks, 0) << facts.endTick << " ticks";
        // The last notes may be played short, but not a sixteenth before the loop point.
        EXPECT_GE(facts.lastNoteOff, facts.endTick - facts.divisions / 4);
        EXPECT_EQ(facts.hangingNotes, 0);
        EXPECT_EQ(facts.notesAfterEnd, 0);

        EXPECT_TRUE(facts.channelsWithoutProgram.empty());
        EXPECT_GE(facts.programs.size(), 3u) << "melody, bass and chords";
        EXPECT_FALSE(facts.drums.empty()) << "percussion on channel 10";
        for (int program : facts.programs)
            EXPECT_TRUE(index.objects.count(index.programs[program])) << "program " << program;
        for (int drum : facts.drums)
            EXPECT_TRUE(index.objects.count(index.drums[drum])) << "drum " << drum;
    }
}

// Calls visit(header, data) for every sample of a GUS patch.
template <typename Visit>
void ForEachSample(const unsigned char* patch, long size, Visit visit)
{
    long pos = 129;  // file header
    int layers = size > pos + 22 ? patch[pos + 22] : 0;
    pos += 63;  // instrument header
    for (int layer = 0; layer < layers && pos + 47 <= size; ++layer) {
        int samples = patch[pos + 6];
        pos += 47;  // layer header
        for (int i = 0; i < samples && pos + 96 <= size; ++i) {
            visit(patch + pos, patch + pos + 96);
            const unsigned char* length = patch + pos + 8;
            pos += 96 + long(length[0] | length[1] << 8 | length[2] << 16 | unsigned(length[3]) << 24);
        }
    }
}

// Balances (0 left, 7 centre, 15 right) of every sample of a GUS patch.
std::vector<int> SampleBalances(const unsigned char* patch, long size)
{
    std::vector<int> balances;
    ForEachSample(patch, size, [&](const unsigned char* header, const unsigned char*) { balances.push_back(header[36]); });
    return balances;
}

// The first value of every sample of a GUS patch that does not loop from its start,
// as a share of full scale (modes at 55: 1 16-bit, 2 unsigned, 4 looping).
std::vector<double> SampleStarts(const unsigned char* patch, long size)
{
    std::vector<double> starts;
    ForEachSample(patch, size, [&](const unsigned char* header, const unsigned char* data) {
        int modes = header[55];
        bool loopsFromStart = (modes & 4) && (header[12] | header[13] << 8 | header[14] << 16) == 0;
        if (loopsFromStart)
            return;
        int v = modes & 1 ? data[0] | data[1] << 8 : data[0];
        int half = modes & 1 ? 32768 : 128;
        if (modes & 2)
            v -= half;
        else if (v >= half)
            v -= 2 * half;
        starts.push_back(std::fabs(double(v) / half));
    });
    return starts;
}

// Allegro plays each sample at its own balance; pat2dat keeps hard-panned halves of
// stereo pairs, which would put drums and leads in one speaker only. And a sample
// that starts away from zero clicks at every note.
TEST(PatchSet, EveryInstrumentSoundsFromTheCentreAndStartsFromSilence)
{
    InitHeadlessAllegro();
    std::unique_ptr<DATAFILE, DatafileDeleter> patches(load_datafile(PATCHES.c_str()));
    ASSERT_TRUE(patches) << PATCHES;
    int instruments = 0;
    for (DATAFILE* object = patches.get(); object->type != DAT_END; ++object) {
        if (object->type != DAT_ID('P', 'A', 'T', ' '))
            continue;
        ++instruments;
        SCOPED_TRACE(get_datafile_property(object, DAT_NAME));
        auto* patch = static_cast<const unsigned char*>(object->dat);
        std::vector<int> balances = SampleBalances(patch, object->size);
        EXPECT_FALSE(balances.empty());
        for (int balance : balances)
            EXPECT_EQ(balance, 7);
        for (double start : SampleStarts(patch, object->size))
            EXPECT_LT(start, 0.01);
    }
    EXPECT_GT(instruments, 10);
}

TEST(PatchSet, ExistsAndStaysUnderSixteenMegabytes)
{
    long size = long(file_size_ex(PATCHES.c_str()));
    EXPECT_GT(size, 0) << PATCHES;
    EXPECT_LT(size, 16L * 1024 * 1024);
}

}  // namespace

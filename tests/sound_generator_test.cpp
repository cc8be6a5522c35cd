// The shipped patches.dat against the tunes: it keeps of each instrument only
// the samples the tunes' notes sound, so a note it lacks would play silence.
#include "patch_set.h"
#include "tune_instruments.h"
#include "tunes.h"
#include "support/temp_dir.h"
#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>

static std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every note of every tune finds its instrument in patches.dat, with a sample
// whose key range holds it: a tune that gains an instrument or a note the
// build's list lacks fails here.
TEST(TuneInstrumentsTest, PatchesDatSoundsEveryNoteOfEveryTune)
{
    std::vector<uint8_t> file = ReadBytes(std::string(PESKO_DATA_DIR) + "/patches.dat");
    ASSERT_FALSE(file.empty());
    const std::vector<DatafileObject> objects = ListObjects(file);
    std::map<std::string, const DatafileObject*> byName;
    for (const DatafileObject& object : objects)
        byName[object.name] = &object;
    ASSERT_TRUE(byName.count("default_cfg"));
    const PatchIndex index =
        ReadPatchIndex(file.data() + byName["default_cfg"]->offset, byName["default_cfg"]->size);
    TempDir dir;
    for (const Tune& tune : MakeTunes()) {
        const std::string path = dir.Path() + "/" + tune.fileName;
        ASSERT_TRUE(WriteMidi(path, tune.tracks, tune.bars * TICKS_PER_BAR));
        TuneInstruments played;
        AddTuneInstruments(ReadBytes(path), played);
        EXPECT_FALSE(played.programNotes.empty()) << tune.fileName;
        for (const auto& program : played.programNotes)
            EXPECT_TRUE(index.programs.count(program.first)) << tune.fileName << ": program " << program.first;
        for (int note : played.drumNotes)
            EXPECT_TRUE(index.drums.count(note)) << tune.fileName << ": drum " << note;
        for (const auto& [patch, notes] : NotesPerPatch(index, played)) {
            ASSERT_TRUE(byName.count(patch)) << tune.fileName << ": " << patch << " is not in patches.dat";
            const DatafileObject& object = *byName[patch];
            for (int note : notes)
                EXPECT_TRUE(PatchSoundsNote(file.data() + object.offset, object.size, note))
                    << tune.fileName << ": " << patch << " has no sample for note " << note;
        }
    }
}

// A GUS patch of one layer built in memory: each sample a looping 16-bit wave
// with its key range (mHz) and its root pitch and rate.
namespace {

struct TestSample {
    std::vector<double> wave;
    uint32_t low, high, root, rate;
    size_t loopStart, loopEnd;
};

void Put(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int count)
{
    for (int i = 0; i < count; i++)
        bytes[at + size_t(i)] = uint8_t(value >> (8 * i));
}

uint32_t Get(const std::vector<uint8_t>& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; i--)
        value = value << 8 | bytes[at + size_t(i)];
    return value;
}

constexpr size_t FIRST_SAMPLE = 129 + 63 + 47;

std::vector<uint8_t> MakePatch(const std::vector<TestSample>& samples)
{
    std::vector<uint8_t> patch(FIRST_SAMPLE, 0);
    std::copy_n("GF1PATCH110", 11, patch.begin());
    patch[129 + 22] = 1;  // one layer
    patch[129 + 63 + 6] = uint8_t(samples.size());
    for (const TestSample& s : samples) {
        std::vector<uint8_t> header(96, 0);
        Put(header, 8, uint32_t(2 * s.wave.size()), 4);
        Put(header, 12, uint32_t(2 * s.loopStart), 4);
        Put(header, 16, uint32_t(2 * s.loopEnd), 4);
        Put(header, 20, s.rate, 2);
        Put(header, 22, s.low, 4);
        Put(header, 26, s.high, 4);
        Put(header, 30, s.root, 4);
        header[55] = 1 | 4 | 32 | 64;  // 16 bits, looping, sustained, envelope
        patch.insert(patch.end(), header.begin(), header.end());
        for (double v : s.wave)
            for (int b = 0; b < 2; b++)
                patch.push_back(uint8_t(int16_t(std::lround(v * 32767)) >> (8 * b)));
    }
    return patch;
}

std::vector<TestSample> ReadPatch(const std::vector<uint8_t>& patch)
{
    std::vector<TestSample> samples;
    size_t pos = FIRST_SAMPLE;
    for (int i = 0; i < patch[129 + 63 + 6]; i++) {
        TestSample s{{}, Get(patch, pos + 22, 4), Get(patch, pos + 26, 4), Get(patch, pos + 30, 4),
                     Get(patch, pos + 20, 2), Get(patch, pos + 12, 4) / 2, Get(patch, pos + 16, 4) / 2};
        size_t length = Get(patch, pos + 8, 4);
        for (size_t j = 0; j < length / 2; j++)
            s.wave.push_back(int16_t(Get(patch, pos + 96 + 2 * j, 2)) / 32767.0);
        samples.push_back(s);
        pos += 96 + length;
    }
    return samples;
}

constexpr double PI = 3.14159265358979323846;

// Half a second of a sine at `hz`, looping over its last tenth of a second
// (a whole number of periods at 44.1 kHz for the pitches used).
std::vector<double> Sine(double hz, double level)
{
    std::vector<double> wave(22050);
    for (size_t i = 0; i < wave.size(); i++)
        wave[i] = level * std::sin(2 * PI * hz * double(i) / 44100);
    return wave;
}

// What the player sounds for a pitch: the sum of the first four samples whose
// key range holds it, sample by sample.
std::vector<double> Sounded(const std::vector<TestSample>& samples, uint32_t mHz)
{
    std::vector<double> sum;
    int voices = 0;
    for (const TestSample& s : samples) {
        if (s.low > mHz || mHz > s.high || voices == 4)
            continue;
        voices++;
        sum.resize(std::max(sum.size(), s.wave.size()));
        for (size_t i = 0; i < s.wave.size(); i++)
            sum[i] += s.wave[i];
    }
    return sum;
}

}  // namespace

// Resampled to a lower rate, a sample keeps its pitch (the loop's periods at the
// header's rate), its length in seconds, its level and a loop that joins up.
TEST(PatchSetTest, ResampledSampleKeepsPitchLengthAndLevel)
{
    struct Case {
        const char* what;
        uint32_t high;  // top of the key range, mHz: the higher, the lower the rate
    } cases[] = {{"played at its root only", 440000}, {"played two octaves up", 1760000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TestSample before{Sine(440, 0.5), 430000, c.high, 440000, 44100, 17640, 22050};
        const std::vector<uint8_t> patch = MakePatch({before});
        const std::vector<uint8_t> lower = ResampleGusPatch(patch.data(), patch.size(), 10000, 0.4);
        const TestSample after = ReadPatch(lower).at(0);
        ASSERT_LT(after.rate, 44100u / 1.5);
        EXPECT_NEAR(double(after.wave.size()) / after.rate, 0.5, 0.001);
        // 44 periods in the loop before; at the new rate they must still make 440 Hz.
        double hz = 44.0 * after.rate / double(after.loopEnd - after.loopStart);
        EXPECT_NEAR(1200 * std::log2(hz / 440), 0, 0.5) << "cents off";
        // Past the first few samples, where the wave starts from silence.
        for (size_t i = 16; i < after.wave.size(); i++)
            ASSERT_NEAR(after.wave[i], 0.5 * std::sin(2 * PI * 440 * double(i) / after.rate), 0.01) << "at " << i;
        // Round the loop: its start is where its end goes on.
        EXPECT_NEAR(after.wave[after.loopStart], 0.5 * std::sin(2 * PI * 440 * double(after.loopEnd) / after.rate),
                    0.01);
        EXPECT_LT(lower.size(), patch.size());
    }
}

// pat2dat writes a SoundFont's velocity layers as alike samples, all sounding at
// once. Mixed, every note the tunes play (inside a range, or on the edge between
// two) sounds as loud as before, from fewer bytes whatever headroom the wave
// leaves; where a note sounds some of each range the patch cannot be mixed.
TEST(PatchSetTest, MixedLayersSoundEveryNoteAsBefore)
{
    struct Case {
        const char* what;
        bool interleaved;  // one layer's ranges after another, as pat2dat writes them
        std::set<int> notes;  // 415, 440 (the edge) and 466 Hz
        bool smaller;
    } cases[] = {{"layer after layer", true, {68, 70}, true},
                 {"layer after layer, a note on the edge", true, {68, 69, 70}, false},
                 {"range after range, a note on the edge", false, {68, 69, 70}, true}};
    for (const Case& c : cases) {
        for (double level : {0.2, 0.5, 0.9}) {
            SCOPED_TRACE(std::string(c.what) + ", wave level " + std::to_string(level));
            std::vector<TestSample> layers;
            for (int layer = 0; layer < 14; layer++) {
                bool low = c.interleaved ? layer % 2 == 0 : layer < 7;
                layers.push_back(low ? TestSample{Sine(440, level), 400000, 440001, 440000, 44100, 17640, 22050}
                                     : TestSample{Sine(660, level), 439998, 700000, 660000, 44100, 17640, 22050});
            }
            const std::vector<uint8_t> patch = MakePatch(layers);
            const std::vector<uint8_t> mixed = MergeSoundingLayers(patch.data(), patch.size(), c.notes);
            if (c.smaller) {
                EXPECT_LT(mixed.size(), patch.size() * (level < 0.25 ? 0.2 : 0.65));
            }
            for (int note : c.notes) {
                const uint32_t mHz = uint32_t(440000 * std::pow(2.0, (note - 69) / 12.0));
                const std::vector<double> before = Sounded(layers, mHz), after = Sounded(ReadPatch(mixed), mHz);
                ASSERT_EQ(after.size(), before.size()) << "note " << note;
                for (size_t i = 0; i < before.size(); i++)
                    ASSERT_NEAR(after[i], before[i], 4e-4) << "note " << note << " at " << i;
            }
        }
    }
}

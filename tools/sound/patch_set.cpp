#include "patch_set.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <stdexcept>

namespace {

constexpr size_t GUS_HEADER = 129;
constexpr size_t GUS_INSTRUMENT = 63;
constexpr size_t GUS_LAYER = 47;
constexpr size_t GUS_SAMPLE = 96;
constexpr size_t LAYER_COUNT_AT = 18 + 4;  // in the instrument header
constexpr size_t SAMPLE_COUNT_AT = 6;  // in the layer header
constexpr size_t SAMPLE_LENGTH_AT = 8;  // in the sample header
constexpr size_t SAMPLE_BALANCE_AT = 36;  // 0 left, 7 centre, 15 right
constexpr uint8_t CENTRE = 7;

uint32_t BigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

uint32_t LittleEndian32(const uint8_t* p)
{
    return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

class Cursor {
public:
    explicit Cursor(const std::vector<uint8_t>& file) : m_File(file) {}
    const uint8_t* Take(size_t count)
    {
        if (count > m_File.size() - m_Pos)
            throw std::runtime_error("datafile ends inside an object");
        const uint8_t* here = m_File.data() + m_Pos;
        m_Pos += count;
        return here;
    }
    std::string Tag() { return std::string(reinterpret_cast<const char*>(Take(4)), 4); }
    uint32_t Long() { return BigEndian32(Take(4)); }
    size_t Pos() const { return m_Pos; }

private:
    const std::vector<uint8_t>& m_File;
    size_t m_Pos = 0;
};

}  // namespace

std::vector<DatafileObject> ListObjects(const std::vector<uint8_t>& file)
{
    Cursor in(file);
    if (in.Tag() != "slh." || in.Tag() != "ALL.")
        throw std::runtime_error("not an unpacked Allegro datafile");
    uint32_t count = in.Long();
    std::vector<DatafileObject> objects;
    for (uint32_t i = 0; i < count; ++i) {
        DatafileObject object;
        std::string tag = in.Tag();
        for (; tag == "prop"; tag = in.Tag()) {
            std::string property = in.Tag();
            uint32_t size = in.Long();
            const uint8_t* value = in.Take(size);
            if (property == "NAME")
                object.name.assign(reinterpret_cast<const char*>(value), size);
        }
        object.type = tag;
        uint32_t onDisk = in.Long();
        uint32_t unpacked = in.Long();
        if (onDisk != unpacked)
            throw std::runtime_error("compressed object " + object.name);
        object.offset = in.Pos();
        object.size = onDisk;
        in.Take(onDisk);
        objects.push_back(object);
    }
    return objects;
}

namespace {

// Calls visit(header, data) for every sample of a GUS patch: `header` is the 96-byte
// sample header, `data` the wave_size bytes that follow it.
template <typename Visit>
void ForEachGusSample(uint8_t* patch, size_t size, Visit visit)
{
    if (size < GUS_HEADER + GUS_INSTRUMENT || std::memcmp(patch, "GF1PATCH", 8) != 0)
        throw std::runtime_error("not a GUS patch");
    size_t pos = GUS_HEADER;
    int layers = patch[pos + LAYER_COUNT_AT];
    pos += GUS_INSTRUMENT;
    for (int layer = 0; layer < layers; ++layer) {
        if (pos + GUS_LAYER > size)
            throw std::runtime_error("GUS patch ends inside a layer");
        int samples = patch[pos + SAMPLE_COUNT_AT];
        pos += GUS_LAYER;
        for (int sample = 0; sample < samples; ++sample) {
            if (pos + GUS_SAMPLE > size)
                throw std::runtime_error("GUS patch ends inside a sample header");
            size_t length = LittleEndian32(patch + pos + SAMPLE_LENGTH_AT);
            if (pos + GUS_SAMPLE + length > size)
                throw std::runtime_error("GUS patch ends inside its sample data");
            visit(patch + pos, patch + pos + GUS_SAMPLE, length);
            pos += GUS_SAMPLE + length;
        }
    }
}

constexpr size_t LOOP_FRACTIONS_AT = 7;
constexpr size_t LOOP_START_AT = 12;
constexpr size_t LOOP_END_AT = 16;
constexpr size_t SAMPLE_RATE_AT = 20;
constexpr size_t HIGH_FREQUENCY_AT = 26;  // top of the sample's key range, in mHz
constexpr size_t ROOT_FREQUENCY_AT = 30;  // pitch it was recorded at, in mHz
constexpr size_t MODES_AT = 55;
constexpr uint8_t MODE_16_BIT = 1, MODE_UNSIGNED = 2, MODE_LOOPING = 4;

constexpr double PI = 3.14159265358979323846;

// The wave of one sample as numbers, and back into its own format.
struct Wave {
    std::vector<double> values;
    size_t loopStart = 0, loopEnd = 0;  // in samples; equal when it does not loop
};

Wave ReadWave(const uint8_t* header, const uint8_t* data, size_t length)
{
    uint8_t modes = header[MODES_AT];
    size_t width = modes & MODE_16_BIT ? 2 : 1;
    Wave wave;
    wave.values.resize(length / width);
    for (size_t i = 0; i < wave.values.size(); ++i) {
        int v = width == 2 ? int(data[2 * i] | data[2 * i + 1] << 8) : data[i];
        if (modes & MODE_UNSIGNED)
            v -= width == 2 ? 32768 : 128;
        else if (width == 2 && v >= 32768)
            v -= 65536;
        else if (width == 1 && v >= 128)
            v -= 256;
        wave.values[i] = v / (width == 2 ? 32768.0 : 128.0);
    }
    if (modes & MODE_LOOPING) {
        wave.loopStart = std::min<size_t>(LittleEndian32(header + LOOP_START_AT) / width, wave.values.size());
        wave.loopEnd = std::min<size_t>(LittleEndian32(header + LOOP_END_AT) / width, wave.values.size());
    }
    return wave;
}

void WriteWave(const uint8_t* header, uint8_t* data, const Wave& wave)
{
    uint8_t modes = header[MODES_AT];
    bool wide = modes & MODE_16_BIT;
    for (size_t i = 0; i < wave.values.size(); ++i) {
        double full = wide ? 32767.0 : 127.0;
        int v = int(std::lround(std::clamp(wave.values[i], -1.0, 1.0) * full));
        if (modes & MODE_UNSIGNED)
            v += wide ? 32768 : 128;
        if (wide) {
            data[2 * i] = uint8_t(v & 0xFF);
            data[2 * i + 1] = uint8_t((v >> 8) & 0xFF);
        } else {
            data[i] = uint8_t(v & 0xFF);
        }
    }
}

// Windowed-sinc low-pass (Blackman). Inside the loop the neighbours wrap round the
// loop, so the loop still joins up without a seam.
std::vector<double> LowPass(const Wave& wave, double cutoff)
{
    constexpr int HALF = 48;
    std::vector<double> taps(2 * HALF + 1);
    double sum = 0;
    for (int k = -HALF; k <= HALF; ++k) {
        double sinc = k == 0 ? 2 * cutoff : std::sin(2 * PI * cutoff * k) / (PI * k);
        double window = 0.42 + 0.5 * std::cos(PI * k / HALF) + 0.08 * std::cos(2 * PI * k / HALF);
        taps[k + HALF] = sinc * window;
        sum += taps[k + HALF];
    }
    const std::vector<double>& in = wave.values;
    long n = long(in.size()), loopStart = long(wave.loopStart), loopLength = long(wave.loopEnd - wave.loopStart);
    auto at = [&](long i, long j) {
        bool inLoop = loopLength > 0 && i >= loopStart && i < loopStart + loopLength;
        if (inLoop)
            return in[size_t(loopStart + ((j - loopStart) % loopLength + loopLength) % loopLength)];
        return j < 0 || j >= n ? 0.0 : in[size_t(j)];
    };
    std::vector<double> out(in.size());
    for (long i = 0; i < n; ++i) {
        double acc = 0;
        for (int k = -HALF; k <= HALF; ++k)
            acc += taps[k + HALF] * at(i, i + k);
        out[size_t(i)] = acc / sum;
    }
    return out;
}

double SampleRate(const uint8_t* header)
{
    return header[SAMPLE_RATE_AT] | header[SAMPLE_RATE_AT + 1] << 8;
}

// Played up to the top of its key range, a sample's highs rise with the pitch:
// softened, it keeps only what that top note still sounds under topHz.
double KeptTopHz(const uint8_t* header, double topHz)
{
    double root = LittleEndian32(header + ROOT_FREQUENCY_AT), high = LittleEndian32(header + HIGH_FREQUENCY_AT);
    double raise = root > 0 && high > root ? high / root : 1;
    return std::min(topHz / raise, 0.45 * SampleRate(header));
}

}  // namespace

int CentreGusPatch(uint8_t* patch, size_t size)
{
    int moved = 0;
    ForEachGusSample(patch, size, [&](uint8_t* header, uint8_t*, size_t) {
        uint8_t& balance = header[SAMPLE_BALANCE_AT];
        moved += balance != CENTRE;
        balance = CENTRE;
    });
    return moved;
}

void SoftenGusPatch(uint8_t* patch, size_t size, double topHz, double attackSeconds)
{
    ForEachGusSample(patch, size, [&](uint8_t* header, uint8_t* data, size_t length) {
        Wave wave = ReadWave(header, data, length);
        double rate = SampleRate(header);
        if (wave.values.empty() || rate <= 0)
            return;
        wave.values = LowPass(wave, KeptTopHz(header, topHz) / rate);
        // A few milliseconds of attack, ending before the loop so the loop is untouched.
        size_t attack = size_t(attackSeconds * rate);
        if (wave.loopEnd > wave.loopStart)
            attack = std::min(attack, wave.loopStart);
        attack = std::min(attack, wave.values.size() / 4);
        for (size_t i = 0; i < attack; ++i)
            wave.values[i] *= 0.5 - 0.5 * std::cos(PI * double(i) / double(attack));
        WriteWave(header, data, wave);
    });
}

bool BlankDateLine(uint8_t* text, size_t size)
{
    const char marker[] = "# Date:";
    const size_t length = sizeof marker - 1;
    for (size_t i = 0; i + length <= size; ++i) {
        bool lineStart = i == 0 || text[i - 1] == '\n';
        if (!lineStart || std::memcmp(text + i, marker, length) != 0)
            continue;
        for (size_t j = i + 1; j < size && text[j] != '\n'; ++j)
            text[j] = ' ';
        return true;
    }
    return false;
}

PatchIndex ReadPatchIndex(const uint8_t* text, size_t size)
{
    PatchIndex index;
    std::istringstream in(std::string(reinterpret_cast<const char*>(text), size));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        int number = 0;
        std::string name;
        if (line.empty() || line[0] == '#' || !(words >> number >> name))
            continue;
        if (line[0] == '\t' || line[0] == ' ')
            index.drums[number] = name;
        else if (number >= 1 && number <= 128)
            index.programs[number - 1] = name;
    }
    return index;
}

std::map<std::string, std::set<int>> NotesPerPatch(const PatchIndex& index, const TuneInstruments& tunes)
{
    std::map<std::string, std::set<int>> notes;
    for (const auto& [program, played] : tunes.programNotes) {
        auto patch = index.programs.find(program);
        if (patch != index.programs.end())
            notes[patch->second].insert(played.begin(), played.end());
    }
    for (int note : tunes.drumNotes) {
        auto patch = index.drums.find(note);
        if (patch != index.drums.end())
            notes[patch->second].insert(note);
    }
    return notes;
}

namespace {

constexpr size_t WAVEFORMS_AT = 85;        // in the patch header, 2 bytes
constexpr size_t WAVE_DATA_SIZE_AT = 89;   // in the patch header, 4 bytes
constexpr size_t LOW_FREQUENCY_AT = 22;    // bottom of the sample's key range, in mHz

struct SampleSpan {
    size_t begin, end;  // header and data
    uint32_t low, high;
};

// The pitch of a note in mHz, as the player tunes it.
double NoteMilliHertz(double note)
{
    return 440000.0 * std::pow(2.0, (note - 69) / 12);
}

void PutLittleEndian(uint8_t* p, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        p[i] = uint8_t(value >> (8 * i));
}


// The samples of a GUS patch in order, with their key ranges.
std::vector<SampleSpan> ListSamples(std::vector<uint8_t>& patch)
{
    std::vector<SampleSpan> samples;
    ForEachGusSample(patch.data(), patch.size(), [&](uint8_t* header, uint8_t* data, size_t length) {
        samples.push_back({size_t(header - patch.data()), size_t(data - patch.data()) + length,
                           LittleEndian32(header + LOW_FREQUENCY_AT), LittleEndian32(header + HIGH_FREQUENCY_AT)});
    });
    return samples;
}

// Whether the sample's key range holds the pitch.
bool Holds(const SampleSpan& sample, double pitch)
{
    const double mHz = NoteMilliHertz(pitch);
    // Neighbouring ranges leave a gap of a millihertz that a note may fall in.
    return sample.low <= mHz + 1 && mHz - 1 <= sample.high;
}

// The player's pitch of a note in mHz, from its own table.
uint32_t PlayerMilliHertz(int note)
{
    double f = 14080000;
    for (int i = 128; i >= note; i--)
        f /= std::pow(2.0, 1.0 / 12.0);
    return uint32_t(long(f));
}

// Allegro's software MIDI starts a note with the first five samples whose key
// range holds the player's pitch of it, and its player gives a note at most four
// voices: the first four sound.
constexpr size_t MOST_SAMPLES_PER_NOTE = 4;

std::vector<size_t> SamplesSounding(const std::vector<SampleSpan>& samples, int note)
{
    const uint32_t mHz = PlayerMilliHertz(note);
    std::vector<size_t> sounding;
    for (size_t s = 0; s < samples.size() && sounding.size() < MOST_SAMPLES_PER_NOTE; s++)
        if (samples[s].low <= mHz && mHz <= samples[s].high)
            sounding.push_back(s);
    return sounding;
}

// A GUS patch of one layer taken apart: what comes before the samples, and each
// sample's header and wave.
struct GusSample {
    std::vector<uint8_t> header, data;
};

struct GusPatch {
    std::vector<uint8_t> prefix;
    std::vector<GusSample> samples;
};

GusPatch TakeApart(std::vector<uint8_t>& patch, const std::vector<SampleSpan>& spans)
{
    GusPatch parts;
    parts.prefix.assign(patch.begin(), patch.begin() + long(spans.empty() ? patch.size() : spans.front().begin));
    for (const SampleSpan& span : spans) {
        const auto at = patch.begin() + long(span.begin);
        parts.samples.push_back({{at, at + GUS_SAMPLE}, {at + GUS_SAMPLE, patch.begin() + long(span.end)}});
    }
    return parts;
}

std::vector<uint8_t> PutTogether(const GusPatch& parts)
{
    std::vector<uint8_t> out = parts.prefix;
    uint32_t waveBytes = 0;
    for (const GusSample& sample : parts.samples) {
        std::vector<uint8_t> header = sample.header;
        PutLittleEndian(header.data() + SAMPLE_LENGTH_AT, uint32_t(sample.data.size()), 4);
        out.insert(out.end(), header.begin(), header.end());
        out.insert(out.end(), sample.data.begin(), sample.data.end());
        waveBytes += uint32_t(sample.data.size());
    }
    out[GUS_HEADER + GUS_INSTRUMENT + SAMPLE_COUNT_AT] = uint8_t(parts.samples.size());
    PutLittleEndian(out.data() + WAVEFORMS_AT, uint32_t(parts.samples.size()), 2);
    PutLittleEndian(out.data() + WAVE_DATA_SIZE_AT, waveBytes, 4);
    return out;
}

bool OneLayer(const std::vector<uint8_t>& patch)
{
    return patch[GUS_HEADER + LAYER_COUNT_AT] == 1;
}

}  // namespace

bool PatchSoundsNote(const uint8_t* patch, size_t size, int note)
{
    std::vector<uint8_t> copy(patch, patch + size);
    const std::vector<SampleSpan> samples = ListSamples(copy);
    return std::any_of(samples.begin(), samples.end(), [&](const SampleSpan& s) { return Holds(s, note); });
}

std::vector<uint8_t> KeepSamplesForNotes(const uint8_t* patch, size_t size, const std::set<int>& notes)
{
    std::vector<uint8_t> copy(patch, patch + size);
    const std::vector<SampleSpan> samples = ListSamples(copy);
    // A patch of several layers is left as it is.
    if (!OneLayer(copy))
        return copy;
    std::vector<bool> keep(samples.size(), false);
    constexpr double DETUNE = 0.25;  // of a semitone: a pitch bend or the player's rounding
    for (int note : notes) {
        bool sounded = false;
        for (size_t s = 0; s < samples.size(); s++) {
            for (double pitch : {note - DETUNE, double(note), note + DETUNE}) {
                if (Holds(samples[s], pitch)) {
                    keep[s] = true;
                    sounded |= pitch == note;
                }
            }
        }
        if (!sounded)
            return copy;
    }
    GusPatch parts = TakeApart(copy, samples);
    GusPatch kept{parts.prefix, {}};
    for (size_t s = 0; s < samples.size(); s++)
        if (keep[s])
            kept.samples.push_back(parts.samples[s]);
    return PutTogether(kept);
}

namespace {

constexpr size_t NAME_LENGTH = 7;  // the sample's name, before its length

// Two samples sound alike when all but their names and envelopes agree: the
// velocity layers pat2dat keeps of one SoundFont sample.
bool SameWave(const GusSample& a, const GusSample& b)
{
    auto same = [&](size_t from, size_t to) {
        return std::equal(a.header.begin() + long(from), a.header.begin() + long(to), b.header.begin() + long(from));
    };
    return a.data == b.data && same(NAME_LENGTH, SAMPLE_BALANCE_AT + 1) && same(MODES_AT, GUS_SAMPLE);
}

double PeakOf(const Wave& wave)
{
    double peak = 0;
    for (double v : wave.values)
        peak = std::max(peak, std::abs(v));
    return peak;
}

// What a note sounds: how many samples of each run of alike samples, at what gain.
using Sound = std::map<size_t, double>;

Sound SoundOf(const std::vector<SampleSpan>& samples, const std::vector<size_t>& runOf,
              const std::vector<double>& gainOf, int note)
{
    Sound sound;
    for (size_t s : SamplesSounding(samples, note))
        sound[runOf[s]] += gainOf[s];
    return sound;
}

bool SameSound(const Sound& a, const Sound& b)
{
    if (a.size() != b.size())
        return false;
    for (const auto& [run, gain] : a) {
        auto other = b.find(run);
        if (other == b.end() || std::abs(other->second - gain) > 1e-9)
            return false;
    }
    return true;
}

}  // namespace

std::vector<uint8_t> MergeSoundingLayers(const uint8_t* patch, size_t size, const std::set<int>& notes)
{
    std::vector<uint8_t> copy(patch, patch + size);
    const std::vector<SampleSpan> spans = ListSamples(copy);
    if (!OneLayer(copy) || spans.empty())
        return copy;
    const GusPatch parts = TakeApart(copy, spans);
    // Alike samples, wherever they stand: pat2dat writes one velocity layer's key
    // ranges after another. Each sample is named by the first one alike.
    std::vector<size_t> runOf(spans.size());
    for (size_t s = 0; s < spans.size(); s++) {
        runOf[s] = s;
        for (size_t t = 0; t < s && runOf[s] == s; t++)
            if (runOf[t] == t && SameWave(parts.samples[s], parts.samples[t]))
                runOf[s] = t;
    }
    // How many of each sort sound at once; one that sounds in different numbers
    // for different notes is kept as it is, one that never sounds goes.
    std::vector<size_t> together(spans.size(), 0);
    std::vector<bool> mixable(spans.size(), true);
    for (int note : notes) {
        std::map<size_t, size_t> count;
        for (size_t s : SamplesSounding(spans, note))
            count[runOf[s]]++;
        for (const auto& [run, n] : count) {
            mixable[run] = mixable[run] && (together[run] == 0 || together[run] == n);
            together[run] = n;
        }
    }
    GusPatch merged{parts.prefix, {}};
    std::vector<size_t> mergedRunOf;
    std::vector<double> mergedGain;
    for (size_t s = 0; s < spans.size(); s++) {
        const size_t run = runOf[s];
        if (together[run] == 0)
            continue;
        if (!mixable[run] || together[run] < 2) {
            merged.samples.push_back(parts.samples[s]);
            mergedRunOf.push_back(run);
            mergedGain.push_back(1);
            continue;
        }
        if (run != s)
            continue;
        // The samples that sound together become as few copies of one wave as hold
        // their summed level without clipping, with the middle one's envelope.
        size_t middle = s;
        for (size_t seen = 0, t = s; t < spans.size() && seen <= (together[run] - 1) / 2; t++)
            if (runOf[t] == run && seen++ == (together[run] - 1) / 2)
                middle = t;
        const GusSample& chosen = parts.samples[middle];
        Wave wave = ReadWave(chosen.header.data(), chosen.data.data(), chosen.data.size());
        size_t copies = std::clamp<size_t>(size_t(std::ceil(double(together[run]) * PeakOf(wave) - 1e-9)), 1,
                                           together[run]);
        double gain = double(together[run]) / double(copies);
        for (double& v : wave.values)
            v *= gain;
        GusSample mixed = chosen;
        WriteWave(mixed.header.data(), mixed.data.data(), wave);
        for (size_t c = 0; c < copies; c++) {
            merged.samples.push_back(mixed);
            mergedRunOf.push_back(run);
            mergedGain.push_back(gain);
        }
    }
    if (merged.samples.empty())
        return copy;
    // A note on the edge between two ranges sounded only the first run when that
    // one filled the player's five samples; mixed, the next run would sound too:
    // its range then starts above the note (or ends below it).
    const std::vector<double> unity(spans.size(), 1);
    for (int note : notes) {
        const Sound before = SoundOf(spans, runOf, unity, note);
        const uint32_t mHz = PlayerMilliHertz(note);
        for (size_t s = 0; s < merged.samples.size(); s++) {
            uint8_t* header = merged.samples[s].header.data();
            uint32_t low = LittleEndian32(header + LOW_FREQUENCY_AT), high = LittleEndian32(header + HIGH_FREQUENCY_AT);
            if (before.count(mergedRunOf[s]) || mHz < low || mHz > high)
                continue;
            // A few mHz clear of the note, whatever the rounding of its pitch.
            constexpr uint32_t CLEAR = 5;
            if (mHz - low <= high - mHz)
                PutLittleEndian(header + LOW_FREQUENCY_AT, mHz + CLEAR, 4);
            else
                PutLittleEndian(header + HIGH_FREQUENCY_AT, mHz - CLEAR, 4);
        }
    }
    // Every note must sound as before, or the patch stays whole.
    std::vector<uint8_t> out = PutTogether(merged);
    const std::vector<SampleSpan> mergedSpans = ListSamples(out);
    for (int note : notes)
        if (!SameSound(SoundOf(spans, runOf, unity, note), SoundOf(mergedSpans, mergedRunOf, mergedGain, note)))
            return copy;
    return out;
}

namespace {

// A wave's value at a fractional position, band-limited (Blackman-windowed sinc
// reaching `halfWidth` source samples each side, passing below `cutoff` cycles a
// source sample). Inside the loop the neighbours wrap round it.
double ValueAt(const Wave& wave, double position, bool inLoop, double cutoff, double halfWidth)
{
    const long n = long(wave.values.size()), loopStart = long(wave.loopStart);
    const long loopLength = long(wave.loopEnd - wave.loopStart);
    double acc = 0, sum = 0;
    for (long j = long(std::ceil(position - halfWidth)); j <= long(std::floor(position + halfWidth)); j++) {
        double x = double(j) - position;
        double sinc = std::abs(x) < 1e-12 ? 2 * cutoff : std::sin(2 * PI * cutoff * x) / (PI * x);
        double tap = sinc * (0.42 + 0.5 * std::cos(PI * x / halfWidth) + 0.08 * std::cos(2 * PI * x / halfWidth));
        sum += tap;
        long at = inLoop ? loopStart + ((j - loopStart) % loopLength + loopLength) % loopLength : j;
        if (at >= 0 && at < n)
            acc += tap * wave.values[size_t(at)];
    }
    return sum != 0 ? acc / sum : 0;
}

// The wave at `ratio` times its rate: the loop scaled to a whole number of samples
// (so it still joins up) and the rest around it in proportion.
Wave Resample(const Wave& wave, double& ratio)
{
    const bool loops = wave.loopEnd > wave.loopStart;
    const size_t loopLength = wave.loopEnd - wave.loopStart;
    if (loops)
        ratio = std::max<double>(1, std::round(double(loopLength) * ratio)) / double(loopLength);
    Wave out;
    out.loopStart = size_t(std::lround(double(wave.loopStart) * ratio));
    out.loopEnd = loops ? out.loopStart + size_t(std::lround(double(loopLength) * ratio)) : out.loopStart;
    const size_t tail = wave.values.size() - (loops ? wave.loopEnd : wave.loopStart);
    out.values.resize(std::max<size_t>(1, out.loopEnd + size_t(std::lround(double(tail) * ratio))));
    constexpr double ZERO_CROSSINGS = 16;  // of the new rate's kernel, each side
    const double cutoff = 0.5 * std::min(1.0, ratio), halfWidth = ZERO_CROSSINGS / std::min(1.0, ratio);
    for (size_t i = 0; i < out.values.size(); i++) {
        double position;
        bool inLoop = loops && i >= out.loopStart && i < out.loopEnd;
        if (i < out.loopStart)
            position = double(i) * double(wave.loopStart) / double(out.loopStart);
        else if (inLoop)
            position = double(wave.loopStart) + double(i - out.loopStart) / ratio;
        else
            position = double(loops ? wave.loopEnd : wave.loopStart) + double(i - out.loopEnd) / ratio;
        out.values[i] = ValueAt(wave, position, inLoop, cutoff, halfWidth);
    }
    return out;
}

}  // namespace

std::vector<uint8_t> ResampleGusPatch(const uint8_t* patch, size_t size, double topHz, double keptFraction)
{
    std::vector<uint8_t> copy(patch, patch + size);
    const std::vector<SampleSpan> spans = ListSamples(copy);
    GusPatch parts = TakeApart(copy, spans);
    for (GusSample& sample : parts.samples) {
        const double rate = SampleRate(sample.header.data());
        double ratio = KeptTopHz(sample.header.data(), topHz) / keptFraction / rate;
        const Wave wave = ReadWave(sample.header.data(), sample.data.data(), sample.data.size());
        // Short waves (the single cycles of the synth leads) would save nothing, and
        // are the brightest: the player's interpolation would add to their highs.
        constexpr size_t SHORT_WAVE = 4096;
        if (rate <= 0 || ratio >= 0.9 || wave.values.size() < SHORT_WAVE)
            continue;
        const Wave lower = Resample(wave, ratio);
        const size_t width = sample.header[MODES_AT] & MODE_16_BIT ? 2 : 1;
        // The pitch stays: the player tunes a sample by the rate in its header.
        PutLittleEndian(sample.header.data() + SAMPLE_RATE_AT, uint32_t(std::lround(rate * ratio)), 2);
        PutLittleEndian(sample.header.data() + LOOP_START_AT, uint32_t(lower.loopStart * width), 4);
        PutLittleEndian(sample.header.data() + LOOP_END_AT, uint32_t(lower.loopEnd * width), 4);
        sample.header[LOOP_FRACTIONS_AT] = 0;
        sample.data.assign(lower.values.size() * width, 0);
        WriteWave(sample.header.data(), sample.data.data(), lower);
    }
    return PutTogether(parts);
}

std::vector<uint8_t> ReplaceObjects(const std::vector<uint8_t>& file, const std::vector<DatafileObject>& objects,
                                    const std::vector<std::vector<uint8_t>>& bytes)
{
    constexpr size_t SIZES = 8;  // on disk and unpacked, before the object's bytes
    std::vector<uint8_t> out;
    size_t recordStart = 12;     // after "slh.ALL." and the object count
    out.insert(out.end(), file.begin(), file.begin() + recordStart);
    for (size_t i = 0; i < objects.size(); i++) {
        out.insert(out.end(), file.begin() + recordStart, file.begin() + objects[i].offset - SIZES);
        for (int twice = 0; twice < 2; twice++)
            for (int shift = 24; shift >= 0; shift -= 8)
                out.push_back(uint8_t(bytes[i].size() >> shift));
        out.insert(out.end(), bytes[i].begin(), bytes[i].end());
        recordStart = objects[i].offset + objects[i].size;
    }
    out.insert(out.end(), file.begin() + recordStart, file.end());
    return out;
}

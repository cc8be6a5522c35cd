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
        double rate = header[SAMPLE_RATE_AT] | header[SAMPLE_RATE_AT + 1] << 8;
        if (wave.values.empty() || rate <= 0)
            return;
        // Played up to the top of its key range, the sample's highs rise with the
        // pitch: cut it where that top note still stays under topHz.
        double root = LittleEndian32(header + ROOT_FREQUENCY_AT), high = LittleEndian32(header + HIGH_FREQUENCY_AT);
        double raise = root > 0 && high > root ? high / root : 1;
        double cutoff = std::min(topHz / raise, 0.45 * rate) / rate;
        wave.values = LowPass(wave, cutoff);
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
    if (copy[GUS_HEADER + LAYER_COUNT_AT] != 1)
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
    std::vector<uint8_t> out(copy.begin(), copy.begin() + samples.front().begin);
    uint32_t waveBytes = 0;
    int kept = 0;
    for (size_t s = 0; s < samples.size(); s++) {
        if (!keep[s])
            continue;
        out.insert(out.end(), copy.begin() + samples[s].begin, copy.begin() + samples[s].end);
        waveBytes += uint32_t(samples[s].end - samples[s].begin - GUS_SAMPLE);
        kept++;
    }
    out[GUS_HEADER + GUS_INSTRUMENT + SAMPLE_COUNT_AT] = uint8_t(kept);
    PutLittleEndian(out.data() + WAVEFORMS_AT, uint32_t(kept), 2);
    PutLittleEndian(out.data() + WAVE_DATA_SIZE_AT, waveBytes, 4);
    return out;
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

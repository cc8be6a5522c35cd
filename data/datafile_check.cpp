#include "data/datafile_check.h"
#include "files/file_bytes.h"
#include <cstdio>

namespace {

constexpr uint32_t PACKED_MAGIC = DatafileKind('s', 'l', 'h', '!');
constexpr uint32_t PLAIN_MAGIC = DatafileKind('s', 'l', 'h', '.');
constexpr uint32_t DATAFILE_MAGIC = DatafileKind('A', 'L', 'L', '.');
constexpr uint32_t KIND_PROPERTY = DatafileKind('p', 'r', 'o', 'p');
constexpr uint32_t KIND_FILE = DatafileKind('F', 'I', 'L', 'E');
constexpr uint32_t KIND_RLE_SPRITE = DatafileKind('R', 'L', 'E', ' ');
constexpr uint32_t KIND_COMPILED_SPRITE = DatafileKind('C', 'M', 'P', ' ');
constexpr uint32_t KIND_XCOMPILED_SPRITE = DatafileKind('X', 'C', 'M', 'P');
constexpr uint32_t KIND_END = 0xFFFFFFFF;
constexpr int MAX_NESTING = 4;
constexpr int MAX_SIDE = 4096;
constexpr int MAX_GLYPH_SIDE = 256;
constexpr int MAX_FONT_RANGES = 256;
constexpr uint32_t LAST_CODE_POINT = 0x10FFFF;
constexpr int MIDI_TRACKS = 32;  // a datafile tune always stores 32 track lengths
constexpr uint32_t KIND_PATCH = DatafileKind('P', 'A', 'T', ' ');
constexpr uint32_t PROPERTY_NAME = DatafileKind('N', 'A', 'M', 'E');
// Allegro keeps an object's properties in a list it grows and searches for
// every new one, and its MIDI player copies a name into a 1024-byte buffer.
constexpr int MAX_PROPERTIES = 64;
constexpr uint32_t MAX_PROPERTY_BYTES = 1023;
// A GUS patch as Allegro's MIDI player reads it: a header with the first
// layer's sample count at byte 198, then 96-byte sample headers, each followed
// by its wave.
constexpr size_t GUS_HEADER_BYTES = 239;
constexpr size_t GUS_SAMPLE_COUNT_AT = 198;
constexpr size_t GUS_SAMPLE_BYTES = 96;
constexpr int GUS_MAX_SAMPLES = 64;  // the player reads no more

// The first thing found wrong, carried up to the object it lies in.
struct Damage {
    std::string what;
};

std::string Hex(uint32_t n)
{
    char text[16];
    snprintf(text, sizeof text, "%04X", n);
    return text;
}

class ByteReader {
public:
    ByteReader(const uint8_t* bytes, size_t size) : m_Bytes(bytes), m_Size(size) {}
    size_t Left() const { return m_Size - m_At; }
    bool AtEnd() const { return m_At == m_Size; }

    const uint8_t* Take(size_t n, const std::string& what)
    {
        if (n > Left())
            throw Damage{what};
        const uint8_t* at = m_Bytes + m_At;
        m_At += n;
        return at;
    }
    uint8_t U8(const char* what) { return *Take(1, what); }
    uint16_t U16(const char* what)
    {
        const uint8_t* b = Take(2, what);
        return uint16_t(b[0] << 8 | b[1]);
    }
    int16_t I16(const char* what) { return int16_t(U16(what)); }
    uint32_t U32(const char* what)
    {
        const uint8_t* b = Take(4, what);
        return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
    }
    int32_t I32(const char* what) { return int32_t(U32(what)); }
    // A MIDI variable-length number: at most four bytes of seven bits.
    uint32_t VarLen(const char* what, const std::string& tooLong)
    {
        uint32_t n = 0;
        for (int i = 0; i < 4; i++) {
            uint8_t b = U8(what);
            n = n << 7 | (b & 0x7F);
            if (!(b & 0x80))
                return n;
        }
        throw Damage{tooLong};
    }

private:
    const uint8_t* m_Bytes;
    size_t m_Size;
    size_t m_At = 0;
};

// Allegro's LZSS: flag bytes, literals and copies of 3..18 bytes out of a
// 4096-byte ring whose first 4078 bytes start as zeros. The last 18 hold
// whatever Allegro's memory held until written: a copy from them is refused.
std::vector<uint8_t> Unpack(const uint8_t* packed, size_t size, size_t limit)
{
    constexpr unsigned RING = 4096, LONGEST = 18;
    uint8_t ring[RING] = {};
    bool known[RING];
    for (unsigned i = 0; i < RING; i++)
        known[i] = i < RING - LONGEST;
    unsigned r = RING - LONGEST;
    unsigned flags = 0;
    size_t i = 0;
    std::vector<uint8_t> out;
    auto put = [&](uint8_t c) {
        if (out.size() >= limit)
            throw Damage{"unpacks to more than " + std::to_string(limit) + " bytes"};
        ring[r] = c;
        known[r] = true;
        r = (r + 1) % RING;
        out.push_back(c);
    };
    for (;;) {
        flags >>= 1;
        if (!(flags & 0x100)) {
            if (i >= size)
                break;
            flags = packed[i++] | 0xFF00u;
        }
        if (flags & 1) {
            if (i >= size)
                break;
            put(packed[i++]);
            continue;
        }
        if (i + 1 >= size)
            break;
        unsigned from = packed[i] | (packed[i + 1] & 0xF0u) << 4;
        unsigned length = (packed[i + 1] & 0x0Fu) + 3;
        i += 2;
        for (unsigned k = 0; k < length; k++) {
            if (!known[(from + k) % RING])
                throw Damage{"packed data copies bytes never written"};
            put(ring[(from + k) % RING]);
        }
    }
    return out;
}

std::string KindName(uint32_t kind)
{
    switch (kind) {
    case KIND_SAMPLE: return "sample";
    case KIND_MIDI: return "MIDI tune";
    case KIND_BITMAP: return "bitmap";
    case KIND_FONT: return "font";
    case KIND_FILE: return "datafile";
    }
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = char(kind >> shift);
        name += c >= ' ' && c <= '~' ? c : '?';
    }
    return "'" + name + "'";
}

void CheckBitmap(ByteReader in)
{
    int bits = in.I16("no header");
    int width = in.U16("no header");
    int height = in.U16("no header");
    int bytesPerPixel = bits == 8 ? 1 : bits == 15 || bits == 16 ? 2 : bits == 24 || bits == 32 ? 3 : 0;
    if (!bytesPerPixel)
        throw Damage{"colour depth " + std::to_string(bits)};
    if (width < 1 || width > MAX_SIDE || height < 1 || height > MAX_SIDE)
        throw Damage{"size " + std::to_string(width) + " x " + std::to_string(height)};
    in.Take(size_t(width) * height * bytesPerPixel, "pixels end early");
}

void CheckGlyphs(ByteReader& in, int range, bool mono, uint32_t first, uint32_t last)
{
    for (uint64_t c = first; c <= last; c++) {
        std::string glyph = "range " + std::to_string(range) + ": glyph U+" + Hex(uint32_t(c));
        int width = in.U16(("range " + std::to_string(range) + " ends early").c_str());
        int height = in.U16(("range " + std::to_string(range) + " ends early").c_str());
        if (width < 1 || width > MAX_GLYPH_SIDE || height < 1 || height > MAX_GLYPH_SIDE)
            throw Damage{glyph + " is " + std::to_string(width) + " x " + std::to_string(height)};
        size_t rowBytes = mono ? (size_t(width) + 7) / 8 : size_t(width);
        in.Take(rowBytes * height, glyph + ": pixels end early");
    }
}

void CheckFont(ByteReader in)
{
    int format = in.I16("no header");
    if (format != 0)
        throw Damage{"an old font format (" + std::to_string(format) + ")"};
    int ranges = in.U16("no range count");
    if (ranges < 1 || ranges > MAX_FONT_RANGES)
        throw Damage{std::to_string(ranges) + " ranges"};
    int firstDepth = 0;
    for (int range = 1; range <= ranges; range++) {
        std::string name = "range " + std::to_string(range);
        int depth = in.U8((name + " is missing").c_str());
        if (depth != 1 && depth != 8)
            throw Damage{name + " has colour depth " + std::to_string(depth)};
        // Allegro gives the whole font the drawing code of its last range.
        if (firstDepth && depth != firstDepth)
            throw Damage{name + " mixes mono and colour glyphs"};
        firstDepth = depth;
        uint32_t first = in.U32((name + " ends early").c_str());
        uint32_t last = in.U32((name + " ends early").c_str());
        if (first > LAST_CODE_POINT || last > LAST_CODE_POINT)
            throw Damage{name + " lies outside Unicode"};
        if (last < first)
            throw Damage{name + " ends before it starts"};
        CheckGlyphs(in, range, depth == 1, first, last);
    }
}

void CheckSample(ByteReader in)
{
    int bits = in.I16("no header");
    int channels = bits < 0 ? 2 : 1;
    bits = bits < 0 ? -bits : bits;
    if (bits != 8 && bits != 16)
        throw Damage{std::to_string(bits) + " bits a sample"};
    if (in.U16("no header") == 0)
        throw Damage{"a frequency of 0"};
    uint32_t length = in.U32("no header");
    if (length == 0 || length > DATAFILE_MAX_BYTES)
        throw Damage{"a length of " + std::to_string(length)};
    size_t bytes = size_t(length) * channels * (bits / 8);
    if (bytes > in.Left())
        throw Damage{"a length of " + std::to_string(length) + " but " + std::to_string(in.Left()) + " bytes"};
}

// Walks a track's events as Allegro's player will; returns the ticks it lasts.
uint64_t CheckTrack(ByteReader in, const std::string& name)
{
    uint64_t ticks = 0;
    int running = 0;
    const std::string early = name + " ends without its end event";
    const std::string tooLong = name + " has a number longer than four bytes";
    for (;;) {
        ticks += in.VarLen(early.c_str(), tooLong);
        int first = in.U8(early.c_str());
        int status = first;
        bool runningStatus = first < 0x80;  // the event's kind is the last one's
        if (runningStatus) {
            if (!running)
                throw Damage{name + " has data with no event"};
            status = running;
        }
        if (status == 0xFF) {
            int type = in.U8(early.c_str());
            uint32_t length = in.VarLen(early.c_str(), tooLong);
            const uint8_t* data = in.Take(length, early);
            if (type == 0x2F)
                return ticks;
            if (type == 0x51 && (length != 3 || (data[0] | data[1] | data[2]) == 0))
                throw Damage{name + " has a bad tempo event"};
        } else if (status == 0xF0 || status == 0xF7) {
            in.Take(in.VarLen(early.c_str(), tooLong), early);
        } else if (status >= 0xF0) {
            throw Damage{name + " has an unknown event " + Hex(uint32_t(status))};
        } else {
            int dataBytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            running = status;
            for (int i = 0; i < dataBytes; i++)
                if ((i == 0 && runningStatus ? first : in.U8(early.c_str())) & 0x80)
                    throw Damage{name + " has a note or value above 127"};
        }
    }
}

void CheckMidi(ByteReader in)
{
    int division = in.I16("no header");
    if (division <= 0)
        throw Damage{"time division " + std::to_string(division)};
    uint64_t longest = 0;
    for (int t = 0; t < MIDI_TRACKS; t++) {
        std::string name = "track " + std::to_string(t + 1);
        uint32_t length = in.U32((name + " is missing").c_str());
        if (length > in.Left())
            throw Damage{name + " is longer than the tune"};
        const uint8_t* track = in.Take(length, name);
        if (length > 0) {
            uint64_t ticks = CheckTrack(ByteReader(track, length), name);
            longest = ticks > longest ? ticks : longest;
        }
    }
    if (longest == 0)
        throw Damage{"the tune lasts no time"};
}

uint32_t Le32(const uint8_t* b)
{
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

// Returns the bytes of wave the player allocates for the patch. A wave of no
// length, a loop outside its wave, or a pitch of 0 (the player divides by it)
// is refused.
uint64_t CheckGusPatch(ByteReader in)
{
    const uint8_t* header = in.Take(GUS_HEADER_BYTES, "a patch header ends early");
    if (std::string(reinterpret_cast<const char*>(header), 22) != std::string("GF1PATCH110\0ID#000002\0", 22))
        throw Damage{"is not a GUS patch"};
    int samples = header[GUS_SAMPLE_COUNT_AT];
    samples = samples > GUS_MAX_SAMPLES ? GUS_MAX_SAMPLES : samples;
    uint64_t waveBytes = 0;
    for (int i = 1; i <= samples; i++) {
        const std::string name = "wave " + std::to_string(i);
        const uint8_t* h = in.Take(GUS_SAMPLE_BYTES, name + ": its header ends early");
        uint32_t length = Le32(h + 8), loopStart = Le32(h + 12), loopEnd = Le32(h + 16);
        bool wide = h[55] & 1, looping = h[55] & (4 | 8 | 16);
        if (length < (wide ? 2u : 1u))
            throw Damage{name + " has a length of " + std::to_string(length)};
        if (length > in.Left())
            throw Damage{name + " has a length of " + std::to_string(length) + " but " + std::to_string(in.Left()) +
                         " bytes"};
        if (looping && (loopStart > loopEnd || loopEnd > length))
            throw Damage{name + " loops from " + std::to_string(loopStart) + " to " + std::to_string(loopEnd) +
                         " in " + std::to_string(length) + " bytes"};
        if ((h[20] | h[21]) == 0 || Le32(h + 30) == 0)
            throw Damage{name + " has a pitch of 0"};
        in.Take(length, "");
        waveBytes += length;
    }
    return waveBytes;
}

class ObjectChecker {
public:
    explicit ObjectChecker(const std::vector<uint32_t>& expectedKinds) : m_Expected(expectedKinds) {}

    uint64_t WaveBytes() const { return m_WaveBytes; }

    void CheckList(ByteReader& in, int depth, const std::string& prefix)
    {
        uint32_t count = in.U32("no object count");
        if (depth == 0 && count < m_Expected.size())
            throw Damage{"holds " + std::to_string(count) + " objects, the game needs " +
                         std::to_string(m_Expected.size())};
        for (uint32_t i = 0; i < count; i++)
            CheckObject(in, depth, prefix + std::to_string(i), depth == 0 ? i : m_Expected.size());
    }

private:
    void CheckObject(ByteReader& in, int depth, const std::string& name, size_t index)
    {
        uint32_t kind = KIND_END;
        try {
            kind = SkipProperties(in);
            if (index < m_Expected.size() && m_Expected[index] != KIND_ANY && kind != m_Expected[index])
                throw Damage{"must be a " + KindName(m_Expected[index]) + ", not a " + KindName(kind)};
            std::vector<uint8_t> unpacked;
            ByteReader data = ObjectData(in, unpacked);
            CheckContents(kind, data, depth, name);
        } catch (const Damage& damage) {
            if (damage.what.rfind("object #", 0) == 0)
                throw;
            if (damage.what.rfind("must be", 0) == 0)
                throw Damage{"object #" + name + " " + damage.what};
            std::string kindName = kind == KIND_END ? "" : " (" + KindName(kind) + ")";
            throw Damage{"object #" + name + kindName + ": " + damage.what};
        }
    }

    static uint32_t SkipProperties(ByteReader& in)
    {
        uint32_t kind = in.U32("is missing");
        for (int count = 0; kind == KIND_PROPERTY; count++) {
            if (count == MAX_PROPERTIES)
                throw Damage{"has more than " + std::to_string(MAX_PROPERTIES) + " properties"};
            in.U32("a property ends early");
            uint32_t size = in.U32("a property ends early");
            if (size > MAX_PROPERTY_BYTES)
                throw Damage{"has a property of " + std::to_string(size) + " bytes"};
            in.Take(size, "a property ends early");
            kind = in.U32("is missing");
        }
        if (kind == KIND_END)
            throw Damage{"is missing (the list ends early)"};
        return kind;
    }

    // The object's bytes: stored as they are, or packed with LZSS when the
    // unpacked size is negative.
    static ByteReader ObjectData(ByteReader& in, std::vector<uint8_t>& unpacked)
    {
        int64_t stored = in.I32("ends before its data");
        int64_t size = in.I32("ends before its data");
        if (stored < 0 || size_t(stored) > in.Left())
            throw Damage{"its " + std::to_string(stored) + " bytes run past the end of the file"};
        const uint8_t* bytes = in.Take(size_t(stored), "");
        int64_t wanted = size < 0 ? -size : size;
        if (size_t(wanted) > DATAFILE_MAX_BYTES)
            throw Damage{"a size of " + std::to_string(wanted) + " bytes"};
        if (size >= 0) {
            if (size != stored)
                throw Damage{"a size of " + std::to_string(size) + " but " + std::to_string(stored) + " bytes"};
            return ByteReader(bytes, size_t(stored));
        }
        unpacked = Unpack(bytes, size_t(stored), size_t(wanted));
        if (unpacked.size() != size_t(wanted))
            throw Damage{"packed data ends early"};
        return ByteReader(unpacked.data(), unpacked.size());
    }

    void CheckContents(uint32_t kind, ByteReader data, int depth, const std::string& name)
    {
        switch (kind) {
        case KIND_BITMAP:
        case KIND_COMPILED_SPRITE:
        case KIND_XCOMPILED_SPRITE: CheckBitmap(data); break;
        case KIND_FONT: CheckFont(data); break;
        case KIND_SAMPLE: CheckSample(data); break;
        case KIND_MIDI: CheckMidi(data); break;
        case KIND_PATCH:
            m_WaveBytes += CheckGusPatch(data);
            if (m_WaveBytes > DATAFILE_MAX_BYTES)
                throw Damage{"the waves of the patches come to more than " + std::to_string(DATAFILE_MAX_BYTES) +
                             " bytes"};
            break;
        case KIND_RLE_SPRITE: throw Damage{"a kind the game never reads"};
        case KIND_FILE:
            if (depth + 1 >= MAX_NESTING)
                throw Damage{"nested too deep"};
            CheckList(data, depth + 1, name + ".");
            break;
        default: break;  // anything else is loaded as plain bytes
        }
    }

    const std::vector<uint32_t>& m_Expected;
    uint64_t m_WaveBytes = 0;
};

// Walks the whole file; with nothingAfter, bytes after the last object are
// refused too (Allegro's MIDI player reads a patch set to its very end).
std::string CheckDatafileBytes(const uint8_t* bytes, size_t size, const std::vector<uint32_t>& expectedKinds,
                               bool nothingAfter)
{
    try {
        ByteReader file(bytes, size);
        uint32_t magic = file.U32("is too short");
        std::vector<uint8_t> unpacked;
        if (magic == PACKED_MAGIC) {
            unpacked = Unpack(bytes + 4, size - 4, DATAFILE_MAX_BYTES);
            file = ByteReader(unpacked.data(), unpacked.size());
        } else if (magic != PLAIN_MAGIC) {
            throw Damage{"is not an Allegro datafile"};
        }
        if (file.U32("is not an Allegro datafile") != DATAFILE_MAGIC)
            throw Damage{"is not an Allegro datafile"};
        ObjectChecker(expectedKinds).CheckList(file, 0, "");
        if (nothingAfter && !file.AtEnd())
            throw Damage{std::to_string(file.Left()) + " bytes follow the last object"};
    } catch (const Damage& damage) {
        return damage.what;
    }
    return "";
}

}  // namespace

std::string CheckDatafileBytes(const uint8_t* bytes, size_t size, const std::vector<uint32_t>& expectedKinds)
{
    return CheckDatafileBytes(bytes, size, expectedKinds, false);
}

std::string CheckPatchSetBytes(const uint8_t* bytes, size_t size)
{
    return CheckDatafileBytes(bytes, size, {}, true);
}

std::string CheckDatafileAt(const char* path, const std::vector<uint32_t>& expectedKinds)
{
    std::vector<uint8_t> bytes;
    std::string problem = ReadRegularFile(path, DATAFILE_MAX_BYTES, bytes);
    return problem.empty() ? CheckDatafileBytes(bytes.data(), bytes.size(), expectedKinds) : problem;
}

std::string CheckPatchSetAt(const char* path)
{
    std::vector<uint8_t> bytes;
    std::string problem = ReadRegularFile(path, DATAFILE_MAX_BYTES, bytes);
    return problem.empty() ? CheckPatchSetBytes(bytes.data(), bytes.size()) : problem;
}

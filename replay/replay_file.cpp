#include "replay/replay_file.h"
#include "files/file_bytes.h"
#include "files/options.h"
#include <algorithm>
#include <cstring>

namespace {

constexpr char MAGIC[8] = {'P', 'E', 'S', 'K', 'O', 'R', 'E', 'P'};
constexpr size_t VERSION_BYTES = 8;
constexpr size_t NAME_BYTES = 16;
constexpr size_t HEADER_BYTES = 8 + 2 + VERSION_BYTES + 4 + 4 + NAME_BYTES + 4 + 4;
constexpr uint8_t BLOCK_RUNS = 0;
constexpr uint8_t BLOCK_NIBBLES = 1;
constexpr int32_t LARGEST_SCORE = 99999;
constexpr int LARGEST_SPAWN_POSITION = 12;
constexpr int LARGEST_CONTROL = 2;
constexpr size_t SMALLEST_BLOCK = 7;  // one step, no press, its digest

}  // namespace

uint32_t ReplayChecksum(const uint8_t* bytes, size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; i++) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; bit++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

namespace {

class Writer {
public:
    void U8(unsigned value) { m_Bytes.push_back(static_cast<uint8_t>(value)); }
    void U16(unsigned value)
    {
        U8(value & 0xFF);
        U8(value >> 8);
    }
    void U32(uint32_t value)
    {
        U16(value & 0xFFFF);
        U16(value >> 16);
    }
    void Text(const std::string& text, size_t width)
    {
        for (size_t i = 0; i < width; i++)
            U8(i < text.size() && i + 1 < width ? static_cast<uint8_t>(text[i]) : 0);
    }
    void Append(const std::vector<uint8_t>& bytes) { m_Bytes.insert(m_Bytes.end(), bytes.begin(), bytes.end()); }
    std::vector<uint8_t>& Bytes() { return m_Bytes; }

private:
    std::vector<uint8_t> m_Bytes;
};

// Reads forward; any read past the end leaves the reader failed and yields 0.
class Reader {
public:
    Reader(const uint8_t* bytes, size_t size) : m_Bytes(bytes), m_Size(size) {}
    unsigned U8() { return Take(1) ? m_Bytes[m_At - 1] : 0; }
    unsigned U16()
    {
        unsigned low = U8();
        return low | (U8() << 8);
    }
    uint32_t U32()
    {
        uint32_t low = U16();
        return low | (uint32_t(U16()) << 16);
    }
    // A zero-terminated text in a field of `width` bytes; false without the zero.
    bool Text(size_t width, std::string& text)
    {
        if (!Take(width))
            return false;
        const char* field = reinterpret_cast<const char*>(m_Bytes + m_At - width);
        const size_t length = strnlen(field, width);
        text.assign(field, length);
        return length < width;
    }
    bool Failed() const { return m_Failed; }
    size_t Left() const { return m_Size - m_At; }

private:
    bool Take(size_t n)
    {
        if (m_Failed || m_Size - m_At < n) {
            m_Failed = true;
            return false;
        }
        m_At += n;
        return true;
    }
    const uint8_t* m_Bytes;
    size_t m_Size;
    size_t m_At = 0;
    bool m_Failed = false;
};

std::vector<uint8_t> RunsOf(const uint16_t* inputs, size_t count)
{
    Writer w;
    w.U8(BLOCK_RUNS);
    for (size_t i = 0; i < count;) {
        size_t run = 1;
        while (i + run < count && inputs[i + run] == inputs[i])
            run++;
        w.U8(static_cast<unsigned>(run));
        w.U16(inputs[i]);
        i += run;
    }
    return std::move(w.Bytes());
}

std::vector<uint8_t> NibblesOf(const uint16_t* inputs, size_t count)
{
    Writer w;
    w.U8(BLOCK_NIBBLES);
    for (size_t i = 0; i < count; i += 2) {
        unsigned high = i + 1 < count ? inputs[i + 1] & REPLAY_STEERING : 0;
        w.U8((inputs[i] & REPLAY_STEERING) | (high << 4));
    }
    std::vector<size_t> pressed;
    for (size_t i = 0; i < count; i++)
        if (inputs[i] & REPLAY_PRESSES)
            pressed.push_back(i);
    w.U8(static_cast<unsigned>(pressed.size()));
    for (size_t i : pressed) {
        w.U8(static_cast<unsigned>(i));
        w.U8((inputs[i] & REPLAY_PRESSES) >> 4);
    }
    return std::move(w.Bytes());
}

std::string DecodeRuns(Reader& r, uint16_t* inputs, size_t count)
{
    for (size_t i = 0; i < count;) {
        const size_t run = r.U8();
        const uint16_t input = static_cast<uint16_t>(r.U16());
        if (r.Failed())
            break;
        if (run == 0 || run > count - i)
            return "a run of steps that does not fit its block";
        if (input & ~(REPLAY_STEERING | REPLAY_PRESSES))
            return "an input no player can give";
        std::fill(inputs + i, inputs + i + run, input);
        i += run;
    }
    return "";
}

std::string DecodeNibbles(Reader& r, uint16_t* inputs, size_t count)
{
    for (size_t i = 0; i < count; i += 2) {
        const unsigned both = r.U8();
        inputs[i] = static_cast<uint16_t>(both & REPLAY_STEERING);
        if (i + 1 < count)
            inputs[i + 1] = static_cast<uint16_t>(both >> 4);
        else if (both >> 4)
            return "an input no player can give";
    }
    const size_t pressed = r.U8();
    int last = -1;
    for (size_t k = 0; k < pressed && !r.Failed(); k++) {
        const int at = static_cast<int>(r.U8());
        const unsigned presses = r.U8();
        if (r.Failed())
            break;
        if (at <= last || static_cast<size_t>(at) >= count || presses == 0)
            return "an input no player can give";
        inputs[at] = static_cast<uint16_t>(inputs[at] | (presses << 4));
        last = at;
    }
    return "";
}

std::string DecodeBlocks(Reader& r, size_t steps, Replay& replay)
{
    replay.inputs.assign(steps, 0);
    replay.digests.clear();
    for (size_t first = 0; first < steps; first += REPLAY_DIGEST_STEPS) {
        const size_t count = std::min<size_t>(REPLAY_DIGEST_STEPS, steps - first);
        const unsigned mode = r.U8();
        std::string problem;
        if (mode == BLOCK_RUNS)
            problem = DecodeRuns(r, replay.inputs.data() + first, count);
        else if (mode == BLOCK_NIBBLES)
            problem = DecodeNibbles(r, replay.inputs.data() + first, count);
        else if (!r.Failed())
            problem = "a block of an unknown kind";
        if (!problem.empty())
            return problem;
        replay.digests.push_back(r.U32());
        if (r.Failed())
            return "cut short";
    }
    return "";
}

// A text from the file as it may be shown: one line of plain characters.
std::string Printable(const std::string& text)
{
    std::string shown;
    for (char c : text)
        shown += (c >= ' ' && c <= '~') ? c : '?';
    return shown;
}

std::string CheckHeader(const Replay& replay, uint32_t steps)
{
    if (replay.gameVersion != GAME_VERSION)
        return "made by pesko " + Printable(replay.gameVersion) + ", not " + GAME_VERSION;
    if (steps == 0 || steps > REPLAY_MAX_STEPS)
        return "an impossible number of steps";
    if (replay.finalScore < 0 || replay.finalScore > LARGEST_SCORE)
        return "an impossible score";
    if (replay.spawnOrderPosition > LARGEST_SPAWN_POSITION || replay.control > LARGEST_CONTROL)
        return "an impossible start";
    if (replay.end != ReplayEnd::GameOver && replay.end != ReplayEnd::SeaCrossed && replay.end != ReplayEnd::Quit)
        return "an impossible end";
    if (replay.speed < 1 || replay.speed > 100)
        return "an impossible speed";
    return "";
}

}  // namespace

bool IsDigestStep(size_t step, size_t steps)
{
    return step > 0 && (step % REPLAY_DIGEST_STEPS == 0 || step == steps);
}

std::vector<uint8_t> EncodeReplay(const Replay& replay)
{
    Writer w;
    for (char c : MAGIC)
        w.U8(static_cast<uint8_t>(c));
    w.U16(REPLAY_FORMAT_VERSION);
    w.Text(replay.gameVersion, VERSION_BYTES);
    w.U32(replay.seed);
    w.U8(static_cast<unsigned>(replay.spawnOrderPosition));
    w.U8(static_cast<unsigned>(replay.control));
    w.U8(static_cast<unsigned>(replay.end));
    w.U8(static_cast<unsigned>(replay.speed));
    w.Text(replay.playerName, NAME_BYTES);
    w.U32(static_cast<uint32_t>(replay.finalScore));
    const size_t steps = replay.inputs.size();
    w.U32(static_cast<uint32_t>(steps));
    for (size_t first = 0, block = 0; first < steps; first += REPLAY_DIGEST_STEPS, block++) {
        const size_t count = std::min<size_t>(REPLAY_DIGEST_STEPS, steps - first);
        std::vector<uint8_t> runs = RunsOf(replay.inputs.data() + first, count);
        std::vector<uint8_t> nibbles = NibblesOf(replay.inputs.data() + first, count);
        // More than 255 presses cannot be in 100 steps, so nibbles always fit.
        w.Append(runs.size() <= nibbles.size() ? runs : nibbles);
        w.U32(block < replay.digests.size() ? replay.digests[block] : 0);
    }
    w.U32(ReplayChecksum(w.Bytes().data(), w.Bytes().size()));
    return std::move(w.Bytes());
}

std::string DecodeReplay(const uint8_t* bytes, size_t size, Replay& replay)
{
    replay = Replay{};
    if (size < sizeof MAGIC || memcmp(bytes, MAGIC, sizeof MAGIC) != 0)
        return "not a pesko replay";
    if (size < HEADER_BYTES + 4)
        return "cut short";
    Reader r(bytes + sizeof MAGIC, size - sizeof MAGIC);
    const unsigned format = r.U16();
    if (format != REPLAY_FORMAT_VERSION)
        return "a replay of format " + std::to_string(format) + ", not " + std::to_string(REPLAY_FORMAT_VERSION);
    if (!r.Text(VERSION_BYTES, replay.gameVersion))
        return "a damaged version field";
    const uint32_t crc = bytes[size - 4] | (bytes[size - 3] << 8) | (bytes[size - 2] << 16) |
                         (uint32_t(bytes[size - 1]) << 24);
    if (ReplayChecksum(bytes, size - 4) != crc)
        return "bad checksum (damaged or cut short)";
    replay.seed = r.U32();
    replay.spawnOrderPosition = static_cast<int>(r.U8());
    replay.control = static_cast<int>(r.U8());
    replay.end = static_cast<ReplayEnd>(r.U8());
    const int speed = r.U8();
    replay.speed = speed == 0 ? 100 : speed;
    if (!r.Text(NAME_BYTES, replay.playerName))
        return "a damaged player name";
    replay.finalScore = static_cast<int32_t>(r.U32());
    const uint32_t steps = r.U32();
    std::string problem = CheckHeader(replay, steps);
    if (!problem.empty())
        return problem;
    const size_t blockBytes = size - HEADER_BYTES - 4;
    if ((steps + REPLAY_DIGEST_STEPS - 1) / REPLAY_DIGEST_STEPS > blockBytes / SMALLEST_BLOCK)
        return "cut short";
    Reader blocks(bytes + HEADER_BYTES, blockBytes);
    problem = DecodeBlocks(blocks, steps, replay);
    if (problem.empty() && blocks.Left() != 0)
        problem = "bytes after the last step";
    return problem;
}

std::string ReadReplayFile(const std::string& path, Replay& replay)
{
    std::vector<uint8_t> bytes;
    std::string problem = ReadRegularFile(path.c_str(), REPLAY_MAX_BYTES, bytes);
    if (problem.empty())
        problem = DecodeReplay(bytes.data(), bytes.size(), replay);
    return problem;
}

bool WriteReplayFile(const std::string& path, const Replay& replay, std::string& why)
{
    std::vector<uint8_t> bytes = EncodeReplay(replay);
    return WriteFileAtomically(path, bytes.data(), bytes.size(), why);
}

#include "patch_set.h"

#include <cstring>
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

int CentreGusPatch(uint8_t* patch, size_t size)
{
    if (size < GUS_HEADER + GUS_INSTRUMENT || std::memcmp(patch, "GF1PATCH", 8) != 0)
        throw std::runtime_error("not a GUS patch");
    size_t pos = GUS_HEADER;
    int layers = patch[pos + LAYER_COUNT_AT];
    pos += GUS_INSTRUMENT;
    int moved = 0;
    for (int layer = 0; layer < layers; ++layer) {
        if (pos + GUS_LAYER > size)
            throw std::runtime_error("GUS patch ends inside a layer");
        int samples = patch[pos + SAMPLE_COUNT_AT];
        pos += GUS_LAYER;
        for (int sample = 0; sample < samples; ++sample) {
            if (pos + GUS_SAMPLE > size)
                throw std::runtime_error("GUS patch ends inside a sample header");
            uint8_t& balance = patch[pos + SAMPLE_BALANCE_AT];
            moved += balance != CENTRE;
            balance = CENTRE;
            pos += GUS_SAMPLE + LittleEndian32(patch + pos + SAMPLE_LENGTH_AT);
        }
    }
    if (pos > size)
        throw std::runtime_error("GUS patch ends inside its sample data");
    return moved;
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

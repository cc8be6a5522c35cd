#include "data/datafile.h"
#include "data/datafile_check.h"
#include "platform/headless.h"
#include "support/pixels.h"
#include "support/temp_dir.h"
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

// A datafile of the game's (data.dat by default) unpacked by Allegro itself and
// stored plain ("slh."), so that a test can damage any field by its offset.
std::string PlainDataFile(const char* path = PESKO_DATA_DIR "/data.dat")
{
    StartHeadlessAllegro();
    PACKFILE* f = pack_fopen(path, F_READ_PACKED);
    std::string bytes = "slh.";
    char buffer[65536];
    for (long n; f && (n = pack_fread(buffer, sizeof buffer, f)) > 0;)
        bytes.append(buffer, size_t(n));
    if (f)
        pack_fclose(f);
    return bytes;
}

uint32_t Be(const std::string& b, size_t at, int bytes)
{
    uint32_t n = 0;
    for (int i = 0; i < bytes; i++)
        n = n << 8 | uint8_t(b[at + i]);
    return n;
}

struct Field {
    size_t at;
    int bytes;
    std::string name;
};

// Every field a loader reads a size, count or kind from, in each of the 35 objects.
std::vector<Field> FieldsOf(const std::string& b)
{
    std::vector<Field> fields = {{8, 4, "object count"}};
    size_t at = 12;
    for (int i = 0; i < DATA_OBJECT_COUNT; i++) {
        while (b.compare(at, 4, "prop") == 0)
            at += 12 + Be(b, at + 8, 4);
        std::string kind = b.substr(at, 4), name = "#" + std::to_string(i) + " " + kind.substr(0, kind.find_last_not_of(' ') + 1) + " ";
        size_t data = at + 12, size = Be(b, at + 4, 4);
        fields.insert(fields.end(), {{at, 4, name + "kind"}, {at + 4, 4, name + "stored size"}, {at + 8, 4, name + "size"}});
        if (kind == "BMP ")
            fields.insert(fields.end(), {{data, 2, name + "depth"}, {data + 2, 2, name + "w"}, {data + 4, 2, name + "h"}});
        if (kind == "SAMP")
            fields.insert(fields.end(), {{data, 2, name + "bits"}, {data + 2, 2, name + "freq"}, {data + 4, 4, name + "len"}});
        if (kind == "FONT")
            fields.insert(fields.end(), {{data, 2, name + "format"}, {data + 2, 2, name + "ranges"}, {data + 4, 1, name + "mono"},
                                         {data + 5, 4, name + "start"}, {data + 9, 4, name + "end"},
                                         {data + 13, 2, name + "glyph w"}, {data + 15, 2, name + "glyph h"}});
        if (kind == "MIDI") {
            size_t track2 = data + 6 + Be(b, data + 2, 4);
            fields.insert(fields.end(), {{data, 2, name + "division"}, {data + 2, 4, name + "track 1 length"},
                                         {track2, 4, name + "track 2 length"}, {track2 + 5, 1, name + "track 2 first event"},
                                         {track2 + 2 + Be(b, track2, 4), 1, name + "track 2 end event"}});
        }
        at = data + size;
    }
    return fields;
}

void Put(std::string& b, const Field& f, uint32_t value)
{
    for (int i = 0; i < f.bytes; i++)
        b[f.at + i] = char(value >> (8 * (f.bytes - 1 - i)));
}

class DatafileCheckTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_Plain = PlainDataFile(); }
    std::string Check(const std::string& b) const
    {
        return CheckDatafileBytes(reinterpret_cast<const uint8_t*>(b.data()), b.size(), ExpectedDataKinds());
    }
    // A damaged copy is either refused, or Allegro loads it and its fonts draw.
    void ExpectRefusedOrLoads(const std::string& b, const std::string& what)
    {
        SCOPED_TRACE(what);
        if (!Check(b).empty()) {
            refused++;
            return;
        }
        dir.WriteFile("data.dat", b);
        DATAFILE* data = load_datafile("data.dat");
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(CheckDatafile(data), "");
        Picture page(64, 64);
        for (int i = FNT_TITLE; i <= FNT_MENU; i++)
            textout_ex(page, static_cast<FONT*>(data[i].dat), "Pesko 0123", 0, 0, 1, -1);
        unload_datafile(data);
    }
    static inline std::string s_Plain;
    TempDir dir;
    int refused = 0;
};

TEST_F(DatafileCheckTest, TheGamesOwnDataPassesPackedAndPlain)
{
    ASSERT_GT(s_Plain.size(), 1000000u) << "the build makes data.dat";
    std::ifstream in(PESKO_DATA_DIR "/data.dat", std::ios::binary);
    std::string packed((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(Check(packed), "");
    EXPECT_EQ(Check(s_Plain), "");
    // The font's size follows its glyphs; the message names the last object whatever its size.
    std::string cut = Check(packed.substr(0, packed.size() - 1));
    EXPECT_EQ(cut.rfind("object #34 (font): its ", 0), 0u) << cut;
    EXPECT_NE(cut.find(" bytes run past the end of the file"), std::string::npos) << cut;
    // Start-up walks the file before Allegro's loader, which crashes on a cut one.
    auto whole = [&](const std::string& b) {
        dir.WriteFile("data.dat", b);
        return CheckDatafileAt("data.dat", ExpectedDataKinds()).empty();
    };
    EXPECT_TRUE(whole(packed));
    for (size_t n : {size_t{0}, size_t{3}, size_t{4}, size_t{8}, size_t{12}, size_t{100}, size_t{4096},
                     packed.size() / 3, packed.size() / 2, packed.size() - 100})
        EXPECT_FALSE(whole(packed.substr(0, n))) << "first " << n << " bytes";
    EXPECT_FALSE(whole("RIFF and nothing else that Allegro knows"));
    EXPECT_FALSE(CheckDatafileAt("no-such-file.dat", ExpectedDataKinds()).empty());
}

// A font object of two one-glyph ranges of the given depths (1 mono, 8 colour).
std::string TwoRangeFont(int firstDepth, int secondDepth)
{
    std::string font("\0\0\0\2", 4);
    for (int depth : {firstDepth, secondDepth}) {
        font += char(depth) + std::string("\0\0\0A\0\0\0A\0\1\0\1", 12);
        font += depth == 1 ? "\x80" : "\x07";
    }
    return font;
}

TEST_F(DatafileCheckTest, DamageIsNamedWithTheObject)
{
    std::vector<Field> fields = FieldsOf(s_Plain);
    auto field = [&](const std::string& name) {
        auto f = std::find_if(fields.begin(), fields.end(), [&](const Field& f) { return f.name == name; });
        return *f;
    };
    auto damaged = [&](const std::string& name, uint32_t value) {
        std::string b = s_Plain;
        Put(b, field(name), value);
        return Check(b);
    };
    // Object #30's data replaced by another font, its two sizes with it.
    auto withFont = [&](const std::string& font) {
        std::string b = s_Plain;
        const Field size = field("#30 FONT size");
        b.replace(size.at + 4, Be(b, size.at, 4), font);
        Put(b, size, uint32_t(font.size()));
        Put(b, field("#30 FONT stored size"), uint32_t(font.size()));
        return Check(b);
    };
    const auto sample = std::find_if(fields.begin(), fields.end(), [](const Field& f) {
        return f.name.find(" SAMP bits") != std::string::npos;
    });
    const std::string sampleName = sample->name.substr(0, sample->name.find(' '));
    const std::pair<std::string, std::string> cases[] = {
        {damaged("#30 FONT end", 31), "object #30 (font): range 1 ends before it starts"},
        {damaged("#12 MIDI division", 0), "object #12 (MIDI tune): time division 0"},
        {damaged("#20 BMP depth", 7), "object #20 (bitmap): colour depth 7"},
        {damaged("#20 BMP h", 0), "object #20 (bitmap): size "},
        {damaged("#16 MIDI track 2 end event", 0x2E), "object #16 (MIDI tune): track 2 ends without its end event"},
        {damaged("#13 MIDI kind", KIND_SAMPLE), "object #13 must be a MIDI tune, not a sample"},
        {damaged("object count", DATA_OBJECT_COUNT - 1), "holds 34 objects, the game needs 35"},
        {damaged(sample->name, 0x10000 - Be(s_Plain, sample->at, 2)), "object " + sampleName + " (sample): a length of "},
        {withFont(TwoRangeFont(1, 1)), ""},
        {withFont(TwoRangeFont(8, 1)), "object #30 (font): range 2 mixes mono and colour glyphs"},
        // Allegro's unpacker leaves the end of its ring unset: a copy from there reads garbage.
        {Check(std::string("slh!\xEF" "ALL.\xFF\xFF", 11)), "packed data copies bytes never written"},
    };
    for (const auto& [problem, message] : cases)
        EXPECT_EQ(message.empty() ? problem : problem.substr(0, message.size()), message) << problem;
}

// Each field set to 0, -1 and a huge value: refused or loaded safely, never a
// crash (random damage is the datafile_check fuzz target's).
TEST_F(DatafileCheckTest, DamagedCopiesAreRefusedOrLoadSafely)
{
    std::vector<Field> fields = FieldsOf(s_Plain);
    ASSERT_GT(fields.size(), 200u);
    for (const Field& f : fields)
        for (uint32_t value : {0u, 0xFFFFFFFFu, 0x7FFFFFFFu}) {
            std::string b = s_Plain;
            Put(b, f, f.bytes == 4 ? value : value >> (32 - 8 * f.bytes));
            ExpectRefusedOrLoads(b, f.name + " = " + std::to_string(value));
        }
    EXPECT_GT(refused, 300);
}

// A million empty properties on object #0, or one of 5000 bytes: Allegro's
// loader would take minutes over the first and its MIDI player overflow on the
// second. Both are refused at once.
TEST_F(DatafileCheckTest, PropertiesAreCappedInCountAndSize)
{
    std::string property("prop" "XXXX\0\0\0\0", 12);
    std::string many;
    for (int i = 0; i < 1000000; i++)
        many += property;
    std::string big = std::string("prop" "ORIG\0\0\x13\x88", 12) + std::string(5000, 'x');
    const std::pair<std::string, const char*> cases[] = {
        {many, "object #0: has more than 64 properties"},
        {big, "object #0: has a property of 5000 bytes"},
    };
    for (const auto& [inserted, message] : cases) {
        std::string b = s_Plain;
        b.insert(12, inserted);
        EXPECT_EQ(Check(b), message);
    }
}

// The patch set as Allegro reads it (plain), and the offset of the data of
// its first GUS patch.
class PatchSetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_Plain = PlainDataFile(PESKO_DATA_DIR "/patches.dat");
        for (size_t at = 12; at + 12 < s_Plain.size() && !s_Patch;) {
            while (s_Plain.compare(at, 4, "prop") == 0)
                at += 12 + Be(s_Plain, at + 8, 4);
            if (s_Plain.compare(at, 4, "PAT ") == 0)
                s_Patch = at + 12;
            at += 12 + Be(s_Plain, at + 4, 4);
        }
    }
    static std::string Check(const std::string& b)
    {
        return CheckPatchSetBytes(reinterpret_cast<const uint8_t*>(b.data()), b.size());
    }
    // The patch set with a little-endian field of the first wave set.
    static std::string WithFirstWave(size_t field, int bytes, uint32_t value)
    {
        std::string b = s_Plain;
        for (int i = 0; i < bytes; i++)
            b[s_Patch + 239 + field + i] = char(value >> (8 * i));
        return b;
    }
    static inline std::string s_Plain;
    static inline size_t s_Patch = 0;
};

TEST_F(PatchSetTest, TheGamesOwnPatchSetPassesAndDamageIsNamed)
{
    ASSERT_NE(s_Patch, 0u) << "the build makes patches.dat with GUS patches";
    std::ifstream in(PESKO_DATA_DIR "/patches.dat", std::ios::binary);
    std::string packed((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(Check(packed), "");
    EXPECT_EQ(Check(s_Plain), "");
    auto Looping = [](std::string b) {
        b[s_Patch + 239 + 55] = char(b[s_Patch + 239 + 55] | 4);
        return b;
    };
    const uint32_t length = uint8_t(s_Plain[s_Patch + 247]) | uint8_t(s_Plain[s_Patch + 248]) << 8 |
                            uint8_t(s_Plain[s_Patch + 249]) << 16 | uint32_t(uint8_t(s_Plain[s_Patch + 250])) << 24;
    const struct {
        std::string bytes;
        std::string message;
    } cases[] = {
        {WithFirstWave(8, 4, 0), "wave 1 has a length of 0"},
        {WithFirstWave(8, 4, 0x7FFFFFFF), "wave 1 has a length of 2147483647 but "},
        {Looping(WithFirstWave(16, 4, length + 1)), "wave 1 loops from "},
        {WithFirstWave(30, 4, 0), "wave 1 has a pitch of 0"},
        {WithFirstWave(-239, 1, 'X'), "is not a GUS patch"},
        {s_Plain + "prop", "4 bytes follow the last object"},
        {s_Plain.substr(0, s_Patch + 300), "run past the end of the file"},
    };
    for (const auto& c : cases) {
        std::string problem = Check(c.bytes);
        EXPECT_NE(problem.find(c.message), std::string::npos) << problem;
    }
}

}  // namespace

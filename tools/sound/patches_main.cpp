// pesko-patches: mends, in place, the patches.dat that pat2dat made (see patch_set.h),
// keeps of each instrument only the samples the tunes' notes play, mixes the layers
// that sound together and stores each sample at the lowest rate that holds it.
// Usage: pesko-patches PATCHES_DAT TUNE.mid...
#include "patch_set.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>

namespace {

// Nothing of the music above 12 kHz: the filter's edge lies a little under it.
constexpr double PATCH_TOP_HZ = 10000;
constexpr double PATCH_ATTACK_SECONDS = 0.004;
// The softened samples are stored at the rate where their top frequency is this
// part of it: the player's linear interpolation then adds little above it.
constexpr double KEPT_FRACTION = 0.4;

std::vector<uint8_t> ReadFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFile(const char* path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PATCHES_DAT TUNE.mid...\n", argv[0]);
        return 2;
    }
    try {
        TuneInstruments tunes;
        for (int i = 2; i < argc; i++)
            AddTuneInstruments(ReadFile(argv[i]), tunes);
        std::vector<uint8_t> file = ReadFile(argv[1]);
        const std::vector<DatafileObject> objects = ListObjects(file);
        PatchIndex index;
        for (const DatafileObject& object : objects) {
            if (object.type == "PAT ") {
                CentreGusPatch(file.data() + object.offset, object.size);
                SoftenGusPatch(file.data() + object.offset, object.size, PATCH_TOP_HZ, PATCH_ATTACK_SECONDS);
            }
            else if (object.name == "default_cfg") {
                BlankDateLine(file.data() + object.offset, object.size);
                index = ReadPatchIndex(file.data() + object.offset, object.size);
            }
        }
        const auto notes = NotesPerPatch(index, tunes);
        std::vector<std::vector<uint8_t>> bytes;
        for (const DatafileObject& object : objects) {
            const uint8_t* begin = file.data() + object.offset;
            auto played = notes.find(object.name);
            if (object.type != "PAT ") {
                bytes.emplace_back(begin, begin + object.size);
                continue;
            }
            std::vector<uint8_t> patch(begin, begin + object.size);
            if (played != notes.end()) {
                patch = KeepSamplesForNotes(patch.data(), patch.size(), played->second);
                patch = MergeSoundingLayers(patch.data(), patch.size(), played->second);
            }
            bytes.push_back(ResampleGusPatch(patch.data(), patch.size(), PATCH_TOP_HZ, KEPT_FRACTION));
        }
        file = ReplaceObjects(file, objects, bytes);
        if (!WriteFile(argv[1], file)) {
            std::fprintf(stderr, "pesko-patches: cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pesko-patches: %s: %s\n", argv[1], error.what());
        return 1;
    }
    return 0;
}

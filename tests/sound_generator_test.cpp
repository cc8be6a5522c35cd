// The shipped patches.dat against the tunes: it keeps of each instrument only
// the samples the tunes' notes sound, so a note it lacks would play silence.
#include "patch_set.h"
#include "tune_instruments.h"
#include "tunes.h"
#include "support/temp_dir.h"
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
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

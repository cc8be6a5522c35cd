// Mending of the patch set pat2dat writes from a SoundFont, done in place on patches.dat.
#pragma once
#include <cstddef>
#include "tune_instruments.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// One object of an unpacked Allegro datafile: where its bytes lie in the file.
struct DatafileObject {
    std::string name;
    std::string type;  // four characters, "PAT " for a MIDI instrument
    size_t offset;
    size_t size;
};

// Lists the objects of an unpacked, uncompressed datafile (pat2dat without -c).
// Throws std::runtime_error on anything else.
std::vector<DatafileObject> ListObjects(const std::vector<uint8_t>& file);

// pat2dat keeps one half of a SoundFont's stereo pair with that half's hard pan, and
// Allegro's software MIDI plays a sample at its own pan: such drums and instruments
// would sound from one speaker only. Sets every sample of a GUS patch to the centre,
// so the channel's pan places it. Returns the number of samples moved.
int CentreGusPatch(uint8_t* patch, size_t size);

// The SoundFont's synth leads and cymbals reach up to 22 kHz and buzz through the
// mix, and samples that start away from zero click at every note. Low-passes every
// sample of a GUS patch so that even at the top of its key range nothing sounds
// above topHz, and fades its first attackSeconds in (never into its loop).
void SoftenGusPatch(uint8_t* patch, size_t size, double topHz, double attackSeconds);

// pat2dat stamps its instrument index with the date; blanking that line keeps
// patches.dat the same on every build. Returns true when a date line was found.
bool BlankDateLine(uint8_t* text, size_t size);

// The patch index (default_cfg) pat2dat writes: which patch sounds each
// program ("N name", N = program + 1) and each drum note (a tab, "NOTE name").
struct PatchIndex {
    std::map<int, std::string> programs;
    std::map<int, std::string> drums;
};
PatchIndex ReadPatchIndex(const uint8_t* text, size_t size);

// The notes each patch of the index must sound for the tunes.
std::map<std::string, std::set<int>> NotesPerPatch(const PatchIndex& index, const TuneInstruments& tunes);

// Allegro's software MIDI sounds a note with every sample of the patch whose
// key range holds the note's pitch (pat2dat keeps a SoundFont's velocity
// layers as such samples, all played at once). Keeps only the samples some
// note of `notes` (or a pitch a quarter tone sharp or flat of it) sounds; a
// patch where a note finds no sample is kept whole. Returns the new bytes.
std::vector<uint8_t> KeepSamplesForNotes(const uint8_t* patch, size_t size, const std::set<int>& notes);

// True when some sample of the GUS patch holds the note's pitch.
bool PatchSoundsNote(const uint8_t* patch, size_t size, int note);

// The player sounds a note with the first four samples whose key range holds it,
// and pat2dat keeps a SoundFont's velocity layers as alike samples that all sound
// together. Mixes each run of alike samples sounding together for `notes` into as
// few copies of one wave as hold their summed level without clipping. A patch where
// some note would then sound otherwise is kept whole. Returns the new bytes.
std::vector<uint8_t> MergeSoundingLayers(const uint8_t* patch, size_t size, const std::set<int>& notes);

// Once softened (SoftenGusPatch with the same topHz), a sample holds nothing above
// what its top note sounds under topHz. Resamples every sample to the lowest rate
// where that top frequency is `keptFraction` of the rate (under a half: the player
// interpolates linearly), its loop a whole number of samples, its header's rate
// changed to match so every note keeps its pitch. Returns the new bytes.
std::vector<uint8_t> ResampleGusPatch(const uint8_t* patch, size_t size, double topHz, double keptFraction);

// The datafile with the objects' bytes replaced (objects as ListObjects gave them).
std::vector<uint8_t> ReplaceObjects(const std::vector<uint8_t>& file, const std::vector<DatafileObject>& objects,
                                    const std::vector<std::vector<uint8_t>>& bytes);

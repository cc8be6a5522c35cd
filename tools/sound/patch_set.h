// Mending of the patch set pat2dat writes from a SoundFont, done in place on patches.dat.
#pragma once
#include <cstddef>
#include <cstdint>
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

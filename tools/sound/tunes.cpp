#include "tunes.h"

#include "music.h"

#include <stdexcept>

namespace {

using DrumLines = std::vector<std::pair<int, std::string>>;

// Channels: one per part, drums on General MIDI's percussion channel.
enum Channel { LEAD = 0, PAD = 1, BASS = 2, BACKING = 3 };

struct Section {
    ChordChart chart;
    std::string melody;
};

struct Voice {
    std::string name;
    int channel;
    int program;
    int volume;  // channel volume: the mix between the parts
    int pan;
};

struct Melody {
    Voice voice;
    int velocity;
    double gate;  // share of each note's length that sounds
};

// An accompaniment part over the chords: a rhythm of chord degrees (see Part::Pattern),
// or, with no rhythm, every chord held as a pad.
struct Layer {
    Voice voice;
    std::string rhythm;
    int lowest;
    int velocity;
    double gate;
};

struct Kit {
    int loudness;  // percent of the written velocities
    DrumLines groove;
    DrumLines fill;  // last bar of every four
    char crash;  // cymbal on the first beat of every section: 'X', 'x', or '.' for none
};

struct Design {
    std::string fileName;
    double bpm;
    Melody melody;
    std::vector<Layer> layers;
    Kit kit;
    std::vector<Section> form;  // the sections in playing order
    double level = 1;  // scales every part, to keep the loudest beats under full scale at full music volume
};

constexpr int PHRASE_BARS = 4;

// The whole music under the sound effects: with the mixer at full scale per voice the
// tunes would be as loud as the effects; this sets them about 7 dB under them.
constexpr double MUSIC_UNDER_EFFECTS = 0.29;

Part MakePart(const Voice& voice, double level)
{
    return Part(voice.name, voice.channel, voice.program, int(voice.volume * level * MUSIC_UNDER_EFFECTS + 0.5),
        voice.pan);
}

// A melody must fill its chord chart exactly, or the loop would drift off the bar line.
void WriteMelody(Part& part, int start, const Design& design, const Section& section)
{
    int written = part.Melody(start, section.melody, design.melody.velocity, design.melody.gate);
    if (written != section.chart.Ticks())
        throw std::runtime_error(design.fileName + ": melody of " + std::to_string(written / TICKS_PER_SIXTEENTH)
            + " sixteenths over " + std::to_string(section.chart.Bars()) + " bars");
}

void WriteLayer(Part& part, int start, const Layer& layer, const ChordChart& chart)
{
    if (layer.rhythm.empty())
        part.Pad(chart, start, layer.lowest, layer.velocity);
    else
        part.Pattern(chart, start, layer.rhythm, layer.lowest, layer.velocity, layer.gate);
}

void WriteDrums(Part& part, int start, const Kit& kit, int bars, double level)
{
    double loudness = kit.loudness / 100.0 * level * MUSIC_UNDER_EFFECTS;
    for (int bar = 0; bar < bars; ++bar)
        part.DrumBar(start + bar * TICKS_PER_BAR, (bar + 1) % PHRASE_BARS == 0 ? kit.fill : kit.groove, loudness);
    if (kit.crash != '.')
        part.DrumBar(start, {{CRASH, std::string(1, kit.crash)}}, loudness);
}

Tune Arrange(const Design& design)
{
    Part melody = MakePart(design.melody.voice, design.level);
    std::vector<Part> layers;
    for (const Layer& layer : design.layers)
        layers.push_back(MakePart(layer.voice, design.level));
    Part drums = MakePart({"Drums", DRUM_CHANNEL, 0, 127, 64}, 1);

    int start = 0;
    for (const Section& section : design.form) {
        WriteMelody(melody, start, design, section);
        for (size_t i = 0; i < layers.size(); ++i)
            WriteLayer(layers[i], start, design.layers[i], section.chart);
        WriteDrums(drums, start, design.kit, section.chart.Bars(), design.level);
        start += section.chart.Ticks();
    }

    MidiTrack conductor;
    conductor.Name(design.fileName);
    conductor.Tempo(design.bpm);
    conductor.TimeSignature4By4();
    Tune tune{design.fileName, design.bpm, start / TICKS_PER_BAR, {conductor, melody.Track()}};
    for (const Part& part : layers)
        tune.tracks.push_back(part.Track());
    tune.tracks.push_back(drums.Track());
    return tune;
}

// Main menu: inviting and underwater. Vibraphone over a warm pad, bubbling kalimba.
Design Menu()
{
    Section a{ChordChart("Dm9 Bbmaj7 Gm7 A7sus4-A7 Dm9 Bbmaj7 Gm7 C-A7"),
        "r:2 a4:2 d5:2 e5:2 f5:6 e5:2  d5:4 a4:4 r:2 f5:2 e5:2 d5:2  d5:6 c5:2 bb4:4 g4:4  a4:8 c#5:4 e5:4 "
        "r:2 a4:2 d5:2 e5:2 f5:4 a5:4  g5:3 f5:1 e5:2 d5:2 f5:8  e5:4 d5:4 c5:2 bb4:2 c5:4  e5:8 c#5:4 a4:4"};
    Section b{ChordChart("Bbmaj7 C Am7 Dm7 Gm7 C Fmaj7-Bbmaj7 Em7b5-A7"),
        "f5:4 d5:2 f5:2 a5:6 g5:2  g5:4 e5:2 c5:2 g5:8  e5:4 c5:2 e5:2 g5:4 e5:4  f5:12 r:4 "
        "d5:2 f5:2 bb5:4 a5:2 g5:2 f5:4  e5:2 g5:2 c6:4 bb5:4 g5:4  a5:6 g5:2 f5:4 d5:4  e5:4 g5:4 c#5:4 e5:4"};
    return {"mid_menu.mid", 96, {{"Vibraphone", LEAD, VIBRAPHONE, 127, 72}, 100, 0.9},
        {{{"Pad", PAD, WARM_PAD, 55, 48}, "", 57, 56, 1},
            {{"Bass", BASS, FINGER_BASS, 90, 64}, "R:6 F:2 O:4 F:4", 38, 84, 0.85},
            {{"Kalimba", BACKING, KALIMBA, 120, 88}, "R:2 F:2 O:2 U:2 O:2 F:2 T:2 F:2", 62, 60, 0.7}},
        {80, {{KICK, "x.......x.....o."}, {SIDE_STICK, "....o.......o..."}, {SHAKER, "o.o.o.o.o.o.o.o."}},
            {{KICK, "x.......x......."}, {SIDE_STICK, "....o.......o.o."}, {SHAKER, "o.o.o.o.o.o.oooo"}}, '.'},
        {a, b}};
}

// Setup screen: calm. Ocarina over soft strings, a slow bass, a brushed ride.
Design Setup()
{
    Section a{ChordChart("Fmaj7 Em7 Dm7 Cmaj7 Fmaj7 Em7 Dm7 G7sus4-G7 Am7 Fmaj7 Dm7 G7sus4"),
        "a4:4 c5:4 e5:8  d5:4 e5:2 g5:2 b4:8  a4:4 c5:4 f5:6 e5:2  e5:8 r:4 g4:4 "
        "a4:4 c5:4 e5:4 a5:4  g5:6 e5:2 d5:4 b4:4  c5:4 d5:4 f5:4 a5:4  g5:8 f5:4 d5:4 "
        "e5:6 d5:2 c5:4 e5:4  a5:8 g5:4 f5:4  e5:4 f5:4 a4:4 c5:4  d5:12 r:4"};
    return {"mid_setup.mid", 76, {{"Ocarina", LEAD, OCARINA, 105, 64}, 84, 0.95},
        {{{"Strings", PAD, SYNTH_STRINGS, 55, 40}, "", 55, 50, 1},
            {{"Bass", BASS, FINGER_BASS, 100, 64}, "R:8 F:6 R:2", 36, 80, 0.9}},
        {100, {{KICK, "o.......o......."}, {RIDE, "o...o...o...o..."}},
            {{KICK, "o.......o......."}, {RIDE, "o...o...o...o.o."}}, '.'},
        {a}};
}

// Instructions: light and bouncing. Steel-drum tune, vibraphone off-beats, a skipping bass.
Design Instructions()
{
    Section a{ChordChart("G Em C D G Em Am-D G"),
        "d5:2 g5:2 b5:2 g5:2 a5:2 g5:2 d5:4  e5:2 g5:2 b5:2 g5:2 e5:4 r:4  c5:2 e5:2 g5:2 e5:2 a5:2 g5:2 e5:4 "
        "f#5:4 a5:4 d5:4 r:4  d5:2 g5:2 b5:2 g5:2 d6:4 b5:4  c6:2 b5:2 a5:2 g5:2 e5:4 g5:4 "
        "a5:2 g5:2 e5:2 c5:2 d5:2 f#5:2 a5:4  g5:8 r:8"};
    Section b{ChordChart("C D Bm Em C D Am7 D7"),
        "e5:3 e5:1 g5:4 c6:4 g5:4  f#5:3 f#5:1 a5:4 d6:4 a5:4  b5:2 a5:2 f#5:2 d5:2 b4:4 d5:4  e5:12 r:4 "
        "g5:2 e5:2 g5:2 c6:2 b5:2 a5:2 g5:4  a5:2 f#5:2 a5:2 d6:2 c6:2 a5:2 f#5:4  e5:4 g5:4 c6:4 a5:4 "
        "c6:2 b5:2 a5:2 f#5:2 d5:8"};
    return {"mid_instructions.mid", 112, {{"Steel drums", LEAD, STEEL_DRUMS, 127, 70}, 122, 0.8},
        {{{"Vibraphone", BACKING, VIBRAPHONE, 100, 44}, "-:2 C:2", 60, 56, 0.6},
            {{"Bass", BASS, FINGER_BASS, 88, 64}, "R:4 -:2 F:2 O:4 F:4", 38, 86, 0.7}},
        {100, {{KICK, "x.....x.x......."}, {SIDE_STICK, "....x.......x..."}, {CLOSED_HAT, "o.o.o.o.o.o.o.o."}},
            {{KICK, "x.....x.x......."}, {SIDE_STICK, "....x.......x.x."}, {CLOSED_HAT, "o.o.o.o.o.o.o..."},
                {OPEN_HAT, "..............o."}},
            '.'},
        {a, b}, 0.86};
}

// Name entry: expectant. A pulsing synth bass under held strings and a questioning lead.
Design Name()
{
    Section a{ChordChart("Am G F E Am G Dm Esus4-E"),
        "e5:4 a5:4 b5:2 c6:2 b5:4  d5:4 g5:4 a5:2 b5:2 a5:4  c5:4 f5:4 g5:2 a5:2 g5:2 f5:2  e5:8 g#5:8 "
        "a5:2 c6:2 e6:4 d6:2 c6:2 b5:4  b5:2 d6:2 g5:4 a5:2 b5:2 d6:4  f5:2 a5:2 d6:4 c6:2 a5:2 f5:4  a5:8 g#5:4 b5:4"};
    Section b{ChordChart("F G Em Am Dm Em F E"),
        "c6:12 a5:4  b5:12 g5:4  g5:4 b5:4 e6:8  c6:8 a5:8 "
        "a5:4 f5:4 d5:4 f5:4  g5:4 e5:4 b4:4 e5:4  a5:4 c6:4 f6:4 c6:4  b5:8 g#5:4 e5:4"};
    return {"mid_name.mid", 100, {{"Lead", LEAD, SQUARE_LEAD, 90, 72}, 80, 0.92},
        {{{"Strings", PAD, SYNTH_STRINGS, 60, 48}, "", 57, 58, 1},
            {{"Bass", BASS, SYNTH_BASS, 70, 64}, "R:2", 33, 80, 0.6}},
        {100, {{KICK, "x...x...x...x..."}, {CLOSED_HAT, "..o...o...o...o."}},
            {{KICK, "x...x...x...x..."}, {CLOSED_HAT, "..o...o...o....."}, {SNARE, "............o.xx"}}, '.'},
        {a, b}, 0.9};
}

// The game: driving. Saw lead, eighth-note synth bass, brass stabs, a rock beat.
Design Game()
{
    Section a{ChordChart("Em C D Bm Em C Am B"),
        "e5:2 e5:2 g5:2 e5:2 b5:4 a5:2 g5:2  e5:2 e5:2 g5:2 e5:2 c6:4 b5:2 a5:2 "
        "f#5:2 f#5:2 a5:2 f#5:2 d6:4 c6:2 a5:2  b5:6 a5:2 f#5:4 d5:4 "
        "e5:2 e5:2 g5:2 e5:2 b5:4 a5:2 g5:2  c6:2 b5:2 a5:2 g5:2 e5:4 g5:4 "
        "a5:2 b5:2 c6:2 e6:2 d6:2 c6:2 a5:4  b5:8 a5:2 f#5:2 d#5:4"};
    Section b{ChordChart("C D Em Em C D B B7"),
        "g5:4 g5:2 a5:2 g5:4 e5:4  f#5:4 f#5:2 g5:2 a5:8  b5:2 a5:2 g5:2 f#5:2 e5:4 g5:4  b5:12 r:4 "
        "c6:4 c6:2 b5:2 a5:4 g5:4  a5:4 a5:2 g5:2 f#5:4 d5:4  d#5:4 f#5:4 b5:4 a5:4  f#5:8 d#5:4 b4:4"};
    return {"mid_game.mid", 144, {{"Lead", LEAD, SAW_LEAD, 120, 64}, 90, 0.85},
        {{{"Brass", BACKING, SYNTH_BRASS, 80, 44}, "C:3 C:3 C:2 -:8", 55, 66, 0.5},
            {{"Strings", PAD, SYNTH_STRINGS, 55, 84}, "", 64, 40, 1},
            {{"Bass", BASS, SYNTH_BASS, 62, 64}, "R:2 R:2 O:2 R:2", 33, 90, 0.7}},
        {80, {{KICK, "X.....x.X.x....."}, {SNARE, "....X.......X..."}, {CLOSED_HAT, "x.x.x.x.x.x.x.x."}},
            {{KICK, "X.....x.X......."}, {SNARE, "....X.......xxXX"}, {CLOSED_HAT, "x.x.x.x.x.x....."},
                {HIGH_TOM, "........x.x....."}},
            'X'},
        {a, a, b}, 0.84};
}

// Congratulations: a fanfare. Trumpet over brass chords and strings, a march beat.
Design Congratulations()
{
    Section a{ChordChart("C F-G C Am-G F G C-Am D7-G"),
        "g4:3 g4:1 c5:4 e5:4 g5:4  a5:4 f5:4 g5:4 d5:4  e5:3 e5:1 g5:4 c6:6 g5:2  a5:4 e5:4 g5:4 d5:4 "
        "c5:3 c5:1 f5:4 a5:4 c6:4  b5:3 a5:1 g5:4 d5:4 b4:4  c5:4 e5:4 a5:4 c6:4  c6:4 a5:4 b5:8"};
    Section b{ChordChart("F G Em Am F G C G7"),
        "a5:6 g5:2 f5:4 c5:4  b5:6 a5:2 g5:4 d5:4  g5:4 e5:4 b5:4 g5:4  c6:8 a5:8 "
        "f5:3 f5:1 a5:4 c6:8  d6:3 c6:1 b5:4 a5:4 g5:4  e6:8 c6:8  d6:4 b5:4 g5:4 f5:4"};
    return {"mid_congratulations.mid", 120, {{"Trumpet", LEAD, TRUMPET, 127, 64}, 110, 0.88},
        {{{"Brass", BACKING, SYNTH_BRASS, 56, 40}, "C:3 C:1 C:4 -:8", 55, 70, 0.8},
            {{"Strings", PAD, SYNTH_STRINGS, 54, 88}, "", 60, 48, 1},
            {{"Bass", BASS, FINGER_BASS, 84, 64}, "R:4 F:4", 36, 84, 0.8}},
        {72, {{KICK, "x.......x......."}, {SNARE, "x..xx.x.x..xx.x."}},
            {{KICK, "x.......x......."}, {SNARE, "x..xx.x.xxxxXXXX"}}, 'X'},
        {a, b}, 0.8};
}

// Demo: an attract loop, lively. Square lead, kalimba arpeggios, bouncing octave bass, dance beat.
Design Demo()
{
    Section a{ChordChart("F Dm Bb C F Dm Gm C"),
        "c5:2 f5:2 r:1 a5:3 g5:2 f5:2 g5:4  a5:2 f5:2 r:1 d5:3 e5:2 f5:2 d5:4  d5:2 f5:2 r:1 bb5:3 a5:2 g5:2 f5:4 "
        "g5:6 e5:2 c5:8  c5:2 f5:2 r:1 a5:3 c6:2 a5:2 f5:4  d6:3 c6:3 a5:2 f5:4 d5:4 "
        "bb5:2 a5:2 g5:2 f5:2 d5:2 f5:2 g5:4  e5:4 g5:4 c6:4 bb5:4"};
    Section b{ChordChart("Bb C Am Dm Bb C Gm7 C7"),
        "f5:4 bb5:4 d6:6 c6:2  e5:4 g5:4 c6:6 bb5:2  a5:3 g5:3 e5:2 c5:4 e5:4  d5:2 f5:2 a5:2 d6:2 a5:8 "
        "bb5:3 a5:3 f5:2 d5:4 f5:4  g5:3 f5:3 e5:2 c5:4 e5:4  f5:2 g5:2 bb5:2 d6:2 f6:4 d6:4  c6:4 bb5:4 g5:4 e5:4"};
    return {"mid_demo.mid", 132, {{"Lead", LEAD, SQUARE_LEAD, 86, 64}, 86, 0.8},
        {{{"Kalimba", BACKING, KALIMBA, 127, 40}, "R:1 T:1 F:1 O:1", 60, 50, 0.9},
            {{"Bass", BASS, SYNTH_BASS, 66, 64}, "R:2 O:2", 31, 86, 0.6},
            {{"Pad", PAD, WARM_PAD, 66, 88}, "", 55, 44, 1}},
        {85, {{KICK, "x...x...x...x..."}, {CLAP, "....x.......x..."}, {CLOSED_HAT, "o.o.o.o.o.o.o.o."},
                {OPEN_HAT, "..x...x...x...x."}},
            {{KICK, "x...x...x...x..."}, {CLAP, "....x.......x.xx"}, {CLOSED_HAT, "o.o.o.o.o.o....."},
                {OPEN_HAT, "..x...x...x....."}},
            'x'},
        {a, b, a}, 0.88};
}

// Credits: warm and rolling. Flute over rolling kalimba arpeggios and strings.
Design Credits()
{
    Section a{ChordChart("D A Bm G D G Em7 A7sus4-A7"),
        "f#5:6 e5:2 d5:4 a4:4  e5:6 d5:2 c#5:4 a4:4  d5:4 f#5:4 b5:6 a5:2  g5:8 d5:8 "
        "a5:6 f#5:2 d5:4 f#5:4  b5:6 a5:2 g5:4 d5:4  e5:4 g5:4 b5:4 d6:4  d6:6 c#6:2 a5:4 e5:4"};
    Section b{ChordChart("G A F#m Bm G A Em7 A7"),
        "b5:4 d6:4 b5:4 g5:4  c#6:4 e6:4 c#6:4 a5:4  a5:6 f#5:2 c#5:4 f#5:4  d6:12 r:4 "
        "b5:4 a5:2 g5:2 d5:4 g5:4  a5:4 g5:2 f#5:2 e5:4 c#5:4  d5:4 e5:4 g5:4 b5:4  a5:8 g5:4 e5:4"};
    return {"mid_credits.mid", 88, {{"Flute", LEAD, FLUTE, 105, 70}, 92, 0.95},
        {{{"Kalimba", BACKING, KALIMBA, 127, 48}, "R:2 F:2 O:2 U:2 O:2 F:2 T:2 F:2", 50, 80, 1},
            {{"Strings", PAD, SYNTH_STRINGS, 60, 84}, "", 57, 44, 1},
            {{"Bass", BASS, FINGER_BASS, 110, 64}, "R:8 F:8", 38, 82, 0.95}},
        {100, {{KICK, "x.......x.o....."}, {SIDE_STICK, "....o.......o..."}, {CLOSED_HAT, "o.o.o.o.o.o.o.o."}},
            {{KICK, "x.......x.o....."}, {SIDE_STICK, "....o.......o.o."}, {CLOSED_HAT, "o.o.o.o.o.o.o..."}}, '.'},
        {a, b}};
}

}  // namespace

std::vector<Tune> MakeTunes()
{
    std::vector<Tune> tunes;
    for (const Design& design : {Menu(), Setup(), Instructions(), Name(), Game(), Congratulations(), Demo(), Credits()})
        tunes.push_back(Arrange(design));
    return tunes;
}

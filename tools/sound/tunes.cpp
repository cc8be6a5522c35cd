#include "tunes.h"

#include "music.h"

#include <deque>
#include <stdexcept>

namespace {

using DrumLines = std::vector<std::pair<int, std::string>>;

struct Section {
    ChordChart chart;
    std::string melody;
};

// Channels: one per part, drums on General MIDI's percussion channel.
enum Channel { LEAD = 0, PAD = 1, BASS = 2, BACKING = 3 };

class TuneBuilder {
public:
    TuneBuilder(const std::string& fileName, double bpm) : m_FileName(fileName), m_Bpm(bpm) {}

    Part& Add(const std::string& name, int channel, int program, int volume, int pan)
    {
        m_Parts.emplace_back(name, channel, program, volume, pan);
        return m_Parts.back();
    }

    // A melody must fill its chord chart exactly, or the loop would drift off the bar line.
    void Lead(Part& lead, int startTick, const Section& section, int velocity, double gate = 0.9, int transpose = 0)
    {
        int written = lead.Melody(startTick, section.melody, velocity, gate, transpose);
        if (written != section.chart.Ticks())
            throw std::runtime_error(m_FileName + ": melody of " + std::to_string(written / TICKS_PER_SIXTEENTH)
                + " sixteenths over " + std::to_string(section.chart.Bars()) + " bars");
    }

    Tune Build(int bars) const
    {
        Tune tune{m_FileName, m_Bpm, bars, {}};
        MidiTrack conductor;
        conductor.Name(m_FileName);
        conductor.Tempo(m_Bpm);
        conductor.TimeSignature4By4();
        tune.tracks.push_back(conductor);
        for (const Part& part : m_Parts)
            tune.tracks.push_back(part.Track());
        return tune;
    }

private:
    std::string m_FileName;
    double m_Bpm;
    std::deque<Part> m_Parts;  // a deque, so the parts handed out stay where they are
};

int Bar(int n)
{
    return n * TICKS_PER_BAR;
}

// Drums for `bars` bars from `firstBar`; the last bar of every `phrase` takes the fill.
void DrumSection(Part& drums, int firstBar, int bars, int phrase, const DrumLines& groove, const DrumLines& fill)
{
    for (int i = 0; i < bars; ++i)
        drums.DrumBar(Bar(firstBar + i), (i + 1) % phrase == 0 ? fill : groove);
}

// A cymbal on the downbeat that opens a section.
void Crash(Part& drums, int bar, int velocity = 96)
{
    drums.DrumBar(Bar(bar), {{CRASH, velocity > 100 ? "X..............." : "x..............."}});
}

// Main menu: inviting and underwater. Vibraphone over a warm pad, bubbling kalimba.
Tune MenuTune()
{
    Section a{ChordChart("Dm9 Bbmaj7 Gm7 A7sus4-A7 Dm9 Bbmaj7 Gm7 C-A7"),
        "r:2 a4:2 d5:2 e5:2 f5:6 e5:2  d5:4 a4:4 r:2 f5:2 e5:2 d5:2  d5:6 c5:2 bb4:4 g4:4  a4:8 c#5:4 e5:4 "
        "r:2 a4:2 d5:2 e5:2 f5:4 a5:4  g5:3 f5:1 e5:2 d5:2 f5:8  e5:4 d5:4 c5:2 bb4:2 c5:4  e5:8 c#5:4 a4:4"};
    Section b{ChordChart("Bbmaj7 C Am7 Dm7 Gm7 C Fmaj7-Bbmaj7 Em7b5-A7"),
        "f5:4 d5:2 f5:2 a5:6 g5:2  g5:4 e5:2 c5:2 g5:8  e5:4 c5:2 e5:2 g5:4 e5:4  f5:12 r:4 "
        "d5:2 f5:2 bb5:4 a5:2 g5:2 f5:4  e5:2 g5:2 c6:4 bb5:4 g5:4  a5:6 g5:2 f5:4 d5:4  e5:4 g5:4 c#5:4 e5:4"};
    TuneBuilder tune("mid_menu.mid", 96);
    Part& lead = tune.Add("Vibraphone", LEAD, VIBRAPHONE, 110, 72);
    Part& pad = tune.Add("Pad", PAD, WARM_PAD, 80, 48);
    Part& bass = tune.Add("Bass", BASS, FINGER_BASS, 105, 64);
    Part& bubbles = tune.Add("Kalimba", BACKING, KALIMBA, 76, 88);
    Part& drums = tune.Add("Drums", DRUM_CHANNEL, 0, 80, 64);
    const DrumLines groove = {{KICK, "x.......x.....o."}, {SIDE_STICK, "....o.......o..."},
        {SHAKER, "o.o.o.o.o.o.o.o."}};
    const DrumLines fill = {{KICK, "x.......x......."}, {SIDE_STICK, "....o.......o.o."},
        {SHAKER, "o.o.o.o.o.o.oooo"}};
    int start = 0;
    for (const Section* s : {&a, &b}) {
        tune.Lead(lead, start, *s, 92);
        pad.Pad(s->chart, start, 57, 56);
        bass.Pattern(s->chart, start, "R:6 F:2 O:4 F:4", 38, 84, 0.85);
        bubbles.Pattern(s->chart, start, "R:2 F:2 O:2 U:2 O:2 F:2 T:2 F:2", 62, 44, 0.7);
        DrumSection(drums, start / TICKS_PER_BAR, 8, 4, groove, fill);
        start += s->chart.Ticks();
    }
    return tune.Build(16);
}

// Setup screen: calm. Ocarina over soft strings, a slow walking bass.
Tune SetupTune()
{
    Section a{ChordChart("Fmaj7 Em7 Dm7 Cmaj7 Fmaj7 Em7 Dm7 G7sus4-G7 Am7 Fmaj7 Dm7 G7sus4"),
        "a4:4 c5:4 e5:8  d5:4 e5:2 g5:2 b4:8  a4:4 c5:4 f5:6 e5:2  e5:8 r:4 g4:4 "
        "a4:4 c5:4 e5:4 a5:4  g5:6 e5:2 d5:4 b4:4  c5:4 d5:4 f5:4 a5:4  g5:8 f5:4 d5:4 "
        "e5:6 d5:2 c5:4 e5:4  a5:8 g5:4 f5:4  e5:4 f5:4 a4:4 c5:4  d5:12 r:4"};
    TuneBuilder tune("mid_setup.mid", 76);
    Part& lead = tune.Add("Ocarina", LEAD, OCARINA, 105, 64);
    Part& pad = tune.Add("Strings", PAD, SYNTH_STRINGS, 78, 40);
    Part& bass = tune.Add("Bass", BASS, FINGER_BASS, 100, 64);
    Part& drums = tune.Add("Drums", DRUM_CHANNEL, 0, 64, 64);
    tune.Lead(lead, 0, a, 84, 0.95);
    pad.Pad(a.chart, 0, 55, 50);
    bass.Pattern(a.chart, 0, "R:8 F:6 R:2", 36, 80, 0.9);
    DrumSection(drums, 0, 12, 4, {{KICK, "o.......o......."}, {RIDE, "o...o...o...o..."}},
        {{KICK, "o.......o......."}, {RIDE, "o...o...o...o.o."}});
    return tune.Build(12);
}

// Instructions: light and bouncing. Steel-drum tune, vibraphone off-beats, a skipping bass.
Tune InstructionsTune()
{
    Section a{ChordChart("G Em C D G Em Am-D G"),
        "d5:2 g5:2 b5:2 g5:2 a5:2 g5:2 d5:4  e5:2 g5:2 b5:2 g5:2 e5:4 r:4  c5:2 e5:2 g5:2 e5:2 a5:2 g5:2 e5:4 "
        "f#5:4 a5:4 d5:4 r:4  d5:2 g5:2 b5:2 g5:2 d6:4 b5:4  c6:2 b5:2 a5:2 g5:2 e5:4 g5:4 "
        "a5:2 g5:2 e5:2 c5:2 d5:2 f#5:2 a5:4  g5:8 r:8"};
    Section b{ChordChart("C D Bm Em C D Am7 D7"),
        "e5:3 e5:1 g5:4 c6:4 g5:4  f#5:3 f#5:1 a5:4 d6:4 a5:4  b5:2 a5:2 f#5:2 d5:2 b4:4 d5:4  e5:12 r:4 "
        "g5:2 e5:2 g5:2 c6:2 b5:2 a5:2 g5:4  a5:2 f#5:2 a5:2 d6:2 c6:2 a5:2 f#5:4  e5:4 g5:4 c6:4 a5:4 "
        "c6:2 b5:2 a5:2 f#5:2 d5:8"};
    TuneBuilder tune("mid_instructions.mid", 112);
    Part& lead = tune.Add("Steel drums", LEAD, STEEL_DRUMS, 110, 70);
    Part& comp = tune.Add("Vibraphone", BACKING, VIBRAPHONE, 80, 44);
    Part& bass = tune.Add("Bass", BASS, FINGER_BASS, 105, 64);
    Part& drums = tune.Add("Drums", DRUM_CHANNEL, 0, 80, 64);
    const DrumLines groove = {{KICK, "x.....x.x......."}, {SIDE_STICK, "....x.......x..."},
        {CLOSED_HAT, "o.o.o.o.o.o.o.o."}};
    const DrumLines fill = {{KICK, "x.....x.x......."}, {SIDE_STICK, "....x.......x.x."},
        {CLOSED_HAT, "o.o.o.o.o.o.o..."}, {OPEN_HAT, "..............o."}};
    int start = 0;
    for (const Section* s : {&a, &b}) {
        tune.Lead(lead, start, *s, 96, 0.8);
        comp.Pattern(s->chart, start, "-:2 C:2", 60, 52, 0.6);
        bass.Pattern(s->chart, start, "R:4 -:2 F:2 O:4 F:4", 38, 86, 0.7);
        DrumSection(drums, start / TICKS_PER_BAR, 8, 4, groove, fill);
        start += s->chart.Ticks();
    }
    return tune.Build(16);
}

// Name entry: expectant. A pulsing synth bass under held strings and a questioning lead.
Tune NameTune()
{
    Section a{ChordChart("Am G F E Am G Dm Esus4-E"),
        "e5:4 a5:4 b5:2 c6:2 b5:4  d5:4 g5:4 a5:2 b5:2 a5:4  c5:4 f5:4 g5:2 a5:2 g5:2 f5:2  e5:8 g#5:8 "
        "a5:2 c6:2 e6:4 d6:2 c6:2 b5:4  b5:2 d6:2 g5:4 a5:2 b5:2 d6:4  f5:2 a5:2 d6:4 c6:2 a5:2 f5:4  a5:8 g#5:4 b5:4"};
    Section b{ChordChart("F G Em Am Dm Em F E"),
        "c6:12 a5:4  b5:12 g5:4  g5:4 b5:4 e6:8  c6:8 a5:8 "
        "a5:4 f5:4 d5:4 f5:4  g5:4 e5:4 b4:4 e5:4  a5:4 c6:4 f6:4 c6:4  b5:8 g#5:4 e5:4"};
    TuneBuilder tune("mid_name.mid", 100);
    Part& lead = tune.Add("Lead", LEAD, SQUARE_LEAD, 90, 72);
    Part& pad = tune.Add("Strings", PAD, SYNTH_STRINGS, 84, 48);
    Part& bass = tune.Add("Bass", BASS, SYNTH_BASS, 100, 64);
    Part& drums = tune.Add("Drums", DRUM_CHANNEL, 0, 78, 64);
    const DrumLines groove = {{KICK, "x...x...x...x..."}, {CLOSED_HAT, "..o...o...o...o."}};
    const DrumLines fill = {{KICK, "x...x...x...x..."}, {CLOSED_HAT, "..o...o...o....."},
        {SNARE, "............o.xx"}};
    int start = 0;
    for (const Section* s : {&a, &b}) {
        tune.Lead(lead, start, *s, 80, 0.92);
        pad.Pad(s->chart, start, 57, 58);
        bass.Pattern(s->chart, start, "R:2", 33, 80, 0.6);
        DrumSection(drums, start / TICKS_PER_BAR, 8, 4, groove, fill);
        start += s->chart.Ticks();
    }
    return tune.Build(16);
}

// The game: driving. Saw lead, eighth-note synth bass, brass stabs, a rock beat.
Tune GameTune()
{
    Section a{ChordChart("Em C D Bm Em C Am B"),
        "e5:2 e5:2 g5:2 e5:2 b5:4 a5:2 g5:2  e5:2 e5:2 g5:2 e5:2 c6:4 b5:2 a5:2 "
        "f#5:2 f#5:2 a5:2 f#5:2 d6:4 c6:2 a5:2  b5:6 a5:2 f#5:4 d5:4 "
        "e5:2 e5:2 g5:2 e5:2 b5:4 a5:2 g5:2  c6:2 b5:2 a5:2 g5:2 e5:4 g5:4 "
        "a5:2 b5:2 c6:2 e6:2 d6:2 c6:2 a5:4  b5:8 a5:2 f#5:2 d#5:4"};
    Section b{ChordChart("C D Em Em C D B B7"),
        "g5:4 g5:2 a5:2 g5:4 e5:4  f#5:4 f#5:2 g5:2 a5:8  b5:2 a5:2 g5:2 f#5:2 e5:4 g5:4  b5:12 r:4 "
        "c6:4 c6:2 b5:2 a5:4 g5:4  a5:4 a5:2 g5:2 f#5:4 d5:4  d#5:4 f#5:4 b5:4 a5:4  f#5:8 d#5:4 b4:4"};
    TuneBuilder tune("mid_game.mid", 144);
    Part& lead = tune.Add("Lead", LEAD, SAW_LEAD, 88, 64);
    Part& stabs = tune.Add("Brass", BACKING, SYNTH_BRASS, 80, 44);
    Part& pad = tune.Add("Strings", PAD, SYNTH_STRINGS, 70, 84);
    Part& bass = tune.Add("Bass", BASS, SYNTH_BASS, 105, 64);
    Part& drums = tune.Add("Drums", DRUM_CHANNEL, 0, 92, 64);
    const DrumLines groove = {{KICK, "X.....x.X.x....."}, {SNARE, "....X.......X..."},
        {CLOSED_HAT, "x.x.x.x.x.x.x.x."}};
    const DrumLines fill = {{KICK, "X.....x.X......."}, {SNARE, "....X.......xxXX"},
        {CLOSED_HAT, "x.x.x.x.x.x....."}, {HIGH_TOM, "........x.x....."}};
    int start = 0;
    for (const Section* s : {&a, &a, &b}) {
        tune.Lead(lead, start, *s, 90, 0.85);
        stabs.Pattern(s->chart, start, "C:3 C:3 C:2 -:8", 55, 66, 0.5);
        pad.Pad(s->chart, start, 64, 40);
        bass.Pattern(s->chart, start, "R:2 R:2 O:2 R:2", 28, 90, 0.7);
        int firstBar = start / TICKS_PER_BAR;
        DrumSection(drums, firstBar, 8, 4, groove, fill);
        Crash(drums, firstBar, 104);
        start += s->chart.Ticks();
    }
    return tune.Build(24);
}

// Congratulations: a fanfare. Trumpet over brass chords and strings, a march beat.
Tune CongratulationsTune()
{
    Section a{ChordChart("C F-G C Am-G F G C-Am D7-G"),
        "g4:3 g4:1 c5:4 e5:4 g5:4  a5:4 f5:4 g5:4 d5:4  e5:3 e5:1 g5:4 c6:6 g5:2  a5:4 e5:4 g5:4 d5:4 "
        "c5:3 c5:1 f5:4 a5:4 c6:4  b5:3 a5:1 g5:4 d5:4 b4:4  c5:4 e5:4 a5:4 c6:4  c6:4 a5:4 b5:8"};
    Section b{ChordChart("F G Em Am F G C G7"),
        "a5:6 g5:2 f5:4 c5:4  b5:6 a5:2 g5:4 d5:4  g5:4 e5:4 b5:4 g5:4  c6:8 a5:8 "
        "f5:3 f5:1 a5:4 c6:8  d6:3 c6:1 b5:4 a5:4 g5:4  e6:8 c6:8  d6:4 b5:4 g5:4 f5:4"};
    TuneBuilder tune("mid_congratulations.mid", 120);
    Part& lead = tune.Add("Trumpet", LEAD, TRUMPET, 105, 64);
    Part& brass = tune.Add("Brass", BACKING, SYNTH_BRASS, 84, 40);
    Part& pad = tune.Add("Strings", PAD, SYNTH_STRINGS, 76, 88);
    Part& bass = tune.Add("Bass", BASS, FINGER_BASS, 100, 64);
    Part& drums = tune.Add("Drums", DRUM_CHANNEL, 0, 86, 64);
    const DrumLines groove = {{KICK, "x.......x......."}, {SNARE, "x..xx.x.x..xx.x."}};
    const DrumLines fill = {{KICK, "x.......x......."}, {SNARE, "x..xx.x.xxxxXXXX"}};
    int start = 0;
    for (const Section* s : {&a, &b}) {
        tune.Lead(lead, start, *s, 96, 0.88);
        brass.Pattern(s->chart, start, "C:3 C:1 C:4 -:8", 55, 70, 0.8);
        pad.Pad(s->chart, start, 60, 48);
        bass.Pattern(s->chart, start, "R:4 F:4", 36, 84, 0.8);
        int firstBar = start / TICKS_PER_BAR;
        DrumSection(drums, firstBar, 8, 4, groove, fill);
        Crash(drums, firstBar, 110);
        start += s->chart.Ticks();
    }
    return tune.Build(16);
}

// Demo: an attract loop, lively. Square lead, kalimba arpeggios, bouncing octave bass, dance beat.
Tune DemoTune()
{
    Section a{ChordChart("F Dm Bb C F Dm Gm C"),
        "c5:2 f5:2 r:1 a5:3 g5:2 f5:2 g5:4  a5:2 f5:2 r:1 d5:3 e5:2 f5:2 d5:4  d5:2 f5:2 r:1 bb5:3 a5:2 g5:2 f5:4 "
        "g5:6 e5:2 c5:8  c5:2 f5:2 r:1 a5:3 c6:2 a5:2 f5:4  d6:3 c6:3 a5:2 f5:4 d5:4 "
        "bb5:2 a5:2 g5:2 f5:2 d5:2 f5:2 g5:4  e5:4 g5:4 c6:4 bb5:4"};
    Section b{ChordChart("Bb C Am Dm Bb C Gm7 C7"),
        "f5:4 bb5:4 d6:6 c6:2  e5:4 g5:4 c6:6 bb5:2  a5:3 g5:3 e5:2 c5:4 e5:4  d5:2 f5:2 a5:2 d6:2 a5:8 "
        "bb5:3 a5:3 f5:2 d5:4 f5:4  g5:3 f5:3 e5:2 c5:4 e5:4  f5:2 g5:2 bb5:2 d6:2 f6:4 d6:4  c6:4 bb5:4 g5:4 e5:4"};
    TuneBuilder tune("mid_demo.mid", 132);
    Part& lead = tune.Add("Lead", LEAD, SQUARE_LEAD, 86, 64);
    Part& arp = tune.Add("Kalimba", BACKING, KALIMBA, 90, 40);
    Part& bass = tune.Add("Bass", BASS, SYNTH_BASS, 104, 64);
    Part& pad = tune.Add("Pad", PAD, WARM_PAD, 66, 88);
    Part& drums = tune.Add("Drums", DRUM_CHANNEL, 0, 90, 64);
    const DrumLines groove = {{KICK, "x...x...x...x..."}, {CLAP, "....x.......x..."},
        {CLOSED_HAT, "o.o.o.o.o.o.o.o."}, {OPEN_HAT, "..x...x...x...x."}};
    const DrumLines fill = {{KICK, "x...x...x...x..."}, {CLAP, "....x.......x.xx"},
        {CLOSED_HAT, "o.o.o.o.o.o....."}, {OPEN_HAT, "..x...x...x....."}};
    int start = 0;
    for (const Section* s : {&a, &b, &a}) {
        tune.Lead(lead, start, *s, 86, 0.8);
        arp.Pattern(s->chart, start, "R:1 T:1 F:1 O:1", 60, 50, 0.9);
        bass.Pattern(s->chart, start, "R:2 O:2", 29, 86, 0.6);
        pad.Pad(s->chart, start, 55, 44);
        int firstBar = start / TICKS_PER_BAR;
        DrumSection(drums, firstBar, 8, 4, groove, fill);
        Crash(drums, firstBar);
        start += s->chart.Ticks();
    }
    return tune.Build(24);
}

// Credits: warm and rolling. Flute over rolling kalimba arpeggios and strings.
Tune CreditsTune()
{
    Section a{ChordChart("D A Bm G D G Em7 A7sus4-A7"),
        "f#5:6 e5:2 d5:4 a4:4  e5:6 d5:2 c#5:4 a4:4  d5:4 f#5:4 b5:6 a5:2  g5:8 d5:8 "
        "a5:6 f#5:2 d5:4 f#5:4  b5:6 a5:2 g5:4 d5:4  e5:4 g5:4 b5:4 d6:4  d6:6 c#6:2 a5:4 e5:4"};
    Section b{ChordChart("G A F#m Bm G A Em7 A7"),
        "b5:4 d6:4 b5:4 g5:4  c#6:4 e6:4 c#6:4 a5:4  a5:6 f#5:2 c#5:4 f#5:4  d6:12 r:4 "
        "b5:4 a5:2 g5:2 d5:4 g5:4  a5:4 g5:2 f#5:2 e5:4 c#5:4  d5:4 e5:4 g5:4 b5:4  a5:8 g5:4 e5:4"};
    TuneBuilder tune("mid_credits.mid", 88);
    Part& lead = tune.Add("Flute", LEAD, FLUTE, 105, 70);
    Part& roll = tune.Add("Kalimba", BACKING, KALIMBA, 88, 48);
    Part& pad = tune.Add("Strings", PAD, SYNTH_STRINGS, 74, 84);
    Part& bass = tune.Add("Bass", BASS, FINGER_BASS, 100, 64);
    Part& drums = tune.Add("Drums", DRUM_CHANNEL, 0, 70, 64);
    const DrumLines groove = {{KICK, "x.......x.o....."}, {SIDE_STICK, "....o.......o..."},
        {CLOSED_HAT, "o.o.o.o.o.o.o.o."}};
    const DrumLines fill = {{KICK, "x.......x.o....."}, {SIDE_STICK, "....o.......o.o."},
        {CLOSED_HAT, "o.o.o.o.o.o.o..."}};
    int start = 0;
    for (const Section* s : {&a, &b}) {
        tune.Lead(lead, start, *s, 92, 0.95);
        roll.Pattern(s->chart, start, "R:2 F:2 O:2 U:2 O:2 F:2 T:2 F:2", 50, 56, 1.0);
        pad.Pad(s->chart, start, 57, 44);
        bass.Pattern(s->chart, start, "R:8 F:8", 38, 82, 0.95);
        DrumSection(drums, start / TICKS_PER_BAR, 8, 4, groove, fill);
        start += s->chart.Ticks();
    }
    return tune.Build(16);
}

}  // namespace

std::vector<Tune> MakeTunes()
{
    return {MenuTune(), SetupTune(), InstructionsTune(), NameTune(), GameTune(), CongratulationsTune(), DemoTune(),
        CreditsTune()};
}

#include "effects.h"

#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double DT = 1.0 / SAMPLE_RATE;

// The mixer plays a voice at full volume up to full scale, and a sound at the edge of
// the screen 3.5 dB louder on its side: at full sound volume the loudest effect at the
// edge, with the music under it, must still stay under full scale.
constexpr double LOUD_PEAK_DB = -5.0;
constexpr double SOFT_PEAK_DB = -6.5;
constexpr double QUIET_PEAK_DB = -15.5;

using Wave = std::vector<float>;

// Same numbers on every build and every machine: no std random engines whose
// distributions differ between library versions.
class Noise {
public:
    explicit Noise(uint32_t seed) : m_State(seed) {}
    double Next()
    {
        m_State = m_State * 1664525u + 1013904223u;
        return double(m_State >> 8) / double(1u << 23) - 1.0;
    }

private:
    uint32_t m_State;
};

// A sine oscillator whose frequency may change every sample without jumps.
class Oscillator {
public:
    double Sine(double freq) { return std::sin(2 * PI * Advance(freq)); }
    // Odd harmonics falling off fast: a soft square, hollow and chip-like.
    double SoftSquare(double freq)
    {
        double p = 2 * PI * Advance(freq);
        return std::sin(p) + std::sin(3 * p) / 5 + std::sin(5 * p) / 12;
    }

private:
    double Advance(double freq)
    {
        double now = m_Phase;
        m_Phase += freq * DT;
        m_Phase -= std::floor(m_Phase);
        return now;
    }
    double m_Phase = 0;
};

// One-pole low-pass: enough to turn white noise into rumble or hiss.
class LowPass {
public:
    double Apply(double in, double cutoff)
    {
        double a = 1 - std::exp(-2 * PI * cutoff * DT);
        m_Out += a * (in - m_Out);
        return m_Out;
    }

private:
    double m_Out = 0;
};

Wave Render(double seconds, const std::function<double(double)>& voice)
{
    Wave wave(size_t(seconds * SAMPLE_RATE));
    for (size_t i = 0; i < wave.size(); ++i)
        wave[i] = float(voice(double(i) * DT));
    return wave;
}

double Decay(double t, double tau)
{
    return std::exp(-t / tau);
}

// Gain of one struck note: silent until `start`, a smooth 4 ms rise, an exponential
// decay, and a smooth 10 ms stop at `end`. Notes that follow each other never jump.
double Strike(double t, double start, double tau, double end = 1e9)
{
    const double rise = 0.004, release = 0.01;
    if (t < start || t > end)
        return 0;
    double since = t - start;
    double gain = Decay(since, tau);
    if (since < rise)
        gain *= std::pow(std::sin(0.5 * PI * since / rise), 2);
    if (end - t < release)
        gain *= std::pow(std::sin(0.5 * PI * (end - t) / release), 2);
    return gain;
}

// Exponential glide from `from` to `to` Hz over `seconds`, then holds.
double Glide(double t, double from, double to, double seconds)
{
    double x = std::min(t / seconds, 1.0);
    return from * std::pow(to / from, x);
}

double NoteHz(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// Raised-cosine fades at both ends, so no sample starts or stops with a click.
void Fade(Wave& wave, double inSeconds, double outSeconds)
{
    size_t in = size_t(inSeconds * SAMPLE_RATE);
    size_t out = size_t(outSeconds * SAMPLE_RATE);
    for (size_t i = 0; i < in && i < wave.size(); ++i)
        wave[i] *= float(std::pow(std::sin(0.5 * PI * double(i) / double(in)), 2));
    for (size_t i = 0; i < out && i < wave.size(); ++i)
        wave[wave.size() - 1 - i] *= float(std::pow(std::sin(0.5 * PI * double(i) / double(out)), 2));
}

void Normalize(Wave& wave, double peakDb)
{
    float peak = 0;
    for (float s : wave)
        peak = std::max(peak, std::fabs(s));
    if (peak <= 0)
        return;
    float gain = float(std::pow(10.0, peakDb / 20.0) / peak);
    for (float& s : wave)
        s *= gain;
}

Wave Finish(Wave wave, double peakDb, double fadeIn = 0.005, double fadeOut = 0.02)
{
    Fade(wave, fadeIn, fadeOut);
    Normalize(wave, peakDb);
    return wave;
}

// A struck bell: fundamental with a few inharmonic partials that die faster.
double Bell(Oscillator* partials, double freq, double t, double tau)
{
    return partials[0].Sine(freq) * Decay(t, tau) + 0.35 * partials[1].Sine(freq * 2.76) * Decay(t, tau * 0.4)
        + 0.2 * partials[2].Sine(freq * 5.4) * Decay(t, tau * 0.2);
}

// Two quick bell notes a fourth apart, the second ringing on.
Wave Coin()
{
    Oscillator first[3], second[3];
    const double step = 0.075;
    return Finish(Render(0.45, [&, step](double t) {
        double a = Bell(first, NoteHz(83), t, 0.08) * Strike(t, 0, 1e9, step + 0.01);
        double b = Bell(second, NoteHz(88), t - step, 0.16) * Strike(t, step, 1e9);
        return a + b;
    }), LOUD_PEAK_DB);
}

// A dull thud under a burst of crunching noise, and a sinking wail: a life is lost.
Wave Crash()
{
    Oscillator body, wail;
    Noise noise(7);
    LowPass crunch;
    return Finish(Render(0.7, [&](double t) {
        double thud = body.Sine(Glide(t, 160, 40, 0.5)) * Decay(t, 0.18);
        double grit = crunch.Apply(noise.Next(), Glide(t, 2500, 300, 0.4)) * Decay(t, 0.12) * 2.5;
        double sinking = 0.35 * wail.SoftSquare(Glide(t, 620, 140, 0.6)) * Strike(t, 0.03, 0.25);
        return thud + grit + sinking;
    }), LOUD_PEAK_DB);
}

// A deep boom: noise whose brightness sinks away, over a sub-bass drop.
Wave Explosion()
{
    Oscillator sub;
    Noise noise(11);
    LowPass rumble, rumble2;
    return Finish(Render(1.3, [&](double t) {
        double cutoff = Glide(t, 3000, 120, 0.9);
        double boom = rumble2.Apply(rumble.Apply(noise.Next(), cutoff), cutoff) * 4.0;
        double swell = std::min(t / 0.01, 1.0) * Decay(t, 0.35);
        return boom * swell + 0.8 * sub.Sine(Glide(t, 70, 28, 0.8)) * Decay(t, 0.3);
    }), LOUD_PEAK_DB, 0.005, 0.1);
}

// A rising major arpeggio that lands on a shimmering chord: a life won.
Wave ExtraLife()
{
    const int notes[] = {72, 76, 79};
    const double step = 0.07, landing = 3 * step;
    Oscillator lead[3], top, octave, chorus;
    return Finish(Render(0.85, [&](double t) {
        double climb = 0;
        for (int i = 0; i < 3; ++i)
            climb += lead[i].SoftSquare(NoteHz(notes[i])) * Strike(t, i * step, 0.3, (i + 1) * step + 0.01);
        double vibrato = 1 + 0.006 * std::sin(2 * PI * 6 * std::max(t - landing, 0.0));
        double f = NoteHz(84) * vibrato;
        double chord = octave.SoftSquare(f) + 0.3 * chorus.Sine(f * 1.003) + 0.5 * top.Sine(NoteHz(88) * vibrato);
        return 0.8 * climb + chord * Strike(t, landing, 0.3);
    }), SOFT_PEAK_DB, 0.005, 0.05);
}

// A rubbery boing: the bottle pushes the fish away.
Wave Bump()
{
    Oscillator body;
    return Finish(Render(0.3, [&](double t) {
        double wobble = 1 + 0.12 * std::sin(2 * PI * 18 * t) * Decay(t, 0.1);
        return body.SoftSquare(Glide(t, 330, 160, 0.25) * wobble) * Decay(t, 0.1);
    }), SOFT_PEAK_DB, 0.005, 0.04);
}

// A glassy hum. The game starts it again on every 50 ms tick the fish touches the
// shield, so it is built to overlap itself: a 200 ms Hann window (four copies 50 ms
// apart add up to an even level) over tones that repeat every 50 ms (multiples of 20 Hz).
Wave Shield()
{
    const double length = 0.2;
    Oscillator low, fifth, high;
    return Finish(Render(length, [&, length](double t) {
        double window = std::pow(std::sin(PI * t / length), 2);
        double shimmer = 0.8 + 0.2 * std::sin(2 * PI * 20 * t);
        return window * shimmer * (low.Sine(440) + 0.6 * fifth.Sine(660) + 0.25 * high.Sine(1320));
    }), SOFT_PEAK_DB, 0, 0);
}

// A short bright tick for moving between items.
Wave CursorMove()
{
    Oscillator tick;
    return Finish(Render(0.06, [&](double t) { return tick.Sine(NoteHz(91)) * Decay(t, 0.018); }),
        SOFT_PEAK_DB, 0.005, 0.015);
}

// Not played by the game: a short, quiet, soft tone.
Wave Unused()
{
    Oscillator tone;
    return Finish(Render(0.15, [&](double t) { return tone.Sine(NoteHz(76)) * Decay(t, 0.05); }),
        QUIET_PEAK_DB, 0.01, 0.05);
}

// Two notes stepping from `from` to `to`: up for yes, down for no.
Wave TwoNoteBlip(int from, int to, double tau)
{
    Oscillator first, second;
    const double step = 0.06;
    return Finish(Render(0.2, [&, from, to, tau, step](double t) {
        return 0.8 * first.SoftSquare(NoteHz(from)) * Strike(t, 0, 0.2, step + 0.01)
            + second.SoftSquare(NoteHz(to)) * Strike(t, step, tau);
    }), SOFT_PEAK_DB, 0.005, 0.04);
}

Wave Select()
{
    return TwoNoteBlip(79, 86, 0.06);
}

Wave Back()
{
    return TwoNoteBlip(74, 67, 0.06);
}

// A falling whistle: something starts to sink.
Wave Drop()
{
    Oscillator whistle;
    return Finish(Render(0.3, [&](double t) {
        return whistle.Sine(Glide(t, 1800, 500, 0.3)) * (0.6 + 0.4 * Decay(t, 0.15));
    }), SOFT_PEAK_DB, 0.005, 0.06);
}

// A soft plop with a little ring: something reaches the sea floor.
Wave Land()
{
    Oscillator thump, ring;
    Noise noise(3);
    LowPass soften;
    return Finish(Render(0.25, [&](double t) {
        double body = thump.Sine(Glide(t, 220, 70, 0.12)) * Decay(t, 0.06);
        double tap = soften.Apply(noise.Next(), 1200) * Decay(t, 0.01) * 2;
        return body + tap + 0.15 * ring.Sine(NoteHz(93)) * Decay(t, 0.05);
    }), SOFT_PEAK_DB, 0.005, 0.04);
}

}  // namespace

std::vector<Effect> MakeEffects()
{
    return {
        {"snd_coin.wav", Coin()},
        {"snd_crash.wav", Crash()},
        {"snd_explosion.wav", Explosion()},
        {"snd_extra.wav", ExtraLife()},
        {"snd_bump.wav", Bump()},
        {"snd_shield.wav", Shield()},
        {"snd_move.wav", CursorMove()},
        {"snd_unused.wav", Unused()},
        {"snd_select.wav", Select()},
        {"snd_back.wav", Back()},
        {"snd_drop.wav", Drop()},
        {"snd_land.wav", Land()},
    };
}

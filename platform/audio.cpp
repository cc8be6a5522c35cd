#include "platform/audio.h"
#include "data/datafile.h"
#include <algorithm>
#include <chrono>

bool g_SoundInstalled = false;
SoundObserver g_SoundObserver = nullptr;

// Allegro applies its digital volume to the MIDI voices too, so the music would fall
// twice as fast as the effects when both volumes go down (12 dB at 127/127). The
// mixer therefore runs at full digital volume and every sample is played at the
// sound volume instead: each setting moves only its own part of the mix.
static int s_SoundVolume = 255;

// Logic steps that catch up in a burst can trigger one sample several times within a
// millisecond (ESC held over pending menu ticks, a bubble blowing up a row of enemies).
// Copies started together only add up towards clipping and sound as one: keep the first.
constexpr auto SAME_START = std::chrono::milliseconds(20);

static bool StartedJustNow(int index)
{
    static std::chrono::steady_clock::time_point started[DATA_OBJECT_COUNT];
    auto now = std::chrono::steady_clock::now();
    if (index < 0 || index >= DATA_OBJECT_COUNT)
        return false;
    bool again = now - started[index] < SAME_START;
    if (!again)
        started[index] = now;
    return again;
}

int SoundVolume()
{
    return s_SoundVolume;
}

void PrepareMixer()
{
    // One voice at full volume reaches full scale; Allegro's default quarters every
    // voice to leave room for four at once, which made the whole game 12 dB too quiet.
    set_volume_per_voice(0);
    // Interpolated mixing, so instruments played far from their recorded pitch do not
    // alias into a hiss.
    set_config_int("sound", "quality", 2);
}

static void Notify(SoundEvent event, int a, int b)
{
    if (g_SoundObserver)
        g_SoundObserver(event, a, b);
}

void PlaySample(int index, int pan)
{
    Notify(SoundEvent::Sample, index, pan);
    SAMPLE* sample = DataSample(index);
    if (g_SoundInstalled && sample && !StartedJustNow(index))
        play_sample(sample, s_SoundVolume, pan, 1000, 0);
}

static bool s_SoundEffectsOn = true;

void SetSoundEffectsOn(bool on)
{
    s_SoundEffectsOn = on;
}

void PlaySoundEffect(int index, int pan)
{
    if (s_SoundEffectsOn)
        PlaySample(index, pan);
}

int PanAt(int x, int width)
{
    // Only the middle half of the stereo field: a sound at the left edge still
    // reaches the right speaker, so nothing comes from one speaker alone.
    int pan = PAN_LEFTMOST + x * (PAN_RIGHTMOST + 1 - PAN_LEFTMOST) / width;
    return std::clamp(pan, PAN_LEFTMOST, PAN_RIGHTMOST);
}

void StopSample(int index)
{
    Notify(SoundEvent::StopSample, index, 0);
    SAMPLE* sample = DataSample(index);
    if (g_SoundInstalled && sample)
        stop_sample(sample);
}

void PlayMusic(int index)
{
    Notify(SoundEvent::Music, index, 0);
    MIDI* tune = DataMidi(index);
    if (g_SoundInstalled && tune)
        play_midi(tune, TRUE);
}

void StopMusic()
{
    Notify(SoundEvent::StopMusic, 0, 0);
    if (g_SoundInstalled)
        stop_midi();
}

void PauseMusic()
{
    Notify(SoundEvent::PauseMusic, 0, 0);
    if (g_SoundInstalled)
        midi_pause();
}

void ResumeMusic()
{
    Notify(SoundEvent::ResumeMusic, 0, 0);
    if (g_SoundInstalled)
        midi_resume();
}

void SetVolumes(int digital, int midi)
{
    Notify(SoundEvent::Volume, digital, midi);
    if (digital >= 0)
        s_SoundVolume = std::min(digital, 255);
    if (g_SoundInstalled)
        set_volume(255, midi);
}

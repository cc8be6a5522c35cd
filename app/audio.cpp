#include "app/audio.h"
#include "app/datafile.h"
#include "app/globals.h"
#include <algorithm>

bool g_SoundInstalled = false;
SoundObserver g_SoundObserver = nullptr;

static void Notify(SoundEvent event, int a, int b)
{
    if (g_SoundObserver)
        g_SoundObserver(event, a, b);
}

void PlaySample(int index, int pan)
{
    Notify(SoundEvent::Sample, index, pan);
    SAMPLE* sample = DataSample(index);
    if (g_SoundInstalled && sample)
        play_sample(sample, 255, pan, 1000, 0);
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
    if (g_SoundInstalled)
        set_volume(digital, midi);
}

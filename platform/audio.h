// Every sample and tune the game plays goes through here, so that the game
// runs without a sound card and tests can hear what would have been played.
#pragma once

enum class SoundEvent { Sample, StopSample, Music, StopMusic, PauseMusic, ResumeMusic, Volume };

// Set by InitGame when Allegro's sound system is up.
extern bool g_SoundInstalled;

// Tests install an observer to record what is played; a, b are the datafile
// index and pan for samples, the index for music, the two volumes for Volume.
using SoundObserver = void (*)(SoundEvent event, int a, int b);
extern SoundObserver g_SoundObserver;

constexpr int PAN_CENTRE = 127;
constexpr int PAN_LEFTMOST = 64;
constexpr int PAN_RIGHTMOST = 191;

// The sound volume samples and the intro movie's sound are played at (0-255).
int SoundVolume();
// Sets Allegro's mixer up for the game's levels; called before install_sound.
void PrepareMixer();
// play_sample(sample, sound volume, pan, 1000, 0) of datafile object `index`.
void PlaySample(int index, int pan = PAN_CENTRE);
// Pan of a sound at screen x: 64 at the left edge, 191 at the right, clamped there
// for sounds off screen.
int PanAt(int x, int width = 640);
// The game's sound-effects switch (S in play); on until switched off.
void SetSoundEffectsOn(bool on);
// PlaySample while the sound-effects switch is on: the world's and the game's own sounds.
void PlaySoundEffect(int index, int pan = PAN_CENTRE);
void StopSample(int index);
// play_midi(tune, TRUE): loops until StopMusic.
void PlayMusic(int index);
void StopMusic();
void PauseMusic();
void ResumeMusic();
// The sound volume (the samples' own volume) and the MIDI volume; -1 leaves a
// volume unchanged.
void SetVolumes(int digital, int midi);

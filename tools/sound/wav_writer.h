// Writes mono 16-bit PCM RIFF WAV files, the kind Allegro's dat imports as samples.
#pragma once
#include <string>
#include <vector>

constexpr int SAMPLE_RATE = 22050;

// Samples in -1..1; values beyond are clamped. Returns false when the file cannot be written.
bool WriteWav(const std::string& path, const std::vector<float>& samples, int rate = SAMPLE_RATE);

// The PESKO intro logo: pictures drawn with cairo and a jingle synthesized to match.
#pragma once
#include <cstdint>
#include <vector>

constexpr int LOGO_WIDTH = 640;
constexpr int LOGO_HEIGHT = 480;
constexpr int LOGO_FPS = 25;
constexpr int LOGO_FRAMES = 125;  // five seconds
constexpr int LOGO_AUDIO_RATE = 44100;

void DrawLogoFrame(int index, uint8_t* pixels, int stride);
// Interleaved 16-bit stereo samples, little endian.
std::vector<uint8_t> SynthesizeJingle();

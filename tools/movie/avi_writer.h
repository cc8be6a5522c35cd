// Writes an AVI movie with libavformat: video frames drawn by a callback and
// encoded with libavcodec, and raw PCM audio tracks.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct MovieLayout {
    int width = 160;
    int height = 128;
    int fps = 10;
    int frames = 20;
    int videoStreams = 1;
    std::string codec = "mpeg4";  // or "mjpeg"
    int quality = 2;              // encoder quantiser: lower is better
    int audioStreams = 0;
    int audioBits = 16;           // 8 (unsigned), 16 or 24 (signed little endian)
    int audioChannels = 2;
    int audioRate = 22050;
};

// Draws frame `index` into a 32-bit buffer of 0xAARRGGBB pixels, `stride` bytes per row.
using FrameDrawer = std::function<void(int index, uint8_t* pixels, int stride)>;

// `audio` holds the interleaved sample bytes of every audio track, already in
// the layout's format. Returns false (with a message on stderr) on failure.
bool WriteMovie(const std::string& path, const MovieLayout& layout, const FrameDrawer& drawFrame,
                const std::vector<uint8_t>& audio);

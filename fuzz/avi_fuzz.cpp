// libFuzzer target: any bytes as an AVI file through CAviFile and CAviPlayer.
// Build and run with fuzz/run.sh.
// Links: movie/*.cpp platform/*.cpp files/*.cpp data/*.cpp settings/*.cpp input/*.cpp app/*.cpp
#include "fuzz/headless.h"
#include "movie/avi_player.h"
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

AUDIOSTREAM g_Stream;
uint8_t g_StreamBuffer[MOVIE_AUDIO_CHUNK * 4];

void UseFakePlatform()
{
    g_MoviePlatform = {
        [](void (*)(void*), void*) { return 0; },
        [](void (*)(void*), void*) {},
        [](int, int, int, int) { return &g_Stream; },
        [](AUDIOSTREAM*) { return static_cast<void*>(g_StreamBuffer); },
        [](AUDIOSTREAM*) {},
        [](AUDIOSTREAM*) {},
    };
}

std::string WriteInput(const uint8_t* data, size_t size)
{
    static std::string path = "/tmp/pesko-avi-fuzz-" + std::to_string(getpid()) + ".avi";
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(data, 1, size, f);
    fclose(f);
    return path;
}

void ReadEveryStream(const std::string& path)
{
    CAviFile avi;
    if (!avi.Open(path.c_str()))
        return;
    for (unsigned i = 0; i < avi.GetAudioCount(); i++)
        (void)avi.GetAudioFormat(i)->nChannels;
    for (unsigned i = 0; i < avi.GetVideoCount(); i++) {
        if (!avi.OpenFrames(i))
            continue;
        const int end = avi.GetVideoEndTime(i);
        for (int t : {0, 1, end / 3, end / 2, end, 0, end < INT32_MAX ? end + 1 : end}) {
            const BITMAPINFOHEADER* frame = nullptr;
            avi.GetFrameAtTime(i, t, &frame);
        }
        avi.CloseFrames(i);
    }
    std::vector<uint8_t> audio(MOVIE_AUDIO_CHUNK * 8);
    avi.ReadAudio(0, 1000, audio.data(), long(audio.size()));
    avi.ReadAudio(1 << 20, 1000, audio.data(), long(audio.size()));
}

void PlayFirstSecond(const std::string& path, BITMAP* page)
{
    CAviPlayer player;
    if (player.Open(path.c_str()) != 0)
        return;
    player.Play();
    for (int t = 0; t <= 1000; t += 100) {
        player.m_Time = t;
        if (!player.Update(page, 0, 0, true, false))
            break;
    }
    player.Stop();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static BITMAP* page = [] {
        StartHeadlessAllegro();
        UseFakePlatform();
        return create_bitmap(640, 480);
    }();
    const std::string path = WriteInput(data, size);
    ReadEveryStream(path);
    PlayFirstSecond(path, page);
    return 0;
}

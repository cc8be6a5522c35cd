// Shared by the movie and intro tests: small movies made by pesko-movie, byte
// patches that damage them, and a stand-in for Allegro's timer and audio.
#pragma once
#include "movie/avi_player.h"
#include "platform/headless.h"
#include "tools/movie/test_pattern.h"
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

#ifndef PESKO_MOVIE_TOOL
#error "PESKO_MOVIE_TOOL: the path of pesko-movie, set by tools/movie/CMakeLists.txt"
#endif

inline std::string MovieDir()
{
    static std::string dir;
    if (dir.empty()) {
        char templ[] = "/tmp/pesko-movies-XXXXXX";
        dir = mkdtemp(templ);
        atexit([] { system(("rm -rf '" + MovieDir() + "'").c_str()); });
    }
    return dir;
}

// Writes a test movie with pesko-movie's --test options; returns its path.
inline std::string MakeMovie(const std::string& name, const std::string& options)
{
    std::string path = MovieDir() + "/" + name;
    std::string cmd = std::string(PESKO_MOVIE_TOOL) + " --test " + options + " " + path;
    EXPECT_EQ(system(cmd.c_str()), 0) << cmd;
    return path;
}

inline std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes)
{
    std::string path = MovieDir() + "/" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    return path;
}

inline size_t FindTag(const std::vector<uint8_t>& bytes, const char* tag, size_t from = 0)
{
    std::string s(bytes.begin(), bytes.end());
    return s.find(tag, from);
}

// Offset of the data of the format chunk ("strf") of the first stream of a type ("auds", "vids").
inline size_t StreamFormatOffset(const std::vector<uint8_t>& bytes, const char* type)
{
    size_t strh = FindTag(bytes, "strh");
    while (strh != std::string::npos && std::string(bytes.begin() + long(strh) + 8, bytes.begin() + long(strh) + 12) != type)
        strh = FindTag(bytes, "strh", strh + 4);
    size_t strf = FindTag(bytes, "strf", strh);
    return strf + 8;
}

template <class T>
inline void Poke(std::vector<uint8_t>& bytes, size_t at, T value)
{
    memcpy(bytes.data() + at, &value, sizeof value);
}

// Stands in for Allegro's timer and audio stream, and counts what the player asks of them.
struct FakeMoviePlatform {
    static inline int streamsStarted = 0;
    static inline int buffersFilled = 0;
    static inline int lastBits = 0;
    static inline bool wantsBuffer = true;
    static inline std::vector<uint8_t> buffer;
    static inline AUDIOSTREAM stream{};

    static void Install()
    {
        StartHeadlessAllegro();
        streamsStarted = buffersFilled = lastBits = 0;
        wantsBuffer = true;
        buffer.assign(MOVIE_AUDIO_CHUNK * 4 + 64, 0xEE);  // a guard band after the largest buffer
        g_MoviePlatform = {
            [](void (*)(void*), void*) { return 0; },
            [](void (*)(void*), void*) {},
            [](int, int bits, int, int) {
                streamsStarted++;
                lastBits = bits;
                return &stream;
            },
            [](AUDIOSTREAM*) { return wantsBuffer ? static_cast<void*>(buffer.data()) : nullptr; },
            [](AUDIOSTREAM*) { buffersFilled++; },
            [](AUDIOSTREAM*) {},
        };
    }
};

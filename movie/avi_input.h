// FFmpeg's AVI reader, opened with a time limit so a damaged file can never hang us.
#pragma once
#include "movie/ffmpeg_library.h"
#include <cstdint>

struct AviDeadline {
    int64_t until = 0;  // av_gettime_relative() microseconds
    void Start(int ms);
};

// Opens `fileName` as AVI (no guessing of other formats). Reading gives up once
// the deadline passes. Returns null on failure.
AVFormatContext* OpenAviInput(const char* fileName, AviDeadline* deadline);
void CloseAviInput(AVFormatContext*& input);

// Reads the next packet of `stream`, skipping other streams' packets. False at
// the end of the file, on a read error or past the deadline.
bool ReadStreamPacket(AVFormatContext* input, int stream, AVPacket* packet);

// Time limits of the slow operations, in milliseconds.
constexpr int AVI_OPEN_LIMIT_MS = 3000;
constexpr int AVI_READ_LIMIT_MS = 1000;
// The packets read for one request stop here even within the time limit.
constexpr int AVI_PACKET_LIMIT = 20000;
// Larger pictures are taken as damage, not as movies.
constexpr int AVI_MAX_PICTURE_SIDE = 4096;

// Reads the raw sample bytes of one audio stream, in order, from any position.
#pragma once
#include <cstdint>

struct AviAudioReader;

AviAudioReader* OpenAudioReader(const char* fileName, int stream);
void CloseAudioReader(AviAudioReader* reader);
// Copies up to `bytes` bytes of the stream from byte `offset`; returns how many it copied.
long ReadAudioBytes(AviAudioReader* reader, long offset, long bytes, uint8_t* out);

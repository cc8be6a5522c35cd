// Plays the first video stream of an AVI file onto an Allegro bitmap, timed by
// its own millisecond clock, with the first audio stream through an Allegro
// audio stream.
#pragma once
#include "movie/avi_file.h"
#include <allegro.h>
#include <atomic>
#include <cstdint>
#include <vector>

// Samples per audio stream buffer, and per read from the file.
constexpr int MOVIE_AUDIO_CHUNK = 8192;

// The Allegro timer and audio calls of the player. Tests replace them: there is
// no timer or sound without a display.
struct MoviePlatform {
    int (*installClock)(void (*tick)(void*), void* param);  // every millisecond
    void (*removeClock)(void (*tick)(void*), void* param);
    AUDIOSTREAM* (*playStream)(int length, int bits, int stereo, int frequency);
    void* (*getStreamBuffer)(AUDIOSTREAM* stream);
    void (*freeStreamBuffer)(AUDIOSTREAM* stream);
    void (*stopStream)(AUDIOSTREAM* stream);
};
extern MoviePlatform g_MoviePlatform;
extern const MoviePlatform ALLEGRO_MOVIE_PLATFORM;

class CAviPlayer {
public:
    CAviPlayer();
    ~CAviPlayer();
    CAviPlayer(const CAviPlayer&) = delete;
    CAviPlayer& operator=(const CAviPlayer&) = delete;

    // 0, or -1 not an AVI file, -2 no playable video, -3 the video has no format.
    int Open(const char* fileName);
    void Close();
    int Play();
    int PlayBuffered();
    // True while the movie goes on; false at its end or when a frame cannot be decoded.
    bool Update(BITMAP* target, int x, int y, bool forceRedraw, bool waitForRetrace);
    int Stop();
    void Rewind();
    void EnableAudio() { m_AudioEnabled = true; }
    void DisableAudio() { m_AudioEnabled = false; }

    int GetCurrentFrame() const;
    int GetPlayTime() const;
    int GetWidth() const { return m_VideoFormat ? m_VideoFormat->biWidth : -1; }
    int GetHeight() const { return m_VideoFormat ? m_VideoFormat->biHeight : -1; }
    int GetVideoBitCount() const { return m_VideoFormat ? m_VideoFormat->biBitCount : -1; }
    bool HasAudio() const { return m_AudioCount != 0; }
    int GetAudioBits() const { return m_AudioBits; }
    int GetAudioFrequency() const { return m_AudioFormat ? int(m_AudioFormat->nSamplesPerSec) : 0; }
    int GetAudioChannels() const { return m_AudioFormat ? m_AudioFormat->nChannels : 0; }

    // Copies one chunk read from the file into an Allegro stream buffer of
    // StreamBufferBytes(): 16-bit samples turn from signed to unsigned.
    void FillStreamBuffer(uint8_t* streamBuffer);
    int StreamBufferBytes() const;

    std::atomic<int> m_Time;  // milliseconds since playing started, counted by the clock
    CAviFile m_AviFile;
    const BITMAPINFOHEADER* m_VideoFormat;
    const WAVEFORMATEX* m_AudioFormat;
    AUDIOSTREAM* m_AudioStream;
    int m_ChunkBytes;
    std::vector<uint8_t> m_ChunkBuffer;
    uint8_t* m_StreamBuffer;
    int m_AudioPos;
    BITMAP* m_FrameBitmap;
    int m_LastFrame;
    int16_t m_AudioCount;
    int16_t m_AudioBits;
    bool m_Opened;
    bool m_AudioEnabled;
    bool m_Playing;
    bool m_AudioReady;

private:
    int StartPlaying(bool buffered);
    void StartAudio();
    void StopAudio();
    bool AudioPlayable() const;
    bool AudioMayBeFed() const;
    void FeedChunk();
    void DrawFrame(BITMAP* target, int x, int y, const BITMAPINFOHEADER* frame, bool waitForRetrace);
};

// Copies a packed 32-bit bitmap (header then rows) unscaled onto `target` at (x, y).
void DrawPackedBitmap(BITMAP* target, int x, int y, const BITMAPINFOHEADER* frame);

// An AVI movie's streams, their formats, decoded frames and audio samples,
// read through FFmpeg.
#pragma once
#include "movie/win_formats.h"
#include <cstdint>
#include <vector>

struct AVFormatContext;
struct AviFrameReader;
struct AviAudioReader;

constexpr unsigned AVI_MAX_STREAMS = 5;

class CAviFile {
public:
    CAviFile();
    virtual ~CAviFile();
    CAviFile(const CAviFile&) = delete;
    CAviFile& operator=(const CAviFile&) = delete;

    bool Open(const char* fileName);
    // Leaves frame readers to their owner, who closes them first with CloseFrames.
    void Close();

    unsigned GetAudioCount() const { return m_AudioCount; }
    unsigned GetVideoCount() const { return m_VideoCount; }
    const WAVEFORMATEX* GetAudioFormat(unsigned stream) const;
    const BITMAPINFOHEADER* GetVideoFormat(unsigned stream) const;

    bool OpenFrames(unsigned stream);
    bool CloseFrames(unsigned stream);
    // Frame shown at `ms`, or -1 past the end time or for a stream without frames open.
    int TimeToFrame(unsigned stream, int ms) const;
    // A packed bitmap: the header then 32-bit pixel rows, top-down. Owned by
    // the frame reader, valid until its next request; none when undecodable.
    void GetFrameAtTime(unsigned stream, int ms, const BITMAPINFOHEADER** frame);
    int GetVideoEndTime(unsigned stream) const;

    // Reads `count` samples of the first audio stream from sample `start` into
    // `buffer`; returns the bytes read. With no buffer, returns the bytes that
    // `count` samples take.
    long ReadAudio(long start, long count, void* buffer, long bufferBytes);

    int m_AudioStreams[AVI_MAX_STREAMS];  // stream numbers within the file
    int m_VideoStreams[AVI_MAX_STREAMS];
    AVFormatContext* m_File;
    unsigned m_AudioCount;
    unsigned m_VideoCount;
    std::vector<uint8_t> m_AudioFormats[AVI_MAX_STREAMS];
    std::vector<uint8_t> m_VideoFormats[AVI_MAX_STREAMS];
    AviFrameReader* m_FrameReaders[AVI_MAX_STREAMS];
    int m_VideoEndTimes[AVI_MAX_STREAMS];
    AviAudioReader* m_AudioReader;
    char m_FileName[1024];
    bool m_FfmpegHeld;  // FFmpeg stays loaded while a movie file object lives

private:
    void ClearFields();
};

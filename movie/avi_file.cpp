#include "movie/avi_file.h"
#include "movie/avi_frames.h"
#include "movie/avi_audio.h"
#include "movie/avi_input.h"
#include <algorithm>
#include <cstdio>
#include <cstring>

CAviFile::CAviFile()
{
    m_FfmpegHeld = HoldFfmpeg();
    if (m_FfmpegHeld)
        Ffmpeg().av_log_set_level(AV_LOG_QUIET);  // damaged movies are reported by result, not on the console
    ClearFields();
}

CAviFile::~CAviFile()
{
    for (unsigned i = 0; i < AVI_MAX_STREAMS; i++)
        CloseFrames(i);
    Close();
    if (m_FfmpegHeld)
        ReleaseFfmpeg();
}

void CAviFile::ClearFields()
{
    for (unsigned i = 0; i < AVI_MAX_STREAMS; i++) {
        m_AudioStreams[i] = -1;
        m_VideoStreams[i] = -1;
        m_AudioFormats[i].clear();
        m_VideoFormats[i].clear();
        m_FrameReaders[i] = nullptr;
        m_VideoEndTimes[i] = 0;
    }
    m_File = nullptr;
    m_AudioCount = 0;
    m_VideoCount = 0;
    m_AudioReader = nullptr;
    m_FileName[0] = 0;
}

template <class Record>
static std::vector<uint8_t> FormatBlock(const Record& record, const AVCodecParameters* par)
{
    // The record, then whatever codec data the file stores after it.
    size_t extra = par->extradata && par->extradata_size > 0 ? size_t(par->extradata_size) : 0;
    std::vector<uint8_t> block(sizeof record + extra);
    memcpy(block.data(), &record, sizeof record);
    if (extra)
        memcpy(block.data() + sizeof record, par->extradata, extra);
    return block;
}

static std::vector<uint8_t> AudioFormatBlock(const AVCodecParameters* par)
{
    WAVEFORMATEX wave{};
    wave.wFormatTag = uint16_t(par->codec_tag);
    wave.nChannels = uint16_t(std::max(0, par->ch_layout.nb_channels));
    wave.nSamplesPerSec = uint32_t(std::max(0, par->sample_rate));
    wave.nAvgBytesPerSec = uint32_t(std::max<int64_t>(0, par->bit_rate / 8));
    wave.nBlockAlign = uint16_t(std::max(0, par->block_align));
    wave.wBitsPerSample = uint16_t(std::max(0, par->bits_per_coded_sample));
    wave.cbSize = uint16_t(std::min(0xFFFF, std::max(0, par->extradata_size)));
    return FormatBlock(wave, par);
}

static std::vector<uint8_t> VideoFormatBlock(const AVCodecParameters* par)
{
    BITMAPINFOHEADER bitmap{};
    bitmap.biSize = sizeof bitmap;
    bitmap.biWidth = par->width;
    bitmap.biHeight = par->height;
    bitmap.biPlanes = 1;
    bitmap.biBitCount = uint16_t(std::max(0, par->bits_per_coded_sample));
    bitmap.biCompression = par->codec_tag;
    return FormatBlock(bitmap, par);
}

bool CAviFile::Open(const char* fileName)
{
    Close();
    if (!m_FfmpegHeld)
        return false;
    static AviDeadline openDeadline;
    m_File = OpenAviInput(fileName, &openDeadline);
    if (!m_File)
        return false;
    snprintf(m_FileName, sizeof m_FileName, "%s", fileName);
    for (unsigned i = 0; i < m_File->nb_streams; i++) {
        const AVCodecParameters* par = m_File->streams[i]->codecpar;
        if (par->codec_type == AVMEDIA_TYPE_AUDIO && m_AudioCount < AVI_MAX_STREAMS) {
            m_AudioStreams[m_AudioCount] = int(i);
            m_AudioFormats[m_AudioCount++] = AudioFormatBlock(par);
        } else if (par->codec_type == AVMEDIA_TYPE_VIDEO && m_VideoCount < AVI_MAX_STREAMS) {
            m_VideoStreams[m_VideoCount] = int(i);
            m_VideoFormats[m_VideoCount++] = VideoFormatBlock(par);
        }
    }
    return true;
}

void CAviFile::Close()
{
    CloseAudioReader(m_AudioReader);
    CloseAviInput(m_File);
    // Frame readers stay with their owner; forget them only once closed.
    AviFrameReader* readers[AVI_MAX_STREAMS];
    std::copy(m_FrameReaders, m_FrameReaders + AVI_MAX_STREAMS, readers);
    ClearFields();
    std::copy(readers, readers + AVI_MAX_STREAMS, m_FrameReaders);
}

const WAVEFORMATEX* CAviFile::GetAudioFormat(unsigned stream) const
{
    if (stream >= m_AudioCount)
        return nullptr;
    return reinterpret_cast<const WAVEFORMATEX*>(m_AudioFormats[stream].data());
}

const BITMAPINFOHEADER* CAviFile::GetVideoFormat(unsigned stream) const
{
    if (stream >= m_VideoCount)
        return nullptr;
    return reinterpret_cast<const BITMAPINFOHEADER*>(m_VideoFormats[stream].data());
}

// Frames are counted in the stream's time base, one frame per tick (the AVI
// header's scale / rate).
static int64_t FrameCount(const AVStream* st)
{
    if (st->nb_frames > 0)
        return st->nb_frames;
    return st->duration > 0 ? st->duration : 0;
}

static bool UsableTimeBase(AVRational tb)
{
    return tb.num > 0 && tb.den > 0;
}

bool CAviFile::OpenFrames(unsigned stream)
{
    if (stream >= m_VideoCount || m_FrameReaders[stream])
        return false;
    const AVStream* st = m_File->streams[m_VideoStreams[stream]];
    if (!UsableTimeBase(st->time_base))
        return false;
    m_FrameReaders[stream] = OpenFrameReader(m_FileName, m_VideoStreams[stream], *GetVideoFormat(stream));
    if (!m_FrameReaders[stream])
        return false;
    int64_t start = std::max<int64_t>(0, st->start_time == AV_NOPTS_VALUE ? 0 : st->start_time);
    int64_t end = Ffmpeg().av_rescale_q(start + FrameCount(st), st->time_base, AVRational{1, 1000});
    m_VideoEndTimes[stream] = int(std::min<int64_t>(end, INT32_MAX));
    return true;
}

bool CAviFile::CloseFrames(unsigned stream)
{
    if (stream >= AVI_MAX_STREAMS)
        return false;
    CloseFrameReader(m_FrameReaders[stream]);
    m_FrameReaders[stream] = nullptr;
    return true;
}

int CAviFile::TimeToFrame(unsigned stream, int ms) const
{
    if (stream >= m_VideoCount || !m_FrameReaders[stream] || ms < 0 || ms > m_VideoEndTimes[stream])
        return -1;
    const AVStream* st = m_File->streams[m_VideoStreams[stream]];
    int64_t frame = Ffmpeg().av_rescale_q_rnd(ms, AVRational{1, 1000}, st->time_base, AV_ROUND_DOWN);
    // The end time itself still shows the last frame.
    int64_t last = std::max<int64_t>(0, FrameCount(st) - 1);
    return int(std::min(frame, last));
}

void CAviFile::GetFrameAtTime(unsigned stream, int ms, const BITMAPINFOHEADER** frame)
{
    *frame = nullptr;
    int number = TimeToFrame(stream, ms);
    if (number >= 0)
        *frame = DecodeFrame(m_FrameReaders[stream], number);
}

int CAviFile::GetVideoEndTime(unsigned stream) const
{
    return stream < m_VideoCount ? m_VideoEndTimes[stream] : -1;
}

long CAviFile::ReadAudio(long start, long count, void* buffer, long bufferBytes)
{
    const WAVEFORMATEX* wave = GetAudioFormat(0);
    if (!wave || start < 0 || count <= 0)
        return 0;
    long bytes = count * long(wave->nBlockAlign);
    if (!buffer)
        return bytes;
    if (!m_AudioReader)
        m_AudioReader = OpenAudioReader(m_FileName, m_AudioStreams[0]);
    if (!m_AudioReader)
        return 0;
    return ReadAudioBytes(m_AudioReader, start * long(wave->nBlockAlign), std::min(bytes, bufferBytes),
                          static_cast<uint8_t*>(buffer));
}

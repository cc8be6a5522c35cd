#include "movie/avi_player.h"
#include "platform/audio.h"
#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

static void PlayerClockTick(void* param)
{
    static_cast<CAviPlayer*>(param)->m_Time.fetch_add(1, std::memory_order_relaxed);
}
END_OF_STATIC_FUNCTION(PlayerClockTick)

static int AllegroInstallClock(void (*tick)(void*), void* param)
{
    return install_param_int(tick, param, 1);
}

static AUDIOSTREAM* AllegroPlayStream(int length, int bits, int stereo, int frequency)
{
    // The mixer runs at full volume; the movie's sound follows the sound volume.
    return play_audio_stream(length, bits, stereo, frequency, SoundVolume(), 127);
}

const MoviePlatform ALLEGRO_MOVIE_PLATFORM = {AllegroInstallClock, remove_param_int, AllegroPlayStream,
                                              get_audio_stream_buffer, free_audio_stream_buffer,
                                              stop_audio_stream};
MoviePlatform g_MoviePlatform = ALLEGRO_MOVIE_PLATFORM;

CAviPlayer::CAviPlayer()
    : m_Time(0), m_VideoFormat(nullptr), m_AudioFormat(nullptr), m_AudioStream(nullptr), m_ChunkBytes(0),
      m_StreamBuffer(nullptr), m_AudioPos(0), m_FrameBitmap(nullptr), m_LastFrame(-1), m_AudioCount(0),
      m_AudioBits(-1), m_Opened(false), m_AudioEnabled(true), m_Playing(false), m_AudioReady(false)
{
}

CAviPlayer::~CAviPlayer()
{
    Close();
}

// Bits per sample from the average byte rate. A format without channels or
// rate gives no width at all (instead of a division by zero).
static int16_t AudioSampleBits(const WAVEFORMATEX* wave)
{
    if (!wave || wave->nSamplesPerSec == 0 || wave->nChannels == 0)
        return -1;
    return int16_t(((wave->nAvgBytesPerSec / wave->nSamplesPerSec) / wave->nChannels) * 8);
}

int CAviPlayer::Open(const char* fileName)
{
    Close();
    if (!m_AviFile.Open(fileName))
        return -1;
    if (!m_AviFile.OpenFrames(0)) {
        m_AviFile.Close();
        return -2;
    }
    m_AudioCount = int16_t(m_AviFile.GetAudioCount());
    m_VideoFormat = m_AviFile.GetVideoFormat(0);
    if (!m_VideoFormat) {
        m_AviFile.CloseFrames(0);
        m_AviFile.Close();
        return -3;
    }
    m_AudioBits = -1;
    m_AudioFormat = nullptr;
    if (m_AudioCount != 0) {
        m_AudioFormat = m_AviFile.GetAudioFormat(0);
        m_AudioBits = AudioSampleBits(m_AudioFormat);
    }
    m_Opened = true;
    return 0;
}

void CAviPlayer::Close()
{
    Stop();
    if (!m_Opened)
        return;
    m_AviFile.CloseFrames(0);
    m_AviFile.Close();
    m_VideoFormat = nullptr;
    m_AudioFormat = nullptr;
    m_AudioCount = 0;
    m_AudioBits = -1;
    m_Opened = false;
}

int CAviPlayer::Play()
{
    return StartPlaying(false);
}

int CAviPlayer::PlayBuffered()
{
    return StartPlaying(true);
}

// A system bitmap needs a graphics mode; without one a memory bitmap does the same job.
static BITMAP* CreateFrameBitmap(int width, int height)
{
    return gfx_driver ? create_system_bitmap(width, height) : create_bitmap(width, height);
}

int CAviPlayer::StartPlaying(bool buffered)
{
    if (!m_Opened || m_Playing)
        return 0;
    if (g_MoviePlatform.installClock(PlayerClockTick, this) < 0)
        return -1;
    m_FrameBitmap = nullptr;
    if (buffered) {
        m_FrameBitmap = CreateFrameBitmap(m_VideoFormat->biWidth, std::abs(m_VideoFormat->biHeight));
        if (!m_FrameBitmap) {
            g_MoviePlatform.removeClock(PlayerClockTick, this);
            return -2;
        }
    }
    m_LastFrame = -1;
    m_AudioPos = 0;
    StartAudio();
    m_Time = 0;
    m_Playing = true;
    return 0;
}

// Only what an Allegro stream can take: 8 or 16 bits, mono or stereo, and
// whole samples in the file of exactly that size.
bool CAviPlayer::AudioPlayable() const
{
    if (m_AudioCount == 0 || !m_AudioFormat || (m_AudioBits != 8 && m_AudioBits != 16))
        return false;
    const WAVEFORMATEX& w = *m_AudioFormat;
    return (w.nChannels == 1 || w.nChannels == 2) && w.nSamplesPerSec > 0 &&
           w.nBlockAlign == w.nChannels * m_AudioBits / 8;
}

int CAviPlayer::StreamBufferBytes() const
{
    return AudioPlayable() ? MOVIE_AUDIO_CHUNK * m_AudioFormat->nBlockAlign : 0;
}

void CAviPlayer::StartAudio()
{
    m_AudioPos = 0;
    m_AudioReady = false;
    if (!m_AudioEnabled)
        return;
    if (AudioPlayable()) {
        m_ChunkBytes = int(m_AviFile.ReadAudio(0, MOVIE_AUDIO_CHUNK, nullptr, 0));
        m_ChunkBuffer.assign(size_t(m_ChunkBytes), 0);
        m_AudioStream = g_MoviePlatform.playStream(MOVIE_AUDIO_CHUNK, m_AudioBits, m_AudioFormat->nChannels != 1,
                                                   int(m_AudioFormat->nSamplesPerSec));
    }
    m_AudioReady = true;
}

void CAviPlayer::StopAudio()
{
    if (m_AudioStream)
        g_MoviePlatform.stopStream(m_AudioStream);
    m_AudioStream = nullptr;
}

bool CAviPlayer::AudioMayBeFed() const
{
    return m_AudioReady && m_AudioStream && AudioPlayable();
}

void CAviPlayer::FillStreamBuffer(uint8_t* streamBuffer)
{
    // Past the end of the track, or a short last read: the rest is silence, not old bytes.
    const uint8_t silence = m_AudioBits == 8 ? 0x80 : 0x00;
    std::fill(m_ChunkBuffer.begin(), m_ChunkBuffer.end(), silence);
    m_AviFile.ReadAudio(m_AudioPos, MOVIE_AUDIO_CHUNK, m_ChunkBuffer.data(), long(m_ChunkBuffer.size()));
    m_AudioPos += MOVIE_AUDIO_CHUNK;
    const size_t bytes = std::min(m_ChunkBuffer.size(), size_t(StreamBufferBytes()));
    memcpy(streamBuffer, m_ChunkBuffer.data(), bytes);
    if (m_AudioBits == 16) {
        for (size_t i = 1; i < bytes; i += 2)
            streamBuffer[i] ^= 0x80;  // signed samples of the file, unsigned ones for Allegro
    }
}

void CAviPlayer::FeedChunk()
{
    FillStreamBuffer(m_StreamBuffer);
    g_MoviePlatform.freeStreamBuffer(m_AudioStream);
    m_StreamBuffer = nullptr;
}

bool CAviPlayer::Update(BITMAP* target, int x, int y, bool forceRedraw, bool waitForRetrace)
{
    if (!m_Playing)
        return false;
    if (AudioMayBeFed()) {
        m_StreamBuffer = static_cast<uint8_t*>(g_MoviePlatform.getStreamBuffer(m_AudioStream));
        if (m_StreamBuffer)
            FeedChunk();
    }
    const int time = m_Time;
    const int frame = m_AviFile.TimeToFrame(0, time);
    bool goesOn = frame >= 0;
    if (goesOn && (forceRedraw || frame != m_LastFrame)) {
        const BITMAPINFOHEADER* picture = nullptr;
        m_AviFile.GetFrameAtTime(0, time, &picture);
        if (picture)
            DrawFrame(target, x, y, picture, waitForRetrace);
        else
            goesOn = false;
    }
    m_LastFrame = frame;
    return goesOn;
}

void CAviPlayer::DrawFrame(BITMAP* target, int x, int y, const BITMAPINFOHEADER* frame, bool waitForRetrace)
{
    if (!m_FrameBitmap) {
        if (waitForRetrace)
            vsync();
        DrawPackedBitmap(target, x, y, frame);
        return;
    }
    DrawPackedBitmap(m_FrameBitmap, 0, 0, frame);
    if (waitForRetrace)
        vsync();
    acquire_bitmap(target);
    blit(m_FrameBitmap, target, 0, 0, x, y, m_FrameBitmap->w, m_FrameBitmap->h);
    release_bitmap(target);
}

int CAviPlayer::Stop()
{
    if (!m_Playing)
        return 0;
    StopAudio();
    m_ChunkBuffer.clear();
    m_AudioReady = false;
    g_MoviePlatform.removeClock(PlayerClockTick, this);
    if (m_FrameBitmap)
        destroy_bitmap(m_FrameBitmap);
    m_FrameBitmap = nullptr;
    m_Playing = false;
    return 0;
}

int CAviPlayer::GetCurrentFrame() const
{
    return m_Playing ? m_AviFile.TimeToFrame(0, m_Time) : -1;
}

int CAviPlayer::GetPlayTime() const
{
    return m_Playing && GetCurrentFrame() >= 0 ? int(m_Time) : -1;
}

// Waits for the stream to want a buffer; gives up after a second so a silent
// sound driver cannot hang the game.
static void* WaitForStreamBuffer(AUDIOSTREAM* stream)
{
    for (int i = 0; i < 1000; i++) {
        if (void* buffer = g_MoviePlatform.getStreamBuffer(stream))
            return buffer;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return nullptr;
}

void CAviPlayer::Rewind()
{
    if (!m_Playing)
        return;
    if (m_AudioStream) {
        StopAudio();
        m_AudioStream = g_MoviePlatform.playStream(MOVIE_AUDIO_CHUNK, m_AudioBits, m_AudioFormat->nChannels != 1,
                                                   int(m_AudioFormat->nSamplesPerSec));
    }
    m_AudioPos = 0;
    if (AudioMayBeFed()) {
        m_StreamBuffer = static_cast<uint8_t*>(WaitForStreamBuffer(m_AudioStream));
        if (m_StreamBuffer)
            FeedChunk();
        WaitForStreamBuffer(m_AudioStream);
    }
    m_Time = 0;
}

#include "movie/avi_frames.h"
#include "movie/avi_input.h"
#include <cstring>
#include <vector>

// Going forward by at most this many frames decodes on; further jumps seek.
constexpr int FORWARD_DECODE_LIMIT = 50;

struct AviFrameReader {
    AviDeadline deadline;
    AVFormatContext* input = nullptr;
    AVCodecContext* decoder = nullptr;
    SwsContext* scaler = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* picture = nullptr;
    int stream = -1;
    int width = 0;
    int height = 0;
    bool intraOnly = false;   // every frame decodes alone: frames before the one wanted are skipped
    bool drained = false;     // the decoder has been told the file has ended
    int64_t shown = -1;       // frame number held in `bitmap`
    int64_t answered = -1;    // frame number last asked for and answered with `bitmap`
    std::vector<uint8_t> bitmap;  // BITMAPINFOHEADER then the pixel rows
    // sws_scale writes whole vector words, past the end of a row of odd width:
    // it converts into FFmpeg's own padded picture, whose rows are then copied.
    uint8_t* scaled[4] = {};
    int scaledStride[4] = {};
};

static bool OpenDecoder(AviFrameReader& r)
{
    const AVCodecParameters* par = r.input->streams[r.stream]->codecpar;
    const AVCodec* codec = Ffmpeg().avcodec_find_decoder(par->codec_id);
    if (!codec)
        return false;
    r.decoder = Ffmpeg().avcodec_alloc_context3(codec);
    if (!r.decoder || Ffmpeg().avcodec_parameters_to_context(r.decoder, par) < 0)
        return false;
    r.decoder->thread_count = 1;
    r.decoder->max_pixels = int64_t(AVI_MAX_PICTURE_SIDE) * AVI_MAX_PICTURE_SIDE;
    if (Ffmpeg().avcodec_open2(r.decoder, codec, nullptr) < 0)
        return false;
    const AVCodecDescriptor* desc = Ffmpeg().avcodec_descriptor_get(par->codec_id);
    r.intraOnly = desc && (desc->props & AV_CODEC_PROP_INTRA_ONLY);
    return true;
}

static bool PrepareBitmap(AviFrameReader& r)
{
    if (Ffmpeg().av_image_alloc(r.scaled, r.scaledStride, r.width, r.height, AV_PIX_FMT_BGRA, 64) < 0)
        return false;
    r.bitmap.assign(sizeof(BITMAPINFOHEADER) + size_t(r.width) * size_t(r.height) * 4, 0);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = r.width;
    header.biHeight = -r.height;  // negative: rows stored top-down, as the decoder gives them
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = uint32_t(r.width * r.height * 4);
    memcpy(r.bitmap.data(), &header, sizeof header);
    return true;
}

AviFrameReader* OpenFrameReader(const char* fileName, int stream, const BITMAPINFOHEADER& format)
{
    if (format.biWidth <= 0 || format.biWidth > AVI_MAX_PICTURE_SIDE || format.biHeight == 0 ||
        format.biHeight > AVI_MAX_PICTURE_SIDE || format.biHeight < -AVI_MAX_PICTURE_SIDE)
        return nullptr;
    auto* r = new AviFrameReader;
    r->stream = stream;
    r->width = format.biWidth;
    r->height = format.biHeight < 0 ? -format.biHeight : format.biHeight;
    r->input = OpenAviInput(fileName, &r->deadline);
    r->packet = Ffmpeg().av_packet_alloc();
    r->picture = Ffmpeg().av_frame_alloc();
    if (!r->input || stream >= int(r->input->nb_streams) || !r->packet || !r->picture || !OpenDecoder(*r) ||
        !PrepareBitmap(*r)) {
        CloseFrameReader(r);
        return nullptr;
    }
    return r;
}

void CloseFrameReader(AviFrameReader* r)
{
    if (!r)
        return;
    Ffmpeg().av_freep(&r->scaled[0]);
    Ffmpeg().av_frame_free(&r->picture);
    Ffmpeg().av_packet_free(&r->packet);
    Ffmpeg().sws_freeContext(r->scaler);
    Ffmpeg().avcodec_free_context(&r->decoder);
    CloseAviInput(r->input);
    delete r;
}

// Converts the decoded picture into the bitmap's rows.
static bool StorePicture(AviFrameReader& r)
{
    const AVFrame* p = r.picture;
    r.scaler = Ffmpeg().sws_getCachedContext(r.scaler, p->width, p->height, AVPixelFormat(p->format), r.width, r.height,
                                    AV_PIX_FMT_BGRA, SWS_POINT, nullptr, nullptr, nullptr);
    if (!r.scaler)
        return false;
    if (Ffmpeg().sws_scale(r.scaler, p->data, p->linesize, 0, p->height, r.scaled, r.scaledStride) != r.height)
        return false;
    const size_t stride = size_t(r.width) * 4;
    uint8_t* rows = r.bitmap.data() + sizeof(BITMAPINFOHEADER);
    for (int y = 0; y < r.height; y++)
        memcpy(rows + y * stride, r.scaled[0] + y * r.scaledStride[0], stride);
    return true;
}

static int64_t PacketFrame(const AVPacket* p)
{
    return p->dts != AV_NOPTS_VALUE ? p->dts : p->pts;
}

static int64_t PictureFrame(const AVFrame* p, int64_t fallback)
{
    return p->best_effort_timestamp != AV_NOPTS_VALUE ? p->best_effort_timestamp : fallback;
}

static bool SeekBefore(AviFrameReader& r, int64_t number)
{
    Ffmpeg().avcodec_flush_buffers(r.decoder);
    r.drained = false;
    r.shown = -1;
    r.answered = -1;
    if (Ffmpeg().av_seek_frame(r.input, r.stream, number, AVSEEK_FLAG_BACKWARD) >= 0)
        return true;
    return Ffmpeg().av_seek_frame(r.input, r.stream, 0, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY) >= 0;
}

// Takes every picture the decoder has ready; true once frame `number` or a later one is stored.
static bool ReceivePictures(AviFrameReader& r, int64_t number, int64_t fallback, bool& failed)
{
    for (;;) {
        int err = Ffmpeg().avcodec_receive_frame(r.decoder, r.picture);
        if (err == AVERROR(EAGAIN))
            return false;
        if (err < 0) {
            failed = err == AVERROR_EOF;
            return false;
        }
        int64_t got = PictureFrame(r.picture, fallback);
        bool wanted = got >= number;
        bool stored = wanted && StorePicture(r);
        Ffmpeg().av_frame_unref(r.picture);
        if (wanted) {
            failed = !stored;
            r.shown = stored ? got : -1;
            return stored;
        }
    }
}

static bool FeedNextPacket(AviFrameReader& r, int64_t number)
{
    if (r.drained)
        return false;
    if (!ReadStreamPacket(r.input, r.stream, r.packet)) {
        r.drained = true;  // flush the pictures the decoder still holds
        return Ffmpeg().avcodec_send_packet(r.decoder, nullptr) >= 0;
    }
    int64_t at = PacketFrame(r.packet);
    bool skip = r.intraOnly && at != AV_NOPTS_VALUE && at < number;
    int err = skip ? 0 : Ffmpeg().avcodec_send_packet(r.decoder, r.packet);
    Ffmpeg().av_packet_unref(r.packet);
    return err >= 0 || err == AVERROR_INVALIDDATA;  // a damaged picture does not end the movie by itself
}

static bool DecodeUpTo(AviFrameReader& r, int64_t number)
{
    r.deadline.Start(AVI_READ_LIMIT_MS);
    if ((number < r.shown || number > r.shown + FORWARD_DECODE_LIMIT) && !SeekBefore(r, number))
        return false;
    bool failed = false;
    for (int packets = 0; packets < AVI_PACKET_LIMIT; packets++) {
        if (ReceivePictures(r, number, number, failed))
            return true;
        if (failed)
            return false;
        if (!FeedNextPacket(r, number))
            return ReceivePictures(r, number, number, failed);
    }
    return false;
}

const BITMAPINFOHEADER* DecodeFrame(AviFrameReader* r, int number)
{
    if (!r || number < 0)
        return nullptr;
    // A frame missing from the file answers with the next one: keep that answer.
    if (number != r->answered && number != r->shown) {
        r->answered = -1;
        if (!DecodeUpTo(*r, number))
            return nullptr;
        r->answered = number;
    }
    return reinterpret_cast<const BITMAPINFOHEADER*>(r->bitmap.data());
}

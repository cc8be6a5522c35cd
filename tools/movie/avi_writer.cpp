#include "avi_writer.h"
#include <cstdio>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace {

struct Muxer {
    AVFormatContext* format = nullptr;
    AVCodecContext* encoder = nullptr;
    SwsContext* scaler = nullptr;
    AVFrame* picture = nullptr;
    AVPacket* packet = nullptr;
    std::vector<AVStream*> videoStreams;
    std::vector<AVStream*> audioStreams;

    ~Muxer()
    {
        av_packet_free(&packet);
        av_frame_free(&picture);
        sws_freeContext(scaler);
        avcodec_free_context(&encoder);
        if (format) {
            if (format->pb)
                avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }
};

bool Fail(const char* what)
{
    fprintf(stderr, "pesko-movie: %s\n", what);
    return false;
}

bool OpenEncoder(Muxer& mux, const MovieLayout& layout)
{
    bool jpeg = layout.codec == "mjpeg";
    const AVCodec* codec = avcodec_find_encoder(jpeg ? AV_CODEC_ID_MJPEG : AV_CODEC_ID_MPEG4);
    if (!codec)
        return Fail("no encoder for the video codec");
    AVCodecContext* enc = mux.encoder = avcodec_alloc_context3(codec);
    enc->width = layout.width;
    enc->height = layout.height;
    enc->time_base = AVRational{1, layout.fps};
    enc->framerate = AVRational{layout.fps, 1};
    enc->pix_fmt = jpeg ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P;
    enc->gop_size = layout.fps * 2;
    enc->max_b_frames = 0;
    enc->thread_count = 1;  // one thread keeps the output byte for byte the same
    enc->flags |= AV_CODEC_FLAG_QSCALE | AV_CODEC_FLAG_BITEXACT;
    enc->global_quality = FF_QP2LAMBDA * layout.quality;
    if (avcodec_open2(enc, codec, nullptr) < 0)
        return Fail("cannot open the video encoder");
    mux.picture = av_frame_alloc();
    mux.picture->format = enc->pix_fmt;
    mux.picture->width = enc->width;
    mux.picture->height = enc->height;
    if (av_frame_get_buffer(mux.picture, 0) < 0)
        return Fail("out of memory");
    mux.scaler = sws_getContext(layout.width, layout.height, AV_PIX_FMT_BGRA, layout.width, layout.height,
                                enc->pix_fmt, SWS_BICUBIC | SWS_BITEXACT | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP,
                                nullptr, nullptr, nullptr);
    return mux.scaler != nullptr || Fail("cannot convert the pictures");
}

bool AddVideoStreams(Muxer& mux, const MovieLayout& layout)
{
    for (int i = 0; i < layout.videoStreams; i++) {
        AVStream* st = avformat_new_stream(mux.format, nullptr);
        st->time_base = mux.encoder->time_base;
        st->avg_frame_rate = mux.encoder->framerate;
        avcodec_parameters_from_context(st->codecpar, mux.encoder);
        mux.videoStreams.push_back(st);
    }
    return true;
}

AVCodecID PcmCodec(int bits)
{
    switch (bits) {
    case 8: return AV_CODEC_ID_PCM_U8;
    case 24: return AV_CODEC_ID_PCM_S24LE;
    default: return AV_CODEC_ID_PCM_S16LE;
    }
}

void AddAudioStreams(Muxer& mux, const MovieLayout& layout)
{
    for (int i = 0; i < layout.audioStreams; i++) {
        AVStream* st = avformat_new_stream(mux.format, nullptr);
        AVCodecParameters* par = st->codecpar;
        par->codec_type = AVMEDIA_TYPE_AUDIO;
        par->codec_id = PcmCodec(layout.audioBits);
        par->sample_rate = layout.audioRate;
        av_channel_layout_default(&par->ch_layout, layout.audioChannels);
        par->bits_per_coded_sample = layout.audioBits;
        par->block_align = layout.audioChannels * layout.audioBits / 8;
        par->bit_rate = int64_t(par->block_align) * 8 * layout.audioRate;
        st->time_base = AVRational{1, layout.audioRate};
        mux.audioStreams.push_back(st);
    }
}

bool WritePacketToAll(Muxer& mux, const std::vector<AVStream*>& streams, AVPacket* pkt, AVRational from)
{
    for (AVStream* st : streams) {
        AVPacket* copy = av_packet_clone(pkt);
        copy->stream_index = st->index;
        av_packet_rescale_ts(copy, from, st->time_base);
        int err = av_interleaved_write_frame(mux.format, copy);
        av_packet_free(&copy);
        if (err < 0)
            return Fail("cannot write a packet");
    }
    return true;
}

bool DrainEncoder(Muxer& mux)
{
    for (;;) {
        int err = avcodec_receive_packet(mux.encoder, mux.packet);
        if (err == AVERROR(EAGAIN) || err == AVERROR_EOF)
            return true;
        if (err < 0)
            return Fail("video encoding failed");
        bool ok = WritePacketToAll(mux, mux.videoStreams, mux.packet, mux.encoder->time_base);
        av_packet_unref(mux.packet);
        if (!ok)
            return false;
    }
}

bool EncodeFrame(Muxer& mux, const MovieLayout& layout, const FrameDrawer& drawFrame, int index,
                 std::vector<uint8_t>& rgb)
{
    const int stride = layout.width * 4;
    drawFrame(index, rgb.data(), stride);
    if (av_frame_make_writable(mux.picture) < 0)
        return Fail("out of memory");
    const uint8_t* src[1] = {rgb.data()};
    sws_scale(mux.scaler, src, &stride, 0, layout.height, mux.picture->data, mux.picture->linesize);
    mux.picture->pts = index;
    if (avcodec_send_frame(mux.encoder, mux.picture) < 0)
        return Fail("video encoding failed");
    return DrainEncoder(mux);
}

// Audio goes out in pieces of one video frame's length, interleaved with the pictures.
bool WriteAudioUpTo(Muxer& mux, const MovieLayout& layout, const std::vector<uint8_t>& audio, size_t& written,
                    size_t until)
{
    const size_t blockAlign = size_t(layout.audioChannels * layout.audioBits / 8);
    until = std::min(until, audio.size() / blockAlign * blockAlign);
    while (written < until) {
        size_t bytes = std::min(until - written, blockAlign * size_t(layout.audioRate / layout.fps));
        AVPacket* pkt = av_packet_alloc();
        av_new_packet(pkt, int(bytes));
        std::copy(audio.begin() + long(written), audio.begin() + long(written + bytes), pkt->data);
        pkt->pts = pkt->dts = int64_t(written / blockAlign);
        pkt->duration = int64_t(bytes / blockAlign);
        bool ok = WritePacketToAll(mux, mux.audioStreams, pkt, AVRational{1, layout.audioRate});
        av_packet_free(&pkt);
        if (!ok)
            return false;
        written += bytes;
    }
    return true;
}

}  // namespace

bool WriteMovie(const std::string& path, const MovieLayout& layout, const FrameDrawer& drawFrame,
                const std::vector<uint8_t>& audio)
{
    Muxer mux;
    if (avformat_alloc_output_context2(&mux.format, nullptr, "avi", path.c_str()) < 0)
        return Fail("no AVI muxer");
    mux.format->flags |= AVFMT_FLAG_BITEXACT;
    mux.packet = av_packet_alloc();
    if (layout.videoStreams > 0 && (!OpenEncoder(mux, layout) || !AddVideoStreams(mux, layout)))
        return false;
    AddAudioStreams(mux, layout);
    if (avio_open(&mux.format->pb, path.c_str(), AVIO_FLAG_WRITE) < 0)
        return Fail("cannot create the output file");
    if (avformat_write_header(mux.format, nullptr) < 0)
        return Fail("cannot write the AVI header");

    std::vector<uint8_t> rgb(size_t(layout.width) * size_t(layout.height) * 4);
    const size_t blockAlign = size_t(layout.audioChannels * layout.audioBits / 8);
    const size_t audioBytesPerFrame = blockAlign * size_t(layout.audioRate) / size_t(layout.fps);
    size_t audioWritten = 0;
    for (int i = 0; i < layout.frames; i++) {
        if (!mux.audioStreams.empty() && !WriteAudioUpTo(mux, layout, audio, audioWritten, audioBytesPerFrame * size_t(i + 1)))
            return false;
        if (!mux.videoStreams.empty() && !EncodeFrame(mux, layout, drawFrame, i, rgb))
            return false;
    }
    if (!mux.audioStreams.empty() && !WriteAudioUpTo(mux, layout, audio, audioWritten, audio.size()))
        return false;
    if (mux.encoder) {
        avcodec_send_frame(mux.encoder, nullptr);
        if (!DrainEncoder(mux))
            return false;
    }
    if (av_write_trailer(mux.format) < 0)
        return Fail("cannot finish the AVI file");
    return true;
}

// FFmpeg, loaded only while a movie is open: its libraries and the ones they pull
// in hold about 25 MB of memory that the rest of the game never needs.
#pragma once
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/mathematics.h>
#include <libavutil/time.h>
#include <libswscale/swscale.h>
}

#define PESKO_FFMPEG_FUNCTIONS(F) \
    F(av_find_input_format) F(av_frame_alloc) F(av_frame_free) F(av_frame_unref) F(av_free) F(av_freep) \
    F(av_gettime_relative) F(av_image_alloc) F(av_log_set_level) F(av_malloc) F(av_packet_alloc) \
    F(av_packet_free) F(av_packet_unref) F(av_read_frame) F(av_rescale_q) F(av_rescale_q_rnd) F(av_seek_frame) \
    F(avcodec_alloc_context3) F(avcodec_descriptor_get) F(avcodec_find_decoder) F(avcodec_flush_buffers) \
    F(avcodec_free_context) F(avcodec_open2) F(avcodec_parameters_to_context) F(avcodec_receive_frame) \
    F(avcodec_send_packet) F(avformat_alloc_context) F(avformat_close_input) F(avformat_open_input) \
    F(avio_alloc_context) F(avio_context_free) F(sws_freeContext) F(sws_getCachedContext) F(sws_scale)

struct FfmpegLibrary {
#define PESKO_FFMPEG_POINTER(name) decltype(&::name) name;
    PESKO_FFMPEG_FUNCTIONS(PESKO_FFMPEG_POINTER)
#undef PESKO_FFMPEG_POINTER
};

// Loads FFmpeg for one more holder; false (nothing held) when it cannot be loaded.
bool HoldFfmpeg();
// One holder fewer; the last one unloads it.
void ReleaseFfmpeg();
// The loaded functions, while some holder holds them.
const FfmpegLibrary& Ffmpeg();

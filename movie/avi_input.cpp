#include "movie/avi_input.h"

extern "C" {
#include <libavutil/time.h>
}

void AviDeadline::Start(int ms)
{
    until = av_gettime_relative() + int64_t(ms) * 1000;
}

static int PastDeadline(void* opaque)
{
    auto* deadline = static_cast<AviDeadline*>(opaque);
    return av_gettime_relative() > deadline->until ? 1 : 0;
}

AVFormatContext* OpenAviInput(const char* fileName, AviDeadline* deadline)
{
    const AVInputFormat* avi = av_find_input_format("avi");
    AVFormatContext* input = avformat_alloc_context();
    if (!avi || !input)
        return nullptr;
    input->interrupt_callback.callback = PastDeadline;
    input->interrupt_callback.opaque = deadline;
    deadline->Start(AVI_OPEN_LIMIT_MS);
    if (avformat_open_input(&input, fileName, avi, nullptr) < 0)
        return nullptr;  // avformat_open_input frees the context on failure
    return input;
}

void CloseAviInput(AVFormatContext*& input)
{
    if (input)
        avformat_close_input(&input);
    input = nullptr;
}

bool ReadStreamPacket(AVFormatContext* input, int stream, AVPacket* packet)
{
    for (int i = 0; i < AVI_PACKET_LIMIT; i++) {
        if (av_read_frame(input, packet) < 0)
            return false;
        if (packet->stream_index == stream)
            return true;
        av_packet_unref(packet);
    }
    return false;
}

#include "movie/avi_input.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

void AviDeadline::Start(int ms)
{
    until = Ffmpeg().av_gettime_relative() + int64_t(ms) * 1000;
}

static int PastDeadline(void* opaque)
{
    auto* deadline = static_cast<AviDeadline*>(opaque);
    return Ffmpeg().av_gettime_relative() > deadline->until ? 1 : 0;
}

// FFmpeg refuses a whole file for one audio stream with a sample rate of 0.
// Such a stream can never be played, so it is read as a data stream instead
// ("dats" for "auds") and the video still plays. Finds those "auds" tags.
static std::vector<long> UnplayableAudioTags(const char* fileName)
{
    std::vector<long> tags;
    FILE* f = fopen(fileName, "rb");
    if (!f)
        return tags;
    std::string head(1 << 20, '\0');
    head.resize(fread(&head[0], 1, head.size(), f));
    fclose(f);
    const size_t headerEnd = std::min(head.find("movi"), head.size());
    for (size_t strh = head.find("strh"); strh < headerEnd && headerEnd - strh >= 12;
         strh = head.find("strh", strh + 4)) {
        if (head.compare(strh + 8, 4, "auds") != 0)
            continue;
        size_t strf = head.find("strf", strh + 12);
        if (strf >= headerEnd || headerEnd - strf < 16)
            continue;
        uint32_t rate;
        memcpy(&rate, head.data() + strf + 12, 4);
        if (rate == 0)
            tags.push_back(long(strh + 8));
    }
    return tags;
}

namespace {

struct MaskedFile {
    FILE* file = nullptr;
    AviDeadline* deadline = nullptr;
    std::vector<long> dataTags;  // offsets where "auds" reads as "dats"
};

int ReadMasked(void* opaque, uint8_t* buffer, int size)
{
    auto* m = static_cast<MaskedFile*>(opaque);
    if (PastDeadline(m->deadline))
        return AVERROR_EXIT;
    long at = ftell(m->file);
    size_t got = fread(buffer, 1, size_t(size), m->file);
    if (got == 0)
        return AVERROR_EOF;
    for (long tag : m->dataTags)
        for (long i = 0; i < 4; i++)
            if (tag + i >= at && tag + i < at + long(got))
                buffer[tag + i - at] = uint8_t("dats"[i]);
    return int(got);
}

int64_t SeekMasked(void* opaque, int64_t offset, int whence)
{
    auto* m = static_cast<MaskedFile*>(opaque);
    if (whence & AVSEEK_SIZE) {
        long here = ftell(m->file);
        fseek(m->file, 0, SEEK_END);
        long size = ftell(m->file);
        fseek(m->file, here, SEEK_SET);
        return size;
    }
    if (fseek(m->file, long(offset), whence & ~AVSEEK_FORCE) != 0)
        return -1;
    return ftell(m->file);
}

void FreeMaskedIo(AVIOContext*& io)
{
    if (!io)
        return;
    auto* m = static_cast<MaskedFile*>(io->opaque);
    fclose(m->file);
    delete m;
    Ffmpeg().av_freep(&io->buffer);
    Ffmpeg().avio_context_free(&io);
}

AVIOContext* OpenMaskedIo(const char* fileName, AviDeadline* deadline, std::vector<long> dataTags)
{
    FILE* file = fopen(fileName, "rb");
    if (!file)
        return nullptr;
    auto* m = new MaskedFile{file, deadline, std::move(dataTags)};
    const int size = 32768;
    auto* buffer = static_cast<uint8_t*>(Ffmpeg().av_malloc(size));
    AVIOContext* io = Ffmpeg().avio_alloc_context(buffer, size, 0, m, ReadMasked, nullptr, SeekMasked);
    if (!io) {
        Ffmpeg().av_free(buffer);
        fclose(file);
        delete m;
    }
    return io;
}

AVFormatContext* OpenInput(const char* fileName, AviDeadline* deadline, AVIOContext* io)
{
    const AVInputFormat* avi = Ffmpeg().av_find_input_format("avi");
    AVFormatContext* input = Ffmpeg().avformat_alloc_context();
    if (!avi || !input)
        return nullptr;
    input->interrupt_callback.callback = PastDeadline;
    input->interrupt_callback.opaque = deadline;
    input->pb = io;
    deadline->Start(AVI_OPEN_LIMIT_MS);
    if (Ffmpeg().avformat_open_input(&input, fileName, avi, nullptr) < 0)
        return nullptr;  // avformat_open_input frees the context on failure
    return input;
}

}  // namespace

AVFormatContext* OpenAviInput(const char* fileName, AviDeadline* deadline)
{
    if (AVFormatContext* input = OpenInput(fileName, deadline, nullptr))
        return input;
    std::vector<long> tags = UnplayableAudioTags(fileName);
    if (tags.empty())
        return nullptr;
    AVIOContext* io = OpenMaskedIo(fileName, deadline, std::move(tags));
    AVFormatContext* input = io ? OpenInput(fileName, deadline, io) : nullptr;
    if (!input)
        FreeMaskedIo(io);
    return input;
}

void CloseAviInput(AVFormatContext*& input)
{
    if (!input)
        return;
    AVIOContext* io = (input->flags & AVFMT_FLAG_CUSTOM_IO) ? input->pb : nullptr;
    Ffmpeg().avformat_close_input(&input);
    FreeMaskedIo(io);
    input = nullptr;
}

bool ReadStreamPacket(AVFormatContext* input, int stream, AVPacket* packet)
{
    for (int i = 0; i < AVI_PACKET_LIMIT; i++) {
        if (Ffmpeg().av_read_frame(input, packet) < 0)
            return false;
        if (packet->stream_index == stream)
            return true;
        Ffmpeg().av_packet_unref(packet);
    }
    return false;
}

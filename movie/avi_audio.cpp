#include "movie/avi_audio.h"
#include "movie/avi_input.h"
#include <algorithm>
#include <cstring>
#include <vector>

struct AviAudioReader {
    AviDeadline deadline;
    AVFormatContext* input = nullptr;
    AVPacket* packet = nullptr;
    int stream = -1;
    long pendingStart = 0;         // stream offset of pending[0]
    std::vector<uint8_t> pending;  // bytes read from the file and not yet handed out
    bool ended = false;
};

AviAudioReader* OpenAudioReader(const char* fileName, int stream)
{
    auto* r = new AviAudioReader;
    r->stream = stream;
    r->input = OpenAviInput(fileName, &r->deadline);
    r->packet = Ffmpeg().av_packet_alloc();
    if (!r->input || stream >= int(r->input->nb_streams) || !r->packet) {
        CloseAudioReader(r);
        return nullptr;
    }
    return r;
}

void CloseAudioReader(AviAudioReader* r)
{
    if (!r)
        return;
    Ffmpeg().av_packet_free(&r->packet);
    CloseAviInput(r->input);
    delete r;
}

static bool Rewind(AviAudioReader& r)
{
    r.pending.clear();
    r.pendingStart = 0;
    r.ended = false;
    return Ffmpeg().av_seek_frame(r.input, r.stream, 0, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY) >= 0;
}

static void DropBefore(AviAudioReader& r, long offset)
{
    long drop = std::min<long>(long(r.pending.size()), offset - r.pendingStart);
    if (drop <= 0)
        return;
    r.pending.erase(r.pending.begin(), r.pending.begin() + drop);
    r.pendingStart += drop;
}

static bool ReadMore(AviAudioReader& r)
{
    if (r.ended || !ReadStreamPacket(r.input, r.stream, r.packet)) {
        r.ended = true;
        return false;
    }
    r.pending.insert(r.pending.end(), r.packet->data, r.packet->data + r.packet->size);
    Ffmpeg().av_packet_unref(r.packet);
    return true;
}

long ReadAudioBytes(AviAudioReader* r, long offset, long bytes, uint8_t* out)
{
    if (!r || offset < 0 || bytes <= 0)
        return 0;
    r->deadline.Start(AVI_READ_LIMIT_MS);
    if (offset < r->pendingStart && !Rewind(*r))
        return 0;
    for (int packets = 0; packets < AVI_PACKET_LIMIT; packets++) {
        DropBefore(*r, offset);
        if (r->pendingStart + long(r->pending.size()) >= offset + bytes || !ReadMore(*r))
            break;
    }
    if (r->pendingStart < offset)
        return 0;  // the stream ends before `offset`
    long copied = std::min<long>(bytes, long(r->pending.size()));
    if (copied > 0)
        memcpy(out, r->pending.data(), size_t(copied));
    return copied;
}

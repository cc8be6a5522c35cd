// libFuzzer target: any bytes as patches.dat through the patch set check. What
// it accepts is read once more the way Allegro's MIDI player reads it, object
// by object to the end of the file and every wave in full, and must stay
// inside the bytes at every step.
// Links: data/datafile_check.cpp files/file_bytes.cpp
#include "data/datafile_check.h"
#include "fuzz/headless.h"
#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// Allegro's own reader on the file: the player's scan of the objects, and each
// GUS patch opened as a chunk and read as load_patch does.
void ScanAsThePlayerDoes(const uint8_t* data, size_t size)
{
    static std::string path = "/tmp/pesko-patches-fuzz-" + std::to_string(getpid()) + ".dat";
    FILE* out = fopen(path.c_str(), "wb");
    if (!out)
        return;
    fwrite(data, 1, size, out);
    fclose(out);
    PACKFILE* f = pack_fopen(path.c_str(), F_READ_PACKED);
    if (!f)
        __builtin_trap();
    if (pack_mgetl(f) != DAT_MAGIC)
        __builtin_trap();
    pack_mgetl(f);
    char name[1024];
    while (!pack_feof(f)) {
        long type = pack_mgetl(f);
        if (type == DAT_PROPERTY) {
            pack_mgetl(f);
            long length = pack_mgetl(f);
            if (length < 0 || length >= long(sizeof name))
                __builtin_trap();  // the player copies a name into 1024 bytes
            pack_fread(name, length, f);
        } else if (type == DAT_ID('P', 'A', 'T', ' ')) {
            f = pack_fopen_chunk(f, FALSE);
            char header[239];
            if (pack_fread(header, sizeof header, f) != long(sizeof header))
                __builtin_trap();
            int samples = (unsigned char)header[198] > 64 ? 64 : (unsigned char)header[198];
            for (int i = 0; i < samples; i++) {
                char sample[96];
                if (pack_fread(sample, sizeof sample, f) != long(sizeof sample))
                    __builtin_trap();
                unsigned long length = (unsigned char)sample[8] | (unsigned char)sample[9] << 8 |
                                       (unsigned char)sample[10] << 16 | (unsigned long)(unsigned char)sample[11] << 24;
                if (length == 0 || pack_fseek(f, long(length)) != 0)
                    __builtin_trap();
            }
            f = pack_fclose_chunk(f);
        } else if (type != EOF) {
            long length = pack_mgetl(f);
            pack_fseek(f, length + 4);
        }
    }
    pack_fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartHeadlessAllegro();
    if (CheckPatchSetBytes(data, size).empty())
        ScanAsThePlayerDoes(data, size);
    return 0;
}

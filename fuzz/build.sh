#!/bin/bash
# Builds the fuzzers with clang (libFuzzer + AddressSanitizer) and, given a run
# time in seconds, runs the AVI one on a corpus seeded with pesko-movie's test
# movies. The save files' one runs on fuzz/corpus/save_files:
#   build/fuzz/save_files_fuzz -max_total_time=60 fuzz/corpus/save_files
#   fuzz/build.sh [seconds]        (needs clang and libclang-rt-14-dev)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=${FUZZ_OUT:-$root/build/fuzz}
mkdir -p "$out/corpus"
flags=$(pkg-config --cflags allegro libavformat libavcodec libswscale libavutil)
libs=$(pkg-config --libs allegro libavformat libavcodec libswscale libavutil)
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$root" $flags \
    "$here/avi_fuzz.cpp" "$root"/movie/*.cpp $libs -lpthread -o "$out/avi_fuzz"
echo "built $out/avi_fuzz"
# The loaders of config.dat and hiscore.dat, seeded from fuzz/corpus/save_files.
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$root" $flags \
    "$here/save_files_fuzz.cpp" "$root"/screens/files.cpp "$root"/app/paths.cpp "$root"/app/save_file.cpp \
    "$root"/app/globals.cpp $libs -lpthread -o "$out/save_files_fuzz"
echo "built $out/save_files_fuzz"
[[ $# -ge 1 ]] || exit 0

tool=${MOVIE_TOOL:-$root/build/tools/movie/pesko-movie}
if [[ -x "$tool" && -z "$(ls -A "$out/corpus")" ]]; then
    "$tool" --test --size 32x32 --frames 4 "$out/corpus/plain.avi"
    "$tool" --test --size 32x32 --frames 3 --codec mjpeg "$out/corpus/mjpeg.avi"
    "$tool" --test --size 16x16 --frames 2 --audio-streams 1 --audio-bits 8 --channels 1 --rate 8000 "$out/corpus/mono8.avi"
    "$tool" --test --size 16x16 --frames 2 --audio-streams 2 --video-streams 2 --rate 8000 "$out/corpus/two.avi"
    "$tool" --test --size 16x16 --frames 2 --video-streams 0 --audio-streams 1 --rate 8000 "$out/corpus/audio.avi"
fi
cd "$out"
./avi_fuzz -max_total_time="$1" -timeout=20 -rss_limit_mb=2048 -max_len=65536 \
    -dict="$here/avi.dict" -artifact_prefix="$out/" corpus

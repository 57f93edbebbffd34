#!/bin/sh
# Builds the note-file fuzzer with clang (libFuzzer, AddressSanitizer, UBSan) and runs it
# for a while. Not part of the test runs.
#   scripts/fuzz-notefile.sh [SECONDS]        (default 60)
#   BUILD_DIR=... to choose the build folder (default build-fuzz)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${BUILD_DIR:-$here/build-fuzz}
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize=fuzzer-no-link"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DQUORVEL_FUZZ=ON -DQUORVEL_BUILD_BENCH=OFF
cmake --build "$build" --target NoteFileFuzzer -j2

corpus="$build/notefile-corpus"
mkdir -p "$corpus"
# Seed with the checked-in note files when there are any.
find "$here/tests/data" -name '*.dat' -size -64k -exec cp {} "$corpus/" \; 2>/dev/null || true
cd "$build"
./tests/NoteFileFuzzer -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 "$corpus"

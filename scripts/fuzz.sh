#!/bin/sh
# Builds every libFuzzer target (clang, AddressSanitizer, UBSan) in its own build folder
# and runs each for SECONDS, one after the other. Not part of the test runs.
#   scripts/fuzz.sh [SECONDS] [TARGET...]    (default 60 seconds each, every target)
#   BUILD_DIR=... to choose the build folder (default build-fuzz)
# Targets: notefile rtf sources authors bib exportdata lastviewlist settings archive bibliography.
# Each starts from tests/data/fuzz-seeds/TARGET and the inputs kept in tests/data/fuzz/TARGET;
# what a run finds lands in BUILD_DIR/artifacts/TARGET. Copy each such file into
# tests/data/fuzz/TARGET once the reader is fixed: FuzzRegressionTest replays them.
# Prints the executions of every target and their sum; exits 1 when any target failed.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=${*:-notefile rtf sources authors bib exportdata lastviewlist settings archive bibliography}
build=${BUILD_DIR:-$here/build-fuzz}
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fsanitize=fuzzer-no-link"

"$here/scripts/install-deps.sh" --fuzz

program_of() {
    case "$1" in
    notefile) echo NoteFileFuzzer ;;
    rtf) echo RtfFuzzer ;;
    sources) echo SourcesFileFuzzer ;;
    authors) echo AuthorsFileFuzzer ;;
    bib) echo BibFileFuzzer ;;
    bibliography) echo BibliographyFuzzer ;;
    exportdata) echo ExportDataFuzzer ;;
    lastviewlist) echo LastViewListFuzzer ;;
    settings) echo SettingsFileFuzzer ;;
    archive) echo ArchiveFuzzer ;;
    *) echo "unknown fuzz target: $1" >&2; exit 2 ;;
    esac
}

programs=""
for target in $targets; do programs="$programs $(program_of "$target")"; done

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DQUORVEL_FUZZ=ON -DQUORVEL_BUILD_BENCH=OFF >/dev/null
# shellcheck disable=SC2086
nice cmake --build "$build" -j2 --target $programs

# The archive and settings targets write files for every input: keep them in memory.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    TMPDIR=/dev/shm
    export TMPDIR
fi
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

total=0
failed=""
summary=""
for target in $targets; do
    program=$(program_of "$target")
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    for kept in "$here/tests/data/fuzz-seeds/$target" "$here/tests/data/fuzz/$target"; do
        [ -d "$kept" ] && cp "$kept"/* "$corpus/" 2>/dev/null || true
    done
    [ "$target" = rtf ] && cp "$here"/tests/data/rtf-corpus/*.rtf "$corpus/"
    log="$build/$target.log"
    echo "== $target: $seconds s"
    if nice "$build/tests/$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1; then
        status=ok
    else
        status=FAILED
        failed="$failed $target"
        grep -E "^==[0-9]+==ERROR|runtime error|FUZZ_REQUIRE|^SUMMARY|Test unit written" "$log" | head -8
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    runs=${runs:-0}
    total=$((total + runs))
    summary="$summary$(printf '%-14s %10s executions  %s' "$target" "$runs" "$status")
"
done
printf '%s' "$summary"
echo "total          $total executions"
if [ -n "$failed" ]; then
    echo "failed:$failed (inputs in $build/artifacts, logs in $build/*.log)"
    exit 1
fi

#!/bin/sh
# Builds the benchmarks (release), generates a database into /tmp and runs every
# benchmark program present. Figures only: nothing here passes or fails.
#
#   scripts/bench.sh [NOTES] [BUILD_DIR]     (default 100000 notes, build/bench-release)
set -eu

notes=${1:-100000}
here=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$here/build/bench-release}
data=/tmp/quorvel-bench-$notes
# The same notes filed in a wide outline of 60,000 categories.
wide=/tmp/quorvel-bench-$notes-wide
categories=60000

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BUILD_TESTS=OFF >/dev/null
benches=$(cd "$here/bench" && ls *.cpp | sed 's/\.cpp$//')
# shellcheck disable=SC2086
cmake --build "$build" --target $benches quorvel-cli -j2
cli=$build/src/programs/quorvel-cli

echo "== GenerateDatabase $data $notes"
"$build/bench/GenerateDatabase" "$data" "$notes"
echo "== GenerateDatabase $wide $notes $categories"
"$build/bench/GenerateDatabase" "$wide" "$notes" "$categories"

for bench in $benches; do
    case $bench in
    GenerateDatabase) ;;
    LoadBenchmark)
        echo "== $bench"
        "$build/bench/$bench" "$data" ;;
    SearchBenchmark)
        echo "== $bench"
        "$build/bench/$bench" "$notes" "$data" ;;
    RefileBenchmark)
        echo "== $bench"
        "$build/bench/$bench" "$notes" ;;
    ViewBenchmark)
        echo "== $bench"
        "$build/bench/$bench" "$data" ;;
    CliSearchMemoryBenchmark|IndexBenchmark)
        echo "== $bench"
        "$build/bench/$bench" "$cli" "$data" ;;
    StartupBenchmark)
        # The restored list is every note: the longest start; then the wide outline.
        for root in "$data" "$wide"; do
            "$cli" --data-root "$root" search --ids-only SHOWALL >/dev/null
            echo "== $bench $root"
            "$build/bench/$bench" "$cli" "$root"
            "$cli" --data-root "$root" current --set >/dev/null
        done ;;
    ExchangeBenchmark)
        # Notes with an attachment each, then notes without attachments (20,000 each).
        echo "== $bench"
        "$build/bench/$bench"
        echo "== $bench --plain"
        "$build/bench/$bench" 20000 --plain ;;
    *)
        echo "== $bench"
        "$build/bench/$bench" ;;
    esac
done

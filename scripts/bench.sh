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

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BUILD_TESTS=OFF >/dev/null
benches=$(cd "$here/bench" && ls *.cpp | sed 's/\.cpp$//')
# shellcheck disable=SC2086
cmake --build "$build" --target $benches -j2

echo "== GenerateDatabase $data $notes"
"$build/bench/GenerateDatabase" "$data" "$notes"

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
    *)
        echo "== $bench"
        "$build/bench/$bench" ;;
    esac
done

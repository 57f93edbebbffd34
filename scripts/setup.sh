#!/usr/bin/env bash
# One-step set-up on Debian 12: install what is missing, then either build and start the
# desktop program ("run", extra arguments go to it: "run --sample" opens the sample notes)
# or build everything and run every test ("test").
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-run}
build=${QUORVEL_BUILD_DIR:-build}

scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

case "$mode" in
  run)
    # Only what the desktop program needs: the program, its sample notes and its manual.
    cmake --build "$build" -j"$(nproc)" --target quorvel quorvel_sample quorvel_manual
    exec "$build/src/programs/quorvel" "${@:2}"
    ;;
  test)
    cmake --build "$build" -j"$(nproc)"
    ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600
    ;;
  *)
    echo "usage: scripts/setup.sh [run|test]" >&2
    exit 2
    ;;
esac

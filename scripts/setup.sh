#!/usr/bin/env bash
# One-step set-up on Debian 12: install what is missing, build, then either start the
# desktop program ("run") or run every test ("test").
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-run}
build=${QUORVEL_BUILD_DIR:-build}

scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"

case "$mode" in
  run)
    exec "$build/src/programs/quorvel" "${@:2}"
    ;;
  test)
    ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600
    ;;
  *)
    echo "usage: scripts/setup.sh [run|test]" >&2
    exit 2
    ;;
esac

#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it (the repository's
# .clang-format). Lists every such file; `clang-format -i FILE` fixes one.
# usage: check-format.sh [REPO_DIR]   Exit 77 (a skipped test) when clang-format is missing.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

format=${CLANG_FORMAT:-clang-format}
if ! command -v "$format" >/dev/null 2>&1; then
  echo "clang-format not found; scripts/install-deps.sh installs it" >&2
  exit 77
fi

# Tracked files when this is a checkout, every C++ file of the project otherwise.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
  mapfile -t files < <(find src tests bench -name '*.cpp' -o -name '*.h' | sort)
fi

# One run over every file; each difference is reported as FILE:LINE: error: ...
if report=$("$format" --style=file --dry-run --Werror "${files[@]}" 2>&1); then
  echo "${#files[@]} files formatted as .clang-format says"
  exit 0
fi
echo "$report" | grep -E ': error:' || echo "$report"
echo "run clang-format -i on the files above" >&2
exit 1

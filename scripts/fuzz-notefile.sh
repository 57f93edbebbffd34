#!/bin/sh
# The note-file fuzzer alone; scripts/fuzz.sh runs every reader's.
#   scripts/fuzz-notefile.sh [SECONDS]        (default 60)
exec "$(dirname "$0")/fuzz.sh" "${1:-60}" notefile

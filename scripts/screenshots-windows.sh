#!/usr/bin/env bash
# The manual's pictures of the program's own windows: the note editor, the source
# dialogs, the category trees, the control bar, the options and the import dialog.
# scripts/screenshots.sh runs it after the main window's pictures; it can also run on
# its own:
#
#   scripts/screenshots-windows.sh [BUILD_DIR]
#
# Each window is opened on a throw-away copy of the sample notes, photographed, and the
# program is ended (without a window manager no key reaches a dialog, so the windows are
# worked with the mouse, at places relative to the window).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-${QUORVEL_BUILD_DIR:-build}}")
out=$(realpath docs/manual/images)
programs=$build/src/programs

for tool in xdotool xwininfo import convert; do
  command -v "$tool" >/dev/null || { echo "needs $tool (scripts/screenshots.sh installs it)" >&2; exit 1; }
done
[ -x "$programs/quorvel" ] && [ -f "$programs/QuorvelSample.qvx" ] || {
  echo "build first: cmake --build $build --target quorvel quorvel-cli quorvel_sample" >&2
  exit 1
}
[ -z "${DISPLAY_READY:-}" ] && exec env DISPLAY_READY=1 xvfb-run -a -s '-screen 0 1100x780x24' "$0" "$build"

work=$(mktemp -d)
app=""
trap '[ -n "$app" ] && kill "$app" 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
mkdir -p "$HOME" "$out"
cli() { "$programs/quorvel-cli" --data-root "$1" "${@:2}" >/dev/null; }

# The id of the last window whose title matches the pattern $1, waiting for it to appear.
window() {
  for _ in $(seq 60); do
    id=$(xdotool search --name "$1" 2>/dev/null | tail -1) && [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.5
  done
  echo "no window \"$1\"" >&2
  return 1
}
# Clicks (button $4, $5 times) at $2,$3 inside window $1.
click() {
  xdotool mousemove --window "$1" "$2" "$3"
  xdotool click --repeat "${5:-1}" --delay 90 "${4:-1}"
  sleep 0.8
}
# The window's place on the screen as a crop geometry, WIDTHxHEIGHT+X+Y.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{printf "%dx%d+%d+%d", w, h, x, y}'
}
shoot() { sleep 1.2; import -window "$1" "$out/$2"; echo "$out/$2"; }
# Photographs the screen within window $1's rectangle: menus that are open show too.
shoot_with_menu() { sleep 1.2; import -window root -crop "$(geometry "$1")" +repage "$out/$2"; echo "$out/$2"; }
start() {
  "$programs/quorvel" --data-root "$@" &
  app=$!
  main=$(window "Brenlow Software")
  sleep 1.5
}
stop() { kill "$app" 2>/dev/null; wait "$app" 2>/dev/null || true; app=""; }

sample=$work/sample
cli "$sample" import "$programs/QuorvelSample.qvx"

# The note editor on the first sample note (a double-click on it in the list).
start "$sample"
click "$main" 600 100 1 2
shoot "$(window "^Edit Note$")" note-editor.png
stop

# "Edit Source" for the second source of the list, opened from "View Sources".
start "$sample"
click "$main" 153 37
sources=$(window "^View Sources$")
click "$sources" 240 148 1 2
shoot "$(window "^Edit Source$")" edit-source.png
stop

# A bibliography of three sources chosen with double-clicks.
start "$sample"
click "$main" 20 8
click "$main" 98 51
bib=$(window "^Select Sources For Bibliography$")
# From the bottom up: the list closes up under a source that leaves it.
for y in 348 272 120; do
  click "$bib" 150 "$y" 1 2
done
shoot "$bib" bibliography.png
stop

# The category trees, opened down to a Level 3 category, with its menu.
start "$sample"
click "$main" 183 37
trees=$(window "^Edit Category Trees$")
click "$trees" 80 108
click "$trees" 100 130
click "$trees" 126 152
click "$trees" 126 152 3
shoot_with_menu "$trees" category-trees.png
stop

# The control bar with the notes of one Level 4 category taken into an empty list.
cli "$sample" current --set 0
start "$sample"
click "$main" 90 195
click "$main" 108 217
click "$main" 133 239
click "$main" 110 284
xdotool mousemove 700 700
sleep 1
import -window root -crop 700x600+0+0 +repage "$out/control-bar.png"
echo "$out/control-bar.png"
stop

# The three pages of the options, side by side.
start "$sample"
click "$main" 67 8
click "$main" 110 29
options=$(window "^Options$")
pages=()
for x in 50 153 264; do
  click "$options" "$x" 23
  sleep 0.5
  import -window "$options" "$work/options-$x.png"
  pages+=("$work/options-$x.png")
done
convert "${pages[@]}" +append "$out/options.png"
echo "$out/options.png"
stop

# A colleague's copy of the notes, imported: one note new, two newer, one older.
colleague=$work/colleague
cp -r "$sample" "$colleague"
cli "$colleague" edit 1005 --keywords "domestication, pigeons, breeding"
cli "$colleague" edit 1010 --text "Newton's law of gravitation: every body attracts every other with a force that falls off with the square of the distance."
cli "$colleague" add --text "Wallace sends Darwin his Ternate essay in 1858; the joint reading follows within weeks." \
  --source 1002 --category "Science/Biology/Evolution/Natural selection" --keywords priority
cli "$colleague" backup "$work/colleague.qvx"
cli "$sample" edit 1006 --keywords "diagram, descent, tree"
start "$sample" "$work/colleague.qvx"
shoot "$(window "^Import Notes$")" import-notes.png
stop

# A palette of 256 colours looks the same for these windows at a fifth of the size.
for picture in note-editor edit-source bibliography category-trees control-bar options import-notes; do
  convert "$out/$picture.png" -strip +dither -colors 256 "PNG8:$out/$picture.png"
done

#!/usr/bin/env bash
# Makes the user's manual's screenshots (docs/manual/images/*.png): runs the built
# programs under Xvfb on throw-away data roots (the sample notes imported through
# quorvel-cli) and photographs their windows. Run it after a build whenever a window
# changes, and commit the pictures; the manual build only reads them.
#
#   scripts/screenshots.sh [BUILD_DIR]
#
# Needs xvfb, imagemagick (import), xdotool and x11-utils; installs what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-${QUORVEL_BUILD_DIR:-build}}")
out=$(realpath docs/manual/images)
programs=$build/src/programs

missing=()
for p in xvfb xauth imagemagick xdotool x11-utils; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
[ -x "$programs/quorvel" ] && [ -f "$programs/QuorvelSample.qvx" ] || {
  echo "build first: cmake --build $build --target quorvel quorvel-cli ZozozOvuv quorvel_sample" >&2
  exit 1
}
[ -z "${DISPLAY_READY:-}" ] && exec env DISPLAY_READY=1 xvfb-run -a -s '-screen 0 1100x780x24' "$0" "$build"

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
mkdir -p "$HOME" "$out"
cli() { "$programs/quorvel-cli" --data-root "$1" "${@:2}" >/dev/null; }

# The id of the first window whose title contains $1, waiting for it to appear.
window() {
  for _ in $(seq 60); do
    id=$(xdotool search --name "$1" 2>/dev/null | tail -1) && [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.5
  done
  echo "no window \"$1\"" >&2
  return 1
}
shoot() { sleep 1.5; import -window "$1" "$out/$2"; echo "$out/$2"; }

# The main window as a new user first sees it, then its menus.
empty=$work/empty
"$programs/quorvel" --data-root "$empty" & app=$!
main=$(window "Brenlow Software")
shoot "$main" main-empty.png
# Without a window manager keys reach no window: the menus are opened with the mouse, at
# their titles' places in the menu bar.
for menu in file:20 notes:123 help:309; do
  xdotool mousemove "${menu#*:}" 8 click 1
  shoot root "menu-${menu%%:*}.png"
  xdotool key Escape
  xdotool mousemove 550 400 click 1
done
kill $app; wait $app 2>/dev/null || true

# The sample notes, as "Open Sample Notes..." imports them.
sample=$work/sample
cli "$sample" import "$programs/QuorvelSample.qvx"
"$programs/quorvel" --data-root "$sample" & app=$!
shoot "$(window "Brenlow Software")" main-sample.png
kill $app; wait $app 2>/dev/null || true

# The hits dropping down under the search field while a word is typed, before Enter. The
# search index is built first so that the list answers at once.
cli "$sample" index
"$programs/quorvel" --data-root "$sample" & app=$!
main=$(window "Brenlow Software")
sleep 1.5
xdotool mousemove 860 37 click 1
xdotool type --delay 50 "note"
shoot "$main" search-hits.png
kill $app; wait $app 2>/dev/null || true

# A search typed into the search bar: "Clear Current Notes", then the words and Enter.
"$programs/quorvel" --data-root "$sample" & app=$!
main=$(window "Brenlow Software")
sleep 1.5
xdotool mousemove 224 37 click 1
xdotool mousemove 860 37 click 1
xdotool type --delay 50 "method"
xdotool key Return
# The message with the number of results closes with its OK button (Return).
box=$(window "Finished Search")
sleep 1
xdotool windowfocus "$box" key Return 2>/dev/null || true
sleep 1
xdotool search --name "Finished Search" >/dev/null 2>&1 && xdotool windowunmap "$box"
shoot "$main" main-search.png
kill $app; wait $app 2>/dev/null || true

# The note with a picture attached, alone in the list.
cli "$sample" current --set 0
cli "$sample" search icon
"$programs/quorvel" --data-root "$sample" & app=$!
shoot "$(window "Brenlow Software")" note-attachment.png
kill $app; wait $app 2>/dev/null || true

# The print program with the current notes handed over.
cli "$sample" current --set 0
cli "$sample" search method
cli "$sample" print
"$programs/ZozozOvuv" --data-root "$sample" & app=$!
shoot "$(window "Print Preview")" print-preview.png
kill $app; wait $app 2>/dev/null || true

# Crop the menu pictures to the menu's corner of the screen.
for menu in file notes help; do
  mogrify -crop 520x420+0+0 +repage "$out/menu-$menu.png"
done

# The program's own windows (the note editor, the dialogs, the control bar).
scripts/screenshots-windows.sh "$build"

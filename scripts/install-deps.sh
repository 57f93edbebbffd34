#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running, testing and packaging need
# (help2man makes the man pages, desktop-file-utils and appstream check the desktop files,
# dpkg-dev lets cpack work out the package's dependencies, the manual is set in DejaVu;
# ccache and mold make builds faster and are used when present;
# bibutils' library reads EndNote XML, MEDLINE, ISI and MODS, and its programs and pybtex
# read our BibTeX and RIS in the tests; lintian checks the package in the tests).
# Only what is missing is installed; runs apt-get directly as root, through sudo otherwise.
#   scripts/install-deps.sh [--fuzz]   --fuzz adds clang and its libFuzzer runtime (scripts/fuzz.sh)
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache mold
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
  libzip-dev zip unzip libxcb1-dev
  libhunspell-dev hunspell-en-us
  libbibutils-dev bibutils python3-pybtex lintian
  libsqlite3-dev libroaring-dev
  googletest libgtest-dev libgmock-dev
  xvfb xauth
  python3 clang-format
  help2man desktop-file-utils appstream dpkg-dev fonts-dejavu-core
)
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

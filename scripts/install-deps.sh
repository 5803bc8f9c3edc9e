#!/usr/bin/env bash
# Installs, with apt-get, whatever of the build and test dependencies is missing
# on a Debian 12 machine. Safe to run again: installed packages are skipped.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6-dev libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libgsf-1-dev libfreetype-dev
  fonts-liberation fonts-urw-base35
  libwmf-bin python3 python3-olefile
  xvfb xauth xdotool imagemagick x11-utils
  dbus-daemon dbus-bin
  at-spi2-core python3-pyatspi
  poppler-utils
  libxcb1-dev
  librsvg2-bin weasyprint fonts-dejavu-core
  lintian desktop-file-utils appstream shared-mime-info libglib2.0-bin man-db groff-base file fakeroot
  libreoffice-writer libreoffice-impress libreoffice-draw libreoffice-calc libreoffice-math
  python3-uno python3-gi
  emscripten node-acorn chromium chromium-driver python3-selenium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
# Node and npm for the KaTeX check of the mhchem export: Debian's, unless a node
# with its own npm is already installed.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  missing+=(nodejs npm)
fi

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache mold
  zlib1g-dev libpng-dev libjpeg-dev libfreetype-dev libfontconfig-dev libpixman-1-dev
  libsdl2-dev libcurl4-openssl-dev libcups2-dev libcupsimage2-dev
  fonts-liberation2 fonts-dejavu-core
  libgtest-dev qpdf poppler-utils libtiff-tools imagemagick tidy xvfb xdotool libxml2-utils
  x11-utils x11-xkb-utils xclip xcompmgr libx11-dev libxext-dev libxfixes-dev  # on-screen display and its tests
  cups-daemon cups-client
  clang libclang-rt-14-dev
  python3
  libcairo2-dev libpango1.0-dev  # benchmark references only (bench/gdi_bench links them when present)
  gnuplot-nox  # benchmark reference only (bench/chart_bench runs it when on PATH)
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "deps: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

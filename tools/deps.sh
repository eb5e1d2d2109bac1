#!/usr/bin/env bash
# Installs the Debian packages the build, the editor and the tests need.
# As root it installs what is missing; otherwise it prints the one command to run.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config clang-14 libclang-rt-14-dev
  libsfml-dev libimgui-dev liblua5.4-dev libstb-dev libepoxy-dev libfreetype-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libgl-dev libgl1-mesa-dri mesa-utils
  fonts-firacode fonts-open-sans
  xvfb xauth xdotool imagemagick
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages; run: sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"

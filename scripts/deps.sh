#!/usr/bin/env bash
# Installs the Debian packages that are missing for the given purpose ("run" or "test").
set -euo pipefail

run_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev libxkbcommon-dev libvulkan-dev
  libjpeg-dev libuemf-dev libeigen3-dev libtomlplusplus-dev qt6-translations-l10n fonts-liberation2 xvfb xauth
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev cppcheck
  inkscape libwmf-bin fonts-urw-base35 x11-apps imagemagick
  fonts-dejavu-core fonts-dejavu-extra parallel clang-format
)

packages=("${run_packages[@]}")
if [ "${1:-run}" = test ]; then packages+=("${test_packages[@]}"); fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

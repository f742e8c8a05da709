#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the program need.
# Safe to run again; says nothing when nothing is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-image-formats-plugins libgl-dev
  libcurl4-openssl-dev libssl-dev ca-certificates
  libgtest-dev libgmock-dev googletest libbenchmark-dev libcpp-httplib-dev
  clang libclang-rt-14-dev
  fonts-dejavu-core fonts-wine fonts-liberation2 fontconfig
  xvfb xdotool
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only those
# that are missing. Non-interactive: CI runs it with no standard input.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 xvfb x11-utils imagemagick xdotool
  mame lua5.4 liblua5.4-dev
  zlib1g-dev libdeflate-dev zip p7zip-full python3
  clang libclang-rt-14-dev ccache
  glslang-tools libgl1-mesa-dri
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]} (run as root or install them)" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq </dev/null
apt-get install -y -qq "${missing[@]}" </dev/null >/dev/null

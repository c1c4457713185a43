#!/usr/bin/env bash
# Installs whatever the build, the tests and the run command need. Safe to run again: packages
# already present are skipped, and nothing asks a question.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 xvfb x11-utils imagemagick fonts-wqy-microhei
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The posix thread model compilers are required: the win32 model cannot build GoogleTest.
for alt in x86_64-w64-mingw32-gcc x86_64-w64-mingw32-g++; do
  command -v "$alt-posix" >/dev/null || { echo "setup: $alt-posix is missing" >&2; exit 1; }
done
echo "setup: all packages present"

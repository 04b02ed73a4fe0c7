#!/usr/bin/env bash
# Installs, with apt, every Debian package that building or testing Vexil needs and that
# this machine does not have yet. Safe to run again: it installs nothing when all is there.
set -euo pipefail

packages=(
  cmake make git
  g++-mingw-w64-x86-64-posix   # vexil.exe and its libraries (x64)
  gcc-mingw-w64-i686-posix     # TempDll.dll, the 32-bit icon library template
  wine wine64 fonts-wine fonts-liberation
  xvfb xauth
  clang libclang-rt-14-dev     # native sanitizer tests and libFuzzer
  googletest                   # sources under /usr/src/googletest, built by us
  python3                      # small generators used by the build
  nsis                         # the setup program (scripts/package)
  fp-utils                     # chmcmd, the help compiler (scripts/package)
  zip unzip                    # the downloadable program folder (scripts/package, its test)
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q "${missing[@]}"

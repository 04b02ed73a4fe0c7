#!/usr/bin/env bash
# Builds the Windows program and libraries (build/win) and, with "native", the
# platform-free code for the sanitizer tests and fuzzers (build/native).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"

build_windows() {
  cmake -S "$root" -B "$root/build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$root/build/win" -j "$jobs"
}

build_native() {
  cmake -S "$root" -B "$root/build/native" -DVEXIL_NATIVE=ON -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$root/build/native" -j "$jobs"
}

build_windows
[ "${1:-}" = native ] && build_native
exit 0

#!/usr/bin/env bash
# Cross-builds quillon.exe, quillon-cli.exe and the tests for 64-bit Windows
# into build-win/ (programs, tests and the DLLs they need in build-win/bin).
# Builds Qt for Windows first unless its cache is there (build-qt.sh), and the
# host tool that draws the pictures. Extra arguments go to `cmake --build`,
# e.g. `--target quillon-cli`. QUILLON_QT_WIN=<prefix> skips the Qt step.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
out=${QUILLON_WIN_BUILD:-$root/build-win}
jobs=${QUILLON_JOBS:-2}
qt=${QUILLON_QT_WIN:-$(bash "$root/tools/windows/build-qt.sh" | tail -n1)}
multiarch=$(gcc -print-multiarch)

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
fi

# The picture tool runs here, on Debian's Qt Svg.
cmake -S "$root/tools/windows/svg2png" -B "$out/host" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  "${launcher[@]}" >/dev/null
cmake --build "$out/host" --parallel "$jobs"

cmake -S "$root" -B "$out" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/tools/windows/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_FIND_ROOT_PATH="$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" \
  -DQUILLON_SVG2PNG="$out/host/svg2png" \
  "${launcher[@]}" >/dev/null
cmake --build "$out" --parallel "$jobs" "$@"
echo "Windows build in $out (programs and tests in $out/bin)"

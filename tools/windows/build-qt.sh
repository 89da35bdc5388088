#!/usr/bin/env bash
# Builds Qt 6.4.2's qtbase (Core, Gui, Widgets, Test; the windows and offscreen
# platform plugins) for 64-bit Windows from Debian's own source package, with
# Debian's mingw-w64 compilers and Debian's host Qt tools (QT_HOST_PATH).
#
# The result goes into a cache folder outside the checkout, keyed by the Qt
# version and a hash of the options (and of this folder's build files), and is
# reused when present; a shared archive with the same key is unpacked there
# instead of building. The last line printed is the Qt prefix:
#   QT_WIN=$(bash tools/windows/build-qt.sh | tail -n1)
#
# Needs: g++-mingw-w64-x86-64-posix, qt6-base-dev, qt6-base-dev-tools, cmake,
# ninja-build, dpkg-dev (tools/test-windows.sh installs them). About 30 to 60
# minutes on two cores; QUILLON_QT_JOBS sets the parallel jobs (default 2).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
qt_version=6.4.2
jobs=${QUILLON_QT_JOBS:-2}
cache_root=${QUILLON_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillon}

# Only what Quillon needs; each switch off is a module it never links.
# tabletevent: the source package drops wintab.h. direct2d stays on: without
# it this Qt's windows plugin does not link.
options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DFEATURE_tabletevent=OFF
  -DFEATURE_direct2d=ON
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_icu=OFF
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_jpeg=OFF
  -DFEATURE_jpeg=OFF
)

key=$( { printf '%s\n' "$qt_version" "${options[@]}"; cat "$here/mingw-w64-x86_64.cmake"; } \
  | sha256sum | cut -c1-12)
prefix=$cache_root/qt-$qt_version-mingw64-$key
if [[ -f $prefix/.quillon-complete ]]; then
  echo "Qt $qt_version for Windows: reusing $prefix" >&2
  echo "$prefix"
  exit 0
fi

# A prefix built elsewhere with the same key (a shared build cache, by default
# ../shared/cache beside the checkout): checked against its SHA256SUMS and
# unpacked instead of building. Anything else builds, saying why.
shared=${QUILLON_SHARED_CACHE:-$(cd "$here/../../.." && pwd)/shared/cache}
archive=$shared/qt-$qt_version-mingw64-$key.tar.xz
why=
if [[ ! -f $archive ]]; then
  why="no $archive (key $key)"
  ls "$shared"/qt-$qt_version-mingw64-*.tar.xz >/dev/null 2>&1 &&
    why="$why; the shared cache holds another key: the options or the toolchain file changed"
elif ! (cd "$shared" && grep " $(basename "$archive")\$" SHA256SUMS | sha256sum --check --status) 2>/dev/null; then
  why="$archive fails its check against $shared/SHA256SUMS"
else
  mkdir -p "$cache_root"
  unpack=$(mktemp -d "$cache_root/unpack.XXXXXX")
  if tar -xJf "$archive" -C "$unpack" && [[ -f $unpack/$(basename "$prefix")/.quillon-complete ]]; then
    rm -rf "$prefix"
    mv "$unpack/$(basename "$prefix")" "$prefix"
    rm -rf "$unpack"
    echo "Qt $qt_version for Windows: unpacked from $archive" >&2
    echo "$prefix"
    exit 0
  fi
  rm -rf "$unpack"
  why="$archive did not unpack to a complete prefix"
fi
echo "Qt $qt_version for Windows: building (about 45 min), since $why" >&2

work=$cache_root/work-qt-$qt_version-$key
mkdir -p "$work"

# deb-src entries derived from the machine's own Debian sources, in a private
# apt state so the system's lists stay as they are.
fetch_source() {  # package -> unpacked source folder under $work/src
  local pkg=$1 apt="$work/apt"
  mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$work/src"
  : > "$apt/sources.list.d/debian-src.sources"
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [[ -e $f ]] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /URIs:[^\n]*debian/ && /Types:[^\n]*deb/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
      "$f" >> "$apt/sources.list.d/debian-src.sources"
  done
  : > "$apt/sources.list"
  if [[ -f /etc/apt/sources.list ]]; then
    sed -n 's/^[[:space:]]*deb[[:space:]]\(.*debian.*\)$/deb-src \1/p' /etc/apt/sources.list \
      >> "$apt/sources.list"
  fi
  local aptopts=(-o Dir::Etc::SourceList="$apt/sources.list"
    -o Dir::Etc::SourceParts="$apt/sources.list.d"
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache"
    -o APT::Get::Only-Source=true)
  apt-get "${aptopts[@]}" update >&2
  ( cd "$work/src" && apt-get "${aptopts[@]}" source "$pkg" >&2 )
}

src=$(ls -d "$work"/src/qt6-base-$qt_version*/ 2>/dev/null | head -n1 || true)
if [[ -z $src ]]; then
  fetch_source qt6-base
  src=$(ls -d "$work"/src/qt6-base-$qt_version*/ | head -n1)
fi
echo "Qt source: $src" >&2

build=$work/build
cmake -G Ninja -S "$src" -B "$build" \
  -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR= \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/$(gcc -print-multiarch)/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  "${options[@]}" >&2
cmake --build "$build" --parallel "$jobs" >&2
cmake --install "$build" >&2
touch "$prefix/.quillon-complete"
echo "Qt $qt_version for Windows built into $prefix" >&2
echo "$prefix"

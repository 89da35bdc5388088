#!/usr/bin/env bash
# Builds the Debian package in build-pkg/ (Release, only what gets installed)
# and prints its path. Build output goes to stderr.
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-shlibdeps and file: CPack computes the dependencies from the binaries.
bash tools/deps.sh dpkg-dev file >&2
# Without the install-all dependency, cpack does not build the tests first.
cmake -S . -B build-pkg -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >&2
cmake --build build-pkg -j"$(nproc)" --target installables >&2
rm -f build-pkg/quillon_*.deb
(cd build-pkg && cpack -G DEB >&2)
ls "$PWD"/build-pkg/quillon_*.deb

#!/usr/bin/env bash
# Installs, builds and runs every test (headless): the plain suite (the soak
# included), then the sanitizer build of the suite and the fuzz regression runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-test -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-test --output-on-failure -j2
echo "plain tests: ${SECONDS} s"
bash tools/test-sanitize.sh
bash tools/test-fuzz.sh
bash tools/test-package.sh

#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# (leak detection on) in build-asan. Any report fails the run: it stops the
# program that made it, which fails its test; address and leak reports also go
# to log files, so one from a child process such as quillon-phone fails the run
# too (undefined-behaviour reports of GCC's runtime go to stderr only; the tests
# that run quillon-phone check that it ended cleanly).
# Called by tools/test.sh; assumes tools/deps.sh has run.
#   QUILLON_SOAK_JOBS=N   jobs of the soak test here (default 100)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"

logs="$PWD/build-asan/sanitizer-reports"
rm -rf "$logs"
mkdir -p "$logs"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:log_path=$logs/asan"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$logs/ubsan"
export QUILLON_SOAK_JOBS="${QUILLON_SOAK_JOBS:-100}"

status=0
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j2 || status=$?
if [ -n "$(ls -A "$logs")" ]; then
  echo "Sanitizer reports:"
  for f in "$logs"/*; do
    echo "--- $f"
    cat "$f"
  done
  status=1
fi
echo "sanitizer tests: ${SECONDS} s"
exit "$status"

#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in build-fuzz and runs each
# from its seed corpus (fuzz/corpus/<target>) for a bounded number of runs.
# Called by tools/test.sh. A crash fails the run; its input is kept as
# build-fuzz/artifacts/<target>-crash-*.
#   FUZZ_SECONDS=S   search longer instead: S seconds per target, keeping what
#                    it finds in build-fuzz/found/<target> for the next search
#   FUZZ_TARGETS="engine radio"   only these targets
set -euo pipefail
cd "$(dirname "$0")/.."
# libFuzzer comes with clang's runtime package of the same version.
bash tools/deps.sh clang || true
if ! command -v clang++ >/dev/null; then
  echo "clang is not installed: fuzz targets skipped"
  exit 0
fi
major="$(clang++ --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n1)"
bash tools/deps.sh "libclang-rt-${major}-dev"

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DQUILLON_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz

# Runs per target for the regression run: about 10 s each on a 2-core machine,
# and never more than 15 s.
declare -A runs=([image_file]=80000 [hex_text]=1000000 [radio]=200000 [engine]=20000)
targets="${FUZZ_TARGETS:-image_file hex_text radio engine}"
mkdir -p build-fuzz/artifacts build-fuzz/logs
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for t in $targets; do
  if [ -n "${FUZZ_SECONDS:-}" ]; then
    found="build-fuzz/found/$t"
    mkdir -p "$found"
    limits=(-max_total_time="$FUZZ_SECONDS")
  else
    found="$scratch/$t" # new inputs of a regression run are not kept
    mkdir -p "$found"
    limits=(-runs="${runs[$t]}" -max_total_time=15)
  fi
  log="build-fuzz/logs/$t.log"
  if ! build-fuzz/fuzz/fuzz_"$t" "${limits[@]}" -max_len=4096 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/artifacts/$t-" "$found" "fuzz/corpus/$t" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz_$t failed; its input is kept in build-fuzz/artifacts/"
    exit 1
  fi
  echo "fuzz_$t: $(grep -E '^Done' "$log")"
done
echo "fuzz runs: ${SECONDS} s"

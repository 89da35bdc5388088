#!/usr/bin/env bash
# Runs the commands the documents show in blocks opened with ```sh runnable,
# against the telephone emulator, so that a document cannot go stale silently.
#
#   tools/run-doc-blocks.sh QUILLON_CLI QUILLON_PHONE [DOCUMENT...]
#
# The blocks of one document run in order as one shell script (set -euo
# pipefail) in a folder of their own, so a block may use the files and the
# emulator an earlier one left. `quillon-cli` and `quillon-phone` are the
# programs given; the emulator answers at once (--fast) and the CLI ticks every
# millisecond, which keeps the run to seconds. /tmp/ in a block means a private
# folder, HOME a private home (the backups of reads go there). Emulators a
# document leaves running are stopped at its end.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 QUILLON_CLI QUILLON_PHONE [DOCUMENT...]" >&2; exit 2; }
cli=$(realpath "$1")
phone=$(realpath "$2")
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ $# -gt 0 ]; then docs=("$@"); else docs=(README.md docs/*.md); fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/tmp" "$work/home"
printf '#!/bin/sh\nexec "%s" "$@"\n' "$cli" > "$work/bin/quillon-cli"
printf '#!/bin/sh\nexec "%s" --fast "$@"\n' "$phone" > "$work/bin/quillon-phone"
chmod +x "$work/bin/quillon-cli" "$work/bin/quillon-phone"

total=0
for doc in "${docs[@]}"; do
  script="$work/$(basename "$doc").sh"
  # Each block is preceded by its place in the document, which the ERR trap
  # names when a command fails.
  awk -v doc="$doc" -v tmp="$work/tmp/" '
    /^```sh runnable[[:space:]]*$/ { inside = 1; print "__at=\"" doc ":" NR + 1 "\""; next }
    inside && /^```/ { inside = 0; next }
    inside { gsub("/tmp/", tmp); print }
  ' "$doc" > "$script.body"
  blocks=$(grep -c '^__at=' "$script.body" || true)
  [ "$blocks" -gt 0 ] || continue
  {
    echo 'set -euo pipefail'
    echo 'trap '\''echo "run-doc-blocks: failed in the block at $__at: $BASH_COMMAND" >&2'\'' ERR'
    echo 'trap '\''kill $(jobs -p) 2>/dev/null || true'\'' EXIT'
    cat "$script.body"
  } > "$script"
  dir="$work/run/$(basename "$doc" .md)"
  mkdir -p "$dir"
  if ! (cd "$dir" && env HOME="$work/home" XDG_DATA_HOME= QUILLON_TICK_MS=2 PATH="$work/bin:$PATH" \
          timeout 60 bash "$script" > "$work/out" 2>&1); then
    cat "$work/out" >&2
    echo "run-doc-blocks: FAIL: $doc" >&2
    exit 1
  fi
  echo "run-doc-blocks: $doc: $blocks block(s) ran"
  total=$((total + blocks))
done
[ "$total" -gt 0 ] || { echo "run-doc-blocks: no runnable block found" >&2; exit 1; }
echo "run-doc-blocks: PASS ($total blocks)"

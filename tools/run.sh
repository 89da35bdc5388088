#!/usr/bin/env bash
# Installs, builds and starts Quillon. Unless QUILLON_COM1 already names a
# device, the bundled telephone emulator answers on "COM1" with a handset image,
# so F9 then F7 reads a telephone even with none attached.
set -euo pipefail
cd "$(dirname "$0")/.."
# The window needs a desktop session; find that out before minutes of building.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: the Quillon window needs a desktop session (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "run.sh: start it from a graphical desktop; tools/test.sh builds and tests without one." >&2
  exit 1
fi
bash tools/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
# Only what runs here; tools/test.sh builds the tests.
cmake --build build -j"$(nproc)" --target quillon quillon-phone

if [ -n "${QUILLON_COM1:-}" ]; then
  exec build/app/quillon
fi

link="${XDG_RUNTIME_DIR:-/tmp}/quillon-phone-com1"
# A handset (SN-258, 10.625 MHz reference) with its ID code, system channels
# and an F6 channel range filled in, as a customer's telephone would have them.
build/tools/quillon-phone/quillon-phone --link "$link" \
  --word 30=FFFF --word 31=FF5A --word 32=01A9 --word 33=2931 --word 34=397D \
  --word 35=05AA --word 36=2807 --word 37=1A2B --word 38=0027 --word 39=0310 \
  --word 3A=1B22 --word 3B=6301 --word 3C=0001 --word 3D=6000 --word 3E=0319 --word 3F=E8BB \
  --word 00=5AA5 --word 01=0102 --word 02=0304 --word 08=1234 --word 10=00FF \
  > /dev/null &
phone=$!
trap 'kill $phone 2>/dev/null' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
QUILLON_COM1="$link" build/app/quillon

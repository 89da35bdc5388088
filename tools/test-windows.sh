#!/usr/bin/env bash
# The Windows check, on this Debian machine: installs what it needs, builds Qt
# for Windows (or reuses its cache, tools/windows/build-qt.sh), cross-builds
# into build-win/, runs the test suite under wine, reads, writes and verifies
# quillon-phone through quillon-cli.exe on a COM port mapped in wine's
# registry, shows the window under wine + Xvfb (screenshot in
# build-win/quillon-wine.png), builds the installer and the .zip with CPack
# and checks a silent install, a start and the uninstall under wine.
# Prints each part's time. The first run on a machine builds Qt (30 to 60 min
# on two cores); later runs reuse it. QUILLON_WINEPREFIX gives a wine prefix
# of one's own, for checkouts that run it at the same time (its COM names and
# its wine server are then not shared).
set -euo pipefail
# wine takes the Windows locale from these: the checks read quillon-cli's
# English, whatever the machine's own locale.
export LC_ALL=C.UTF-8 LANGUAGE=

root=$(cd "$(dirname "$0")/.." && pwd)
out=${QUILLON_WIN_BUILD:-$root/build-win}
cache=${QUILLON_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillon}
jobs=${QUILLON_JOBS:-2}
start_all=$SECONDS
declare -a times=()

part() { # name: starts timing a part
  part_name=$1
  part_start=$SECONDS
  echo "==== $part_name"
}
done_part() {
  local t=$((SECONDS - part_start))
  times+=("$(printf '%-34s %4d min %02d s' "$part_name" $((t / 60)) $((t % 60)))")
  echo "==== $part_name: ${t} s"
}
fail() {
  echo "test-windows: $*" >&2
  exit 1
}

run=$(mktemp -d /tmp/quillon-win.XXXXXX)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  if [[ -n ${WINEPREFIX:-} ]]; then wineserver -k 2>/dev/null || true; fi
  rm -rf "$run"
}
trap cleanup EXIT

# ---- what is needed -------------------------------------------------------
part "packages"
need=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64 nsis xvfb xauth xdotool
  imagemagick dpkg-dev cmake ninja-build ccache googletest zip unzip groff-base qt6-translations-l10n
  qt6-l10n-tools)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep "ok installed" >/dev/null || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
bash "$root/tools/deps.sh" >/dev/null # Debian's Qt: the host tools and the picture tool
done_part

# ---- Qt for Windows, the cross build, the Linux emulator -------------------
part "Qt for Windows (build or cache)"
qt=$(nice -n 19 bash "$root/tools/windows/build-qt.sh" | tail -n1)
done_part

part "cross build"
QUILLON_QT_WIN=$qt QUILLON_JOBS=$jobs bash "$root/tools/windows/build.sh"
done_part

part "quillon-phone (Linux)"
export CCACHE_BASEDIR=$root
cmake -S "$root" -B "$out/linux" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$out/linux" --parallel "$jobs" --target quillon-phone
phone=$out/linux/tools/quillon-phone/quillon-phone
done_part

# ---- wine ----------------------------------------------------------------
part "wine prefix"
export WINEPREFIX=${QUILLON_WINEPREFIX:-$cache/wine-prefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
[[ -d $WINEPREFIX/drive_c ]] || wineboot -i >/dev/null 2>&1
# Every Windows has a monospaced font (Consolas, Courier New); a new wine
# prefix has none. Give it Debian's DejaVu Sans Mono, as a PC has its own.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -f /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
# Emulators on pseudo-terminals behind COM names (a dosdevices link would be
# overwritten when the wine server starts; the registry mapping is not).
start_phone() { # COMn, extra options...
  local com=$1
  shift
  "$phone" --link "$run/tty$com" "$@" >"$run/$com.out" 2>"$run/$com.err" &
  pids+=($!)
  for _ in $(seq 100); do [[ -e $run/tty$com ]] && break; sleep 0.05; done
  [[ -e $run/tty$com ]] || fail "quillon-phone for $com did not start"
  wine reg add 'HKLM\Software\Wine\Ports' /v "$com" /t REG_SZ /d "$run/tty$com" /f >/dev/null 2>&1
}
map_ports_done() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p >/dev/null 2>&1 # persistent: every later program starts in a fraction of a second
  # wine's own services start with the first program and keep its standard
  # output: let them inherit nothing that CTest or a pipe waits on.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
start_phone COM5 --word 00=1234 --word 3F=ABCD --save "$run/phone5.img"
start_phone COM6 --fault hangup-after=3
# Two clips for a series on two ports at once, one unit on each: the unit's
# ID code and channels (37-3A, which the series keeps) are the series image's,
# every other word differs, so a unit done right holds the series image.
python3 - "$run" <<'PY'
import os, sys
def image(words):
    return b"".join(w.to_bytes(2, "big") for w in words) + bytes([2])
series = [(0x1000 + 0x0101 * a) & 0xFFFF for a in range(64)]
open(os.path.join(sys.argv[1], "series.e"), "wb").write(image(series))
for n, com in enumerate(("COM7", "COM8"), 1):
    os.makedirs(os.path.join(sys.argv[1], com + ".units"))
    unit = [w if 0x37 <= a <= 0x3A else (0x5000 * n + 0x0203 * a) & 0xFFFF for a, w in enumerate(series)]
    open(os.path.join(sys.argv[1], com + ".units", "unit.e"), "wb").write(image(unit))
PY
for com in COM7 COM8; do
  start_phone "$com" --fast --units "$run/$com.units" --save "$run/$com.saved" --control "$run/$com.control"
done
# COM1 as wine has it by default: the machine's own UART, nothing attached,
# where a job must end without an echo (its driver ignores a cancelled wait).
# Not the kernel's console, nor a UART that is not there.
silent=
if [[ -c /dev/ttyS0 ]] && ! grep -qw ttyS0 /sys/class/tty/console/active 2>/dev/null &&
  python3 -c 'import os; os.close(os.open("/dev/ttyS0", os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK))' 2>/dev/null; then
  silent=COM1
  wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d /dev/ttyS0 /f >/dev/null 2>&1
else
  echo "no free UART at /dev/ttyS0 (none, or the kernel's console): the runs on a silent COM1 are skipped"
  wine reg delete 'HKLM\Software\Wine\Ports' /v COM1 /f >/dev/null 2>&1 || true
fi
map_ports_done
done_part

# ---- the suite ------------------------------------------------------------
part "test suite under wine"
QUILLON_TEST_COM=COM5 QUILLON_TEST_COM_HANGUP=COM6 QUILLON_TEST_COM_SILENT=$silent \
  ctest --test-dir "$out" --output-on-failure --timeout 300
done_part

# ---- quillon-cli.exe against the emulator ----------------------------------
part "quillon-cli.exe read/write/verify"
cli=$out/bin/quillon-cli.exe
cd "$run"
# Start-up alone (wine, Qt's DLLs), to tell the job's own time.
t0=$(date +%s.%N)
wine "$cli" preset --list >/dev/null
t1=$(date +%s.%N)
wine "$cli" read --port COM5 all -o read.e -q
t2=$(date +%s.%N)
# The least time the protocol allows for Read258 at 300 bit/s and the 16 ms
# tick is 19.307 s (the engine benchmark's lower bound, README).
read_s=$(awk -v a="$t0" -v b="$t1" -v c="$t2" 'BEGIN { printf "%.3f", (c - b) - (b - a) }')
ratio=$(awk -v r="$read_s" 'BEGIN { printf "%.3f", r / 19.307 }')
echo "read all: $read_s s without start-up, $ratio of the line bound"
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.05) }' || fail "read all took $read_s s, more than 5 % over 19.307 s"
[[ $(od -An -tx1 -N2 read.e | tr -d ' \n') == 1234 ]] || fail "word 00 read as $(od -An -tx1 -N2 read.e)"
[[ $(od -An -tx1 -j126 -N2 read.e | tr -d ' \n') == abcd ]] || fail "word 3F read wrong"
# Write an image of distinct words, verify it, and compare the emulator's own copy.
python3 - write.e <<'PY'
import sys
words = [(0x1000 + 0x0101 * a) & 0xFFFF for a in range(64)]
with open(sys.argv[1], "wb") as f:
    f.write(b"".join(w.to_bytes(2, "big") for w in words) + bytes([2]) + "тест".encode("cp1251"))
PY
wine "$cli" write --port COM5 all write.e -q --no-verify
wine "$cli" verify --port COM5 all write.e -q
cmp -n 128 write.e phone5.img || fail "the emulator's EEPROM differs from the written image"
# Ctrl+C (wine hands SIGINT to a console program as CTRL_C_EVENT) cancels the job.
wine "$cli" read --port COM5 all -o cancelled.e >cancel.out 2>&1 </dev/null &
job=$!
sleep 3
kill -INT "$job"
rc=0
wait "$job" || rc=$?
grep -q "interrupted" cancel.out && ((rc == 5)) || fail "Ctrl+C: exit $rc, $(cat cancel.out)"
# A series on two ports at once: a lane per COM port, each unit logged with
# its port; --count 2 ends it after the first unit of each lane. A short
# tick, as the emulator answers at once.
rc=0
QUILLON_TICK_MS=3 wine "$cli" series --port COM7 --port COM8 --count 2 --scope all --log lanes.csv series.e \
  >lanes.out 2>lanes.err </dev/null || rc=$?
((rc == 0)) || fail "series on COM7 and COM8: exit $rc, $(cat lanes.out lanes.err)"
for com in COM7 COM8; do
  # unit,start,duration_s,port,id_before,id_after,result,...
  awk -F, -v com="$com" 'NR > 1 && $4 == com && $7 == "good" { n++ } END { exit n != 1 }' lanes.csv ||
    fail "series: no good unit logged on $com: $(cat lanes.csv)"
  grep -q "^$com: unit 1: " lanes.out || fail "series: no unit line for $com: $(cat lanes.out)"
  cmp -n 128 series.e "$com.saved/unit.e" || fail "series: the unit on $com does not hold the series image"
done
(($(wc -l <lanes.csv) == 3)) || fail "series: not two units logged: $(cat lanes.csv)"
# One device by two names is refused before any port opens.
rc=0
wine "$cli" series --port COM7 --port '\\.\COM7' --log refused.csv series.e >same.out 2>&1 </dev/null || rc=$?
((rc == 2)) && grep -q "same device" same.out && [[ ! -e refused.csv ]] ||
  fail "series on COM7 twice: exit $rc, $(cat same.out)"
# ports lists the COM ports the system has (wine's mapped ones among them).
wine "$cli" ports >ports.out 2>&1 </dev/null || true
grep -q '^COM5 ' ports.out || fail "ports did not list COM5: $(cat ports.out)"
# A Russian user locale makes it Russian; the exit status stays.
rc=0
LC_ALL=ru_RU.UTF-8 wine "$cli" verify --port COM5 all write.e --bogus >ru.out 2>&1 </dev/null || rc=$?
((rc == 2)) && grep 'Подробнее' ru.out >/dev/null || fail "Russian locale: exit $rc, $(cat ru.out)"
# Where nothing answers, the job ends unfinished after the echo limit.
if [[ -n $silent ]]; then
  rc=0
  timeout 60 wine "$cli" read --port "$silent" word 00 >silent.out 2>&1 </dev/null || rc=$?
  ((rc != 0 && rc != 124)) && grep -q "Невыполнено" silent.out || fail "silent $silent: exit $rc, $(cat silent.out)"
fi
cd "$root"
done_part

# ---- the window under wine + Xvfb -----------------------------------------
part "window under wine + Xvfb"
start_phone COM1 --word 00=1234 --word 32=0C8A --word 3F=ABCD
map_ports_done
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
sleep 1
wine "$out/bin/quillon.exe" >/dev/null 2>&1 &
app=$!
pids+=($app)
win=
for _ in $(seq 60); do
  win=$(xdotool search --name 'quillon' 2>/dev/null | head -n1 || true)
  [[ -n $win ]] && break
  sleep 0.5
done
[[ -n $win ]] || fail "the window did not appear"
# Keys go in as a person's would (XTEST, to the focused window; wine ignores
# synthetic events): F9 opens COM1, where the list starts, F7 reads.
sleep 2
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key F9
sleep 2
xdotool key F7
sleep 24                       # 19.3 s of line time and some
import -window root "$out/quillon-wine.png"
grep -q . "$run/COM1.err" || true
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
echo "screenshot: $out/quillon-wine.png"
unset DISPLAY
done_part

# ---- the installer ---------------------------------------------------------
part "installer (CPack NSIS, .zip)"
(cd "$out" && cpack -G "NSIS;ZIP" >/dev/null)
installer=$out/quillon-3.4-win64.exe
[[ -f $installer && -f $out/quillon-3.4-win64.zip ]] || fail "CPack made no installer"
# grep without -q reads to the end: -q may leave the writer a broken pipe,
# which pipefail takes for a failure (the zip's listing is long).
unzip -l "$out/quillon-3.4-win64.zip" | grep 'bin/quillon-cli.exe' >/dev/null || fail "the .zip lacks quillon-cli.exe"
pf=$(winepath -u 'C:\Program Files\Quillon')
rm -rf "$pf"
# What the installer's pages and the uninstaller say, as CPack wrote them.
nsis=$(find "$out/_CPack_Packages" -type d -name NSIS | head -n1)
grep 'Add Quillon to the system PATH' "$nsis/NSIS.InstallOptions.ini" >/dev/null ||
  fail "the options page does not name Quillon: $(grep -m1 'system PATH' "$nsis/NSIS.InstallOptions.ini")"
grep 'series logs in %LOCALAPPDATA%\\Quillon\\series' "$nsis/project.nsi" >/dev/null ||
  fail "the uninstaller does not say where the series logs stay"
# A user without a PATH of their own: the installer's is the only entry.
wine reg delete 'HKCU\Environment' /v PATH /f >/dev/null 2>&1 || true
# With the options a user may tick: bin\ on the user's PATH, a desktop shortcut.
wine "$installer" /S /PATH=user /DESKTOP
# The PATH is the installer's last step.
for _ in $(seq 60); do
  wine reg query 'HKCU\Environment' /v PATH 2>/dev/null | grep -i 'Quillon\\bin' >/dev/null && break
  sleep 0.5
done
for f in bin/quillon.exe bin/quillon-cli.exe bin/Qt6Core.dll bin/Qt6Widgets.dll bin/platforms/qwindows.dll \
  bin/libstdc++-6.dll bin/quillon-cli.txt README.txt doc/guide.md doc/guide.en.md bin/translations/qtbase_ru.qm \
  Uninstall.exe; do
  [[ -f $pf/$f ]] || fail "installed folder lacks $f"
done
# Texts for Notepad: Windows line ends in every line.
for f in "$pf/README.txt" "$pf"/doc/*.md; do
  [[ $(grep -c $'\r$' "$f") == $(wc -l <"$f") ]] || fail "$f has lines without Windows line ends"
done
# README.txt opens with Windows, not with the Debian commands.
[[ $(head -n1 "$pf/README.txt" | tr -d '\r') == "# Quillon for Windows" ]] || fail "README.txt opens with $(head -n1 "$pf/README.txt")"
! head -n 30 "$pf/README.txt" | grep 'apt-get' >/dev/null || fail "README.txt's first lines are the Debian commands"
# What README.txt links to in the installed folder is there.
for link in $(grep -o '](\(doc\|bin\)/[^)#]*' "$pf/README.txt" | cut -c3- | sort -u); do
  [[ -f $pf/$link ]] || fail "README.txt links to $link, which is not installed"
done
menu=$(find "$WINEPREFIX/drive_c" -path '*Start Menu*' -type d -name Quillon | head -n1)
[[ -n $menu ]] && ls "$menu"/*.lnk >/dev/null 2>&1 || fail "no Start-menu entry"
desktop=$(find "$WINEPREFIX/drive_c/users" -path '*Desktop*' -name 'Quillon.lnk' | head -n1)
[[ -n $desktop ]] || fail "no desktop shortcut"
wine reg query 'HKCU\Environment' /v PATH 2>/dev/null | grep -i 'Quillon\\bin' >/dev/null || fail "bin\\ is not on the PATH"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillon'
entry=$(wine reg query "$uninstall_key" 2>/dev/null | tr -d '\r')
for v in EstimatedSize DisplayVersion Publisher; do
  grep -q "$v" <<<"$entry" || fail "the uninstall entry lacks $v"
done
# The programs name themselves (version information in the file).
strings -el "$pf/bin/quillon-cli.exe" | grep 'Quillon command line' >/dev/null || fail "quillon-cli.exe has no version information"
# The installed program starts (window under Xvfb) and the installed CLI runs.
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pids+=($xvfb)
sleep 1
DISPLAY=$display wine "$pf/bin/quillon.exe" >/dev/null 2>&1 &
app=$!
pids+=($app)
shown=
for _ in $(seq 60); do
  shown=$(DISPLAY=$display xdotool search --name 'quillon' 2>/dev/null | head -n1 || true)
  [[ -n $shown ]] && break
  sleep 0.5
done
kill "$app" 2>/dev/null || true
kill "$xvfb" 2>/dev/null || true
[[ -n $shown ]] || fail "the installed quillon.exe showed no window"
wine "$pf/bin/quillon-cli.exe" preset --list >/dev/null || fail "the installed quillon-cli.exe does not run"
wine "$pf/Uninstall.exe" /S
for _ in $(seq 60); do [[ -e $pf/bin/quillon.exe ]] || break; sleep 0.5; done
# The PATH is the uninstaller's last step.
for _ in $(seq 60); do wine reg query 'HKCU\Environment' /v PATH >/dev/null 2>&1 || break; sleep 0.5; done
sleep 1
[[ ! -e $pf ]] || fail "the uninstaller left $(find "$pf" | head -n5 | tr '\n' ' ')"
[[ ! -e $menu ]] || fail "the uninstaller left the Start-menu entry"
[[ ! -e $desktop ]] || fail "the uninstaller left the desktop shortcut"
! wine reg query 'HKCU\Environment' /v PATH 2>/dev/null | grep -i 'Quillon\\bin' >/dev/null || fail "the uninstaller left the PATH entry"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstaller left its registry entry"
! wine reg query 'HKCU\Environment' /v PATH >/dev/null 2>&1 ||
  fail "the uninstaller left a PATH value: $(wine reg query 'HKCU\Environment' /v PATH 2>/dev/null | tr -d '\r')"
! wine reg query 'HKLM\Software\Quillon developers' >/dev/null 2>&1 || fail "the uninstaller left the vendor key"
# A user with a PATH of their own gets it back as it was.
wine reg add 'HKCU\Environment' /v PATH /t REG_EXPAND_SZ /d 'C:\keep;C:\other' /f >/dev/null 2>&1
wine "$installer" /S /PATH=user
for _ in $(seq 60); do
  wine reg query 'HKCU\Environment' /v PATH 2>/dev/null | grep -i 'Quillon\\bin' >/dev/null && break
  sleep 0.5
done
wine "$pf/Uninstall.exe" /S
for _ in $(seq 60); do
  wine reg query 'HKCU\Environment' /v PATH 2>/dev/null | grep -i 'Quillon\\bin' >/dev/null || break
  sleep 0.5
done
sleep 1
kept=$(wine reg query 'HKCU\Environment' /v PATH 2>/dev/null | tr -d '\r' | awk '$1 == "PATH" { print $3 }')
[[ $kept == 'C:\keep;C:\other' ]] || fail "the uninstaller changed the user's PATH to '$kept'"
wine reg delete 'HKCU\Environment' /v PATH /f >/dev/null 2>&1 || true
done_part

echo
echo "Windows check passed. Times:"
printf '  %s\n' "${times[@]}"
t=$((SECONDS - start_all))
printf '  %-34s %4d min %02d s\n' "total" $((t / 60)) $((t % 60))

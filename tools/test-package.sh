#!/usr/bin/env bash
# Builds the Debian package and checks what it ships: the file list, the
# computed dependencies, the desktop entry and metadata (validated), the icon,
# and the programs run from the unpacked package.
set -euo pipefail
cd "$(dirname "$0")/.."

trap 'echo "test-package: FAIL" >&2' ERR
fail() {
  echo "test-package: $*" >&2
  echo "test-package: FAIL" >&2
  trap - ERR
  exit 1
}

bash tools/deps.sh desktop-file-utils appstream man-db
deb=$(bash tools/package.sh)
[ -f "$deb" ] || fail "no package built"

id=org.example.Quillon
expected=(usr/bin/quillon usr/bin/quillon-phone
  "usr/share/applications/$id.desktop"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  "usr/share/metainfo/$id.metainfo.xml"
  usr/share/man/man1/quillon-phone.1.gz
  usr/share/doc/quillon/guide.md usr/share/doc/quillon/quillon.png usr/share/doc/quillon/guide.en.md)
programs=(quillon-phone)
if [ -d cli ]; then
  expected+=(usr/bin/quillon-cli usr/share/man/man1/quillon-cli.1.gz)
  programs+=(quillon-cli)
fi
listing=$(dpkg -c "$deb")
for f in "${expected[@]}"; do
  grep -q " \./$f\$" <<<"$listing" || fail "$f missing from $(basename "$deb")"
done

# The dependencies come from dpkg-shlibdeps, so the Qt libraries must be there.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6widgets6 libqt6svg6; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

out=$(desktop-file-validate "$root/usr/share/applications/$id.desktop" 2>&1) \
  && [ -z "$out" ] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" 2>&1) \
  || fail "appstreamcli validate --no-net: $out"
cmp -s "$root/usr/share/icons/hicolor/scalable/apps/$id.svg" resources/img/app.svg \
  || fail "the installed icon is not the window icon"
grep -qx "Icon=$id" "$root/usr/share/applications/$id.desktop" || fail "desktop entry names another icon"
# grep reads to the end: with -q it could stop strings early, and pipefail
# would take the broken pipe for a failure.
strings "$root/usr/bin/quillon" | grep -x "$id" >/dev/null || fail "quillon does not give the desktop its entry's name"

if ldd "$root/usr/bin/quillon" | grep "not found"; then
  fail "quillon needs a library the system lacks"
fi
for p in "${programs[@]}"; do
  help=$("$root/usr/bin/$p" --help) || fail "$p --help failed"
  [ -n "$help" ] || fail "$p --help printed nothing"
  gzip -t "$root/usr/share/man/man1/$p.1.gz" || fail "$p.1.gz is damaged"
  # Rendered as a user's man would, with and without UTF-8.
  for locale in C C.UTF-8; do
    out=$(LC_ALL=$locale man --warnings -l "$root/usr/share/man/man1/$p.1.gz" 2>&1 >/dev/null) \
      && [ -z "$out" ] || fail "man $p in the $locale locale: $out"
  done
done

echo "test-package: PASS ($(basename "$deb"): ${#expected[@]} files checked, ${programs[*]} run)"

#!/usr/bin/env bash
# Fails when a text of the window or of quillon-cli has no translation:
# lupdate reads the sources into a copy of each translations/*.ts (the
# window's quillon_*.ts from app image radio link, quillon_ru.ts only for the
# plural forms, since the sources are Russian, quillon-cli_ru.ts from cli,
# quillon-cli_en.ts from image radio link: only the contexts it holds, each
# whole), and any entry left unfinished there is listed. The repository's files are not touched; to
# update them, build the target update_translations (docs/translating.md).
#   bash tools/check-translations.sh [lupdate]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${1:-$(command -v lupdate-qt6 || command -v /usr/lib/qt6/bin/lupdate || command -v lupdate)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$root"/translations/*.ts; do
  contexts=
  options=()
  case $(basename "$ts") in
    quillon-cli_en*) sources=(image radio link) contexts=$(sed -n 's/^ *<name>\(.*\)<\/name>$/\1/p' "$ts") ;;
    quillon-cli_*) sources=(cli) ;;
    quillon_ru*) sources=(app image radio link) options=(-pluralonly) ;;
    *) sources=(app image radio link) ;;
  esac
  copy=$work/$(basename "$ts")
  cp "$ts" "$copy"
  (cd "$root" && "$lupdate" -silent "${options[@]}" -no-obsolete -locations none -I "$root" "${sources[@]}" -ts "$copy") >/dev/null 2>&1
  if [ -n "$contexts" ]; then
    # The other contexts are the window catalogue's to translate.
    awk -v keep="$contexts" 'BEGIN { n = split(keep, k, "\n"); for (i = 1; i <= n; ++i) kept[k[i]] = 1 }
      /<context>/ { block = ""; name = "" }
      { block = block $0 "\n" }
      /<name>/ { name = $0; sub(/^ *<name>/, "", name); sub(/<\/name>.*/, "", name) }
      /<\/context>/ { if (name in kept) printf "%s", block; block = "" }' "$copy" >"$copy.kept"
    mv "$copy.kept" "$copy"
  fi
  missing=$(grep -c 'type="unfinished"' "$copy" || true)
  if [ "$missing" -gt 0 ]; then
    echo "$(basename "$ts"): $missing text(s) without a translation:" >&2
    grep -B1 'type="unfinished"' "$copy" | sed -n 's/^ *<source>\(.*\)<\/source>$/  \1/p' >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "translations complete"
exit "$status"

#!/usr/bin/env bash
# Fails when a text of the window or of quillon-cli has no translation:
# lupdate reads the sources into a copy of each translations/*.ts (the
# window's quillon_*.ts from app image radio link, quillon-cli_*.ts from cli),
# and any entry left unfinished there is listed. The repository's files are not touched; to
# update them, build the target update_translations (docs/translating.md).
#   bash tools/check-translations.sh [lupdate]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${1:-$(command -v lupdate-qt6 || command -v /usr/lib/qt6/bin/lupdate || command -v lupdate)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$root"/translations/*.ts; do
  case $(basename "$ts") in
    quillon-cli_*) sources=(cli) ;;
    *) sources=(app image radio link) ;;
  esac
  copy=$work/$(basename "$ts")
  cp "$ts" "$copy"
  # -I .: the CLI's Text::tr takes its context ("Cli") from cli/CliText.h,
  # which lupdate finds only from the root, as the build's lupdate does.
  (cd "$root" && "$lupdate" -silent -no-obsolete -locations none -I . "${sources[@]}" -ts "$copy") >/dev/null 2>&1
  missing=$(grep -c 'type="unfinished"' "$copy" || true)
  if [ "$missing" -gt 0 ]; then
    echo "$(basename "$ts"): $missing text(s) without a translation:" >&2
    grep -B1 'type="unfinished"' "$copy" | sed -n 's/^ *<source>\(.*\)<\/source>$/  \1/p' >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "translations complete"
exit "$status"

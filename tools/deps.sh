#!/usr/bin/env bash
# Installs what Quillon needs to build and test on Debian 12 (as root, or via sudo).
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
packages=(cmake g++ make qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev fonts-dejavu-core qt6-translations-l10n
  qt6-tools-dev qt6-l10n-tools "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep "install ok installed" >/dev/null || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

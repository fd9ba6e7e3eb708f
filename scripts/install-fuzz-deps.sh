#!/usr/bin/env bash
# Installs what `make fuzz` needs beyond the normal build: clang with the
# libFuzzer and sanitizer runtimes. With "package": the desktop and metainfo
# validators and the Debian packaging tools `make package` uses. Idempotent.
set -euo pipefail
bash "$(dirname "$0")/install-deps.sh"

if [ "${1:-}" = package ]; then
  PACKAGES=(desktop-file-utils appstream dpkg-dev)
else
  PACKAGES=(clang libclang-rt-dev)
fi
missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

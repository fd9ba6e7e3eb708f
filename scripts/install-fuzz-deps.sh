#!/usr/bin/env bash
# Installs what `make fuzz` needs beyond the normal build: clang with the
# libFuzzer and sanitizer runtimes. Idempotent.
set -euo pipefail
bash "$(dirname "$0")/install-deps.sh"

PACKAGES=(clang libclang-rt-dev)
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

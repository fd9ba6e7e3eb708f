#!/usr/bin/env bash
# Measures Tolvu's start-up: from launch to the first paint of the current
# conditions (the temperature label with a reading), against the replay
# server and the demo documents, and prints the median of several runs.
#   scripts/startup-time.sh [BUILD_DIR]
#   STARTUP_RUNS=N   how many runs (default 5)
# Without a display it runs under Xvfb. The demo root, profile and server come
# from scripts/demo.sh; this script wraps the program it starts.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"

if [ "${1:-}" = "--inside" ]; then
  shift
  runs="${STARTUP_RUNS:-5}"
  profile="$XDG_DATA_HOME/Tolvu"
  pristine="$(mktemp)"
  cp "$profile/Tolvu.ini" "$pristine"
  times=()
  for i in $(seq 1 "$runs"); do
    # Every run starts from the same profile, as the first did.
    find "$profile" -mindepth 1 -delete
    cp "$pristine" "$profile/Tolvu.ini"
    launch="$(date +%s%3N)"
    out="$(TOLVU_EXIT_AFTER_PAINT="$launch" timeout --signal=TERM 60 "$@" 2>/dev/null || true)"
    ms="$(printf '%s\n' "$out" | awk '/^first-paint-ms / {print $2; exit}')"
    if [ -z "$ms" ]; then
      echo "startup-time: run $i never painted the current conditions" >&2
      rm -f "$pristine"
      exit 1
    fi
    echo "startup-time: run $i: $ms ms"
    times+=("$ms")
  done
  rm -f "$pristine"
  median="$(printf '%s\n' "${times[@]}" | sort -n | awk '{v[NR] = $1} END {
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }')"
  echo "startup-time: median of $runs runs: $median ms"
  exit 0
fi

build="$(cd "${1:-$here/build}" && pwd)"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-xcb}"
run=("$here/scripts/demo.sh" "$build")
if [ -z "${DISPLAY:-}" ] && [ "$QT_QPA_PLATFORM" = xcb ]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
fi
DEMO_SERVICE=nws DEMO_WRAPPER="$here/scripts/startup-time.sh --inside" "${run[@]}"

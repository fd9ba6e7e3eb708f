#!/usr/bin/env bash
# Runs Tolvu hidden in the tray against the replay server and the demo
# documents for a while, refreshing every minute, and prints its resident
# memory at the start, middle and end and the CPU time it used.
#   scripts/soak.sh [BUILD_DIR]
#   SOAK_SECONDS=N   how long to run (default 600)
# Without a display it runs under Xvfb. The demo root, the profile and the
# server come from scripts/demo.sh; this script wraps the program it starts.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"

if [ "${1:-}" = "--inside" ]; then
  # Called by demo.sh in place of the program: its profile is written by now.
  shift
  seconds="${SOAK_SECONDS:-600}"
  ini="$XDG_DATA_HOME/Tolvu/Tolvu.ini"
  python3 - "$ini" <<'PY'
import re, sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
text = re.sub(r"(?m)^Minimize=.*$", "Minimize=1", text)
text += "\n[Wx]\nccInterval=1\nfcInterval=1\n"
open(path, "w", encoding="utf-8").write(text)
PY
  "$@" &
  pid=$!
  rss() { awk '/^VmRSS:/ {print $2 " " $3}' "/proc/$pid/status" 2>/dev/null || echo "gone"; }
  cpu() {
    # utime + stime in clock ticks, fields 14 and 15 after the command name.
    local ticks hz
    ticks="$(sed 's/^.*) //' "/proc/$pid/stat" | awk '{print $12 + $13}')"
    hz="$(getconf CLK_TCK)"
    awk -v t="$ticks" -v hz="$hz" 'BEGIN {printf "%.2f s", t / hz}'
  }
  alive() { kill -0 "$pid" 2>/dev/null; }
  # Start: once the first refreshes are done (a few seconds in).
  sleep 5
  alive || { echo "soak: Tolvu exited early" >&2; wait "$pid"; exit 1; }
  echo "soak: rss start  $(rss)  cpu $(cpu)  (t=5 s)"
  half=$(( seconds / 2 ))
  [ "$half" -gt 5 ] && sleep $(( half - 5 ))
  alive || { echo "soak: Tolvu exited before the middle" >&2; wait "$pid"; exit 1; }
  echo "soak: rss middle $(rss)  cpu $(cpu)  (t=$half s)"
  [ "$seconds" -gt "$half" ] && sleep $(( seconds - half ))
  alive || { echo "soak: Tolvu exited before the end" >&2; wait "$pid"; exit 1; }
  echo "soak: rss end    $(rss)  cpu $(cpu)  (t=$seconds s)"
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  exit 0
fi

build="$(cd "${1:-$here/build}" && pwd)"
export SOAK_SECONDS="${SOAK_SECONDS:-600}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-xcb}"
run=("$here/scripts/demo.sh" "$build")
if [ -z "${DISPLAY:-}" ] && [ "$QT_QPA_PLATFORM" = xcb ]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
fi
DEMO_SERVICE=nws DEMO_WRAPPER="$here/scripts/soak.sh --inside" "${run[@]}"

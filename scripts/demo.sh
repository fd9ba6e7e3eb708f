#!/usr/bin/env bash
# Runs Tolvu against the replay server and the demo documents in data/demo/,
# on a profile of its own, so nothing leaves this machine.
#   scripts/demo.sh [BUILD_DIR]
#   DEMO_SERVICE=nws|acu   which service the demo profile selects (default nws when its documents exist)
#   DEMO_SECONDS=N         quit after N seconds (headless runs and screenshots)
#   DEMO_WRAPPER=CMD       run the program under CMD (for example "gdb -batch -ex run -ex bt")
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$here/build}" && pwd)"
bin="$build/bin"
for exe in Tolvu replay-server; do
  if [ ! -x "$bin/$exe" ]; then
    echo "demo: $bin/$exe is missing; build first (make demo builds it)" >&2
    exit 1
  fi
done

# One server root for every service's documents: each data/demo/<service>/
# is linked in, and their routes.txt files are joined.
root="$build/demo-root"
rm -rf "$root"
mkdir -p "$root"
: > "$root/routes.txt"
for dir in "$here"/data/demo/*/; do
  [ -d "$dir" ] || continue
  name="$(basename "$dir")"
  ln -s "$dir" "$root/$name"
  if [ -f "$dir/routes.txt" ]; then
    echo "# from $name/routes.txt" >> "$root/routes.txt"
    cat "$dir/routes.txt" >> "$root/routes.txt"
    echo >> "$root/routes.txt"
  fi
done

# 8080 is the port the demo documents name; any free port works otherwise.
port="$(python3 - <<'PY'
import socket
def free(p):
    s = socket.socket()
    try:
        s.bind(("127.0.0.1", p)); return s.getsockname()[1]
    except OSError:
        return None
    finally:
        s.close()
print(free(8080) or free(0))
PY
)"
base="http://127.0.0.1:$port"

service="${DEMO_SERVICE:-}"
if [ -z "$service" ]; then
  if [ -d "$here/data/demo/nws" ]; then service=nws; else service=acu; fi
fi

# A fresh demo profile each run, so the demo always starts the same way.
export XDG_DATA_HOME="$build/demo-profile"
profile="$XDG_DATA_HOME/Tolvu"
rm -rf "$profile"
mkdir -p "$profile"
if [ "$service" = acu ]; then
  default=Service1
else
  default=Service0
fi
cat > "$profile/Tolvu.ini" <<INI
[Servers]
NWSWeb=$base/nws
NWSForecast=$base/nws
NWSAlerts=$base/nws
NWSRadar=$base/nws
NWSApi=$base/nws
NWSRegion=$base/nws
USNO=$base/nws
AccuData=$base/accu
AccuWeb=$base/accu
AccuIcons=$base/accu
AccuImages=$base/accu
Update=$base/update

[Service]
Default=$default

[Services]
Service0=The US National Weather Service
Service1=AccuWeather.com

[Service0]
Name=NWS
httpBase=$base/nws
Port=$port
XML=/data/current_obs
HTML=$base/nws
Seek=/index.xml
Location=KDCA
Latitude=38.85
Longitude=-77.03
CityName=Washington
StateCode=DC
CountyCode=DCC001
County=District of Columbia
Site=lwx

[Service1]
Name=Acu
httpBase=$base/accu
Port=$port
XML=$base/accu/widget/kovix/
HTML=$base/accu
Seek=city-find.asp?Location=
Location=cityId:327659
Latitude=38.85
Longitude=-77.03
CityName=Washington
StateCode=DC

[Options]
Update=0
Minimize=0
INI

"$bin/replay-server" --root "$root" --port "$port" > "$build/demo-server.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true' EXIT
# Wait until it listens.
for _ in $(seq 1 50); do
  if python3 -c "import socket,sys; s=socket.socket(); s.settimeout(0.2); sys.exit(s.connect_ex(('127.0.0.1',$port)))"; then
    break
  fi
  sleep 0.1
done
echo "demo: $service documents from $base, profile $profile"

if [ -n "${DEMO_SECONDS:-}" ]; then
  timeout --signal=TERM "$DEMO_SECONDS" ${DEMO_WRAPPER:-} "$bin/Tolvu" || true
else
  ${DEMO_WRAPPER:-} "$bin/Tolvu"
fi

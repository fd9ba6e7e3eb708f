#!/usr/bin/env bash
# Runs Tolvu against the replay server and the demo documents in data/demo/,
# on a profile of its own, so nothing leaves this machine.
#   scripts/demo.sh [BUILD_DIR]
#   DEMO_SERVICE=nws|acu   which service the demo profile selects (default nws when its documents exist)
#   DEMO_LANG=FRA          the language code the demo services start in (default: none, built-in English)
#   DEMO_SECONDS=N         quit after N seconds (headless runs and screenshots)
#   DEMO_UPDATE_FOLDER=update  serve the demo update server's version notice and message of the day (default: quiet)
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
# One server root for every service's documents: each data/demo/<service>/
# is copied in, its routes.txt joined with the file names moved into its
# folder; "{{host}}" becomes the server's address and the documents' dates
# move to today (they are written for 11 December 2026 onwards).
root="$build/demo-root"
rm -rf "$root"
mkdir -p "$root"
python3 - "$here/data/demo" "$root" "127.0.0.1:$port" <<'PY'
import datetime, os, re, shutil, sys
src, dst, host = sys.argv[1:4]
shift = datetime.date.today() - datetime.date(2026, 12, 11)
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
DAYS = ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"]
def moved(y, m, d):
    return datetime.date(int(y), int(m), int(d)) + shift
def iso(mo):
    t = moved(mo.group(1), mo.group(2), mo.group(3))
    return t.strftime("%Y-%m-%d")
def rfc(mo):  # "Fri, 11 Dec 2026"
    t = moved(mo.group(4), MONTHS.index(mo.group(3)) + 1, mo.group(2))
    return "%s, %02d %s %d" % (DAYS[t.weekday()], t.day, MONTHS[t.month - 1], t.year)
def usa(mo):  # "Dec 11 2026"
    t = moved(mo.group(3), MONTHS.index(mo.group(1)) + 1, mo.group(2))
    return "%s %d %d" % (MONTHS[t.month - 1], t.day, t.year)
routes = []
for name in sorted(os.listdir(src)):
    folder = os.path.join(src, name)
    if not os.path.isdir(folder):
        continue
    shutil.copytree(folder, os.path.join(dst, name))
    for base, _, files in os.walk(os.path.join(dst, name)):
        for f in files:
            path = os.path.join(base, f)
            if f == "routes.txt":
                continue
            try:
                text = open(path, encoding="utf-8").read()
            except (UnicodeDecodeError, OSError):
                continue
            text = text.replace("{{host}}", host)
            if shift.days:
                text = re.sub(r"\b(20\d\d)-(\d\d)-(\d\d)(?=T|\b)", iso, text)
                text = re.sub(r"\b(Mon|Tue|Wed|Thu|Fri|Sat|Sun), (\d{1,2}) (%s) (20\d\d)" % "|".join(MONTHS), rfc, text)
                text = re.sub(r"\b(%s) (\d{1,2}) (20\d\d)" % "|".join(MONTHS), usa, text)
            open(path, "w", encoding="utf-8").write(text)
    r = os.path.join(folder, "routes.txt")
    if os.path.exists(r):
        routes.append("# from %s/routes.txt" % name)
        for line in open(r, encoding="utf-8"):
            line = line.rstrip("\n")
            m = re.match(r"^(\s*\S+\s+\S+\s*->\s*)(\S+)(.*)$", line)
            if m and not line.lstrip().startswith("#"):
                line = m.group(1) + name + "/" + m.group(2) + m.group(3)
            routes.append(line)
open(os.path.join(dst, "routes.txt"), "w", encoding="utf-8").write("\n".join(routes) + "\n")
PY

# The radar pictures drawn at build time sit at the root under the paths the
# NWS radar server uses; their routes join the others.
radar="$build/demo/radar"
if [ -d "$radar" ]; then
  (cd "$radar" && find . -type f ! -name routes.txt -print0 | while IFS= read -r -d '' f; do
    mkdir -p "$root/$(dirname "$f")"
    cp "$f" "$root/$f"
  done)
  if [ -f "$radar/routes.txt" ]; then
    { echo "# from the demo radar pictures"; grep -v '^\s*#' "$radar/routes.txt" || true; } >> "$root/routes.txt"
  fi
else
  echo "demo: $radar is missing (build the radar_demo target); the Imagery page stays empty" >&2
fi

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
lang_line=""
if [ -n "${DEMO_LANG:-}" ]; then lang_line="Language=$DEMO_LANG"; fi
cat > "$profile/Tolvu.ini" <<INI
[Servers]
NWSWeb=$base
NWSForecast=$base
NWSAlerts=$base
NWSRadar=$base
NWSApi=$base
NWSRegion=$base
USNO=$base
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
httpBase=$base
Port=$port
XML=/data/current_obs
HTML=$base
Seek=/index.xml
Location=KDCA
Latitude=38.85
Longitude=-77.03
CityName=Washington
StateCode=DC
CountyCode=District of Columbia
County=District of Columbia
Site=lwx
$lang_line
Radar=27

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
$lang_line

[Options]
Update=0
URL=$base/${DEMO_UPDATE_FOLDER:-quiet}/
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

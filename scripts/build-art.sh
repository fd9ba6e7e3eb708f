#!/usr/bin/env bash
# Builds the pictures and sounds that ship beside the program:
#   <bin>/Services.rcc           icon library (condition pictures "0.PNG".."54.PNG", "30A.PNG".., logos)
#   <bin>/Images/...             glyph list, moon, dialog pictures, close button, splash, logos, flags
#   <bin>/Sound/Connect.wav, Warning.wav
# Upstream artwork is fetched from the Debian and npm registries into the work folder and never
# committed. When a registry cannot be reached the script warns and draws its own pictures and
# tones instead, so a build never fails for want of artwork.
#
# usage: build-art.sh <bin dir> <work dir> [rcc]
set -uo pipefail

BIN=${1:?bin dir}
WORK=${2:?work dir}
RCC=${3:-/usr/lib/qt6/libexec/rcc}
mkdir -p "$BIN" "$WORK"
BIN=$(cd "$BIN" && pwd)
WORK=$(cd "$WORK" && pwd)
SRC=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ART=$SRC/data/art
DRAWN=$ART/drawn
STAMP=$WORK/art.stamp

METEOCONS_SPEC=@meteocons/svg-static@0.1.0
METEOCONS_SHA512=dnuXOkt1W5q+XZbyj54dzjuBcKmsC0eLv51IVaW9kzzvzwnhwv9KgNXHKgpvmdN6cX2stMo+k95iMFbcyM4x5Q==
DEBS=(breeze-icon-theme famfamfam-flag-png sound-theme-freedesktop)

warn() { echo "build-art: warning: $*" >&2; }
note() { echo "build-art: $*"; }

# Cached: nothing to do while the outputs are newer than this script and the name maps. A run that
# had to fall back to drawn art tries the registries again after an hour.
if [ -f "$STAMP" ] && [ -f "$BIN/Services.rcc" ]; then
  newer=$(find "${BASH_SOURCE[0]}" "$ART" -newer "$STAMP" -print -quit 2>/dev/null)
  if [ -z "$newer" ]; then
    if ! grep -q fallback "$STAMP" || [ -z "$(find "$STAMP" -mmin +60 -print)" ]; then
      exit 0
    fi
  fi
fi

if ! command -v rsvg-convert >/dev/null; then
  warn "rsvg-convert is missing (Debian package librsvg2-bin); the program draws its own pictures"
  exit 0
fi

mkdir -p "$WORK"
STAGE=$WORK/stage
rm -rf "$STAGE"
mkdir -p "$STAGE"/{cond,Images/glyphs,Images/moon,Images/dialog,Images/flags,Images/NWS,Images/Acu,Sound,tmp}
TMP=$STAGE/tmp
FELL_BACK=()

# ---------------------------------------------------------------- fetching

ROOT=$WORK/debroot
fetch_debs() {
  mkdir -p "$WORK/deb" "$ROOT"
  chmod 755 "$WORK/deb"
  local p deb
  for p in "${DEBS[@]}"; do
    deb=$(ls "$WORK"/deb/"${p}"_*.deb 2>/dev/null | head -n1)
    if [ -z "$deb" ]; then
      (cd "$WORK/deb" && timeout 120 apt-get download -q "$p" >/dev/null 2>&1) || {
        warn "could not fetch Debian package $p"; continue; }
      deb=$(ls "$WORK"/deb/"${p}"_*.deb 2>/dev/null | head -n1)
    fi
    [ -n "$deb" ] || continue
    if [ ! -f "$ROOT/.$p" ]; then
      dpkg -x "$deb" "$ROOT" && touch "$ROOT/.$p"
    fi
    echo "$p $(dpkg-deb -f "$deb" Version)" >>"$WORK/versions.txt"
  done
}

METEO=$WORK/meteocons/package
fetch_npm() {
  [ -d "$METEO/fill" ] && return 0
  command -v npm >/dev/null || { warn "npm is missing; condition pictures are drawn"; return 1; }
  mkdir -p "$WORK/npm"
  local tgz
  tgz=$(cd "$WORK/npm" && timeout 180 npm pack --silent --fetch-retries=1 --fetch-timeout=30000 \
        "$METEOCONS_SPEC" 2>/dev/null | tail -n1)
  if [ -z "$tgz" ] || [ ! -f "$WORK/npm/$tgz" ]; then
    warn "could not fetch npm package $METEOCONS_SPEC"; return 1
  fi
  local sum
  sum=$(node -e 'const c=require("crypto"),f=require("fs");
    process.stdout.write(c.createHash("sha512").update(f.readFileSync(process.argv[1])).digest("base64"))' \
    "$WORK/npm/$tgz")
  if [ "$sum" != "$METEOCONS_SHA512" ]; then
    warn "$METEOCONS_SPEC does not match its recorded checksum; not used"
    rm -f "$WORK/npm/$tgz"; return 1
  fi
  mkdir -p "$WORK/meteocons"
  tar xzf "$WORK/npm/$tgz" -C "$WORK/meteocons"
}

: >"$WORK/versions.txt"
fetch_debs
fetch_npm
BREEZE=$ROOT/usr/share/icons/breeze
FLAGS=$ROOT/usr/share/flags/countries/16x11
SOUNDS=$ROOT/usr/share/sounds/freedesktop/stereo

# ---------------------------------------------------------------- helpers

svg() { # svg <in.svg> <out.png> <w> <h>
  rsvg-convert -w "$3" -h "$4" "$1" -o "$2" 2>/dev/null
}

# Breeze's monochrome action glyphs are drawn for light windows; lighten them for the dark one.
# The colour icons keep their colours.
breeze_svg() { # breeze_svg <relative path without .svg> <out.png> <size>
  local f=$BREEZE/$1.svg
  [ -f "$f" ] || return 1
  if [[ $1 == actions/* ]]; then
    sed -e 's/#232629/#eff0f1/g' -e 's/#31363b/#eff0f1/g' "$f" >"$TMP/recolour.svg"
    f=$TMP/recolour.svg
  fi
  svg "$f" "$2" "$3" "$3"
}

meteo_svg() { # meteo_svg <name> <out.png> <size>
  local f=$METEO/fill/$1.svg
  [ -f "$f" ] || return 1
  if [ "$1" = not-available ]; then
    # Its dark "N/A" would vanish on the navy window.
    sed 's/#202939/#e2e8f0/g' "$f" >"$TMP/na.svg"; f=$TMP/na.svg
  fi
  svg "$f" "$2" "$3" "$3"
}

# A base picture shrunk to the upper right with an overlay (wind) across its lower left.
meteo_composite() { # meteo_composite <base> <overlay> <out.png>
  meteo_svg "$1" "$TMP/base.png" 256 || return 1
  meteo_svg "$2" "$TMP/over.png" 256 || return 1
  cat >"$TMP/composite.svg" <<EOF
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="256" height="256" viewBox="0 0 256 256">
  <image x="38.4" y="0" width="217.6" height="217.6" xlink:href="base.png"/>
  <image x="-12.8" y="107.5" width="179.2" height="179.2" xlink:href="over.png"/>
</svg>
EOF
  svg "$TMP/composite.svg" "$3" 128 128
}

# Drawn condition pictures: layers named in conditions.map, painted back to front.
CLOUD='<circle cx="44" cy="70" r="14"/><circle cx="64" cy="58" r="20"/><circle cx="86" cy="68" r="15"/><rect x="30" y="66" width="72" height="18" rx="9"/>'
draw_condition() { # draw_condition <layers> <out.png>
  local layers=",$1," body=""
  has() { [[ $layers == *",$1,"* ]]; }
  local rays='<g stroke="#f59e0b" stroke-width="4" stroke-linecap="round"><path d="M0 -34v-10M0 34v10M-34 0h-10M34 0h10M24 24l7 7M-24 -24l-7 -7M24 -24l7 -7M-24 24l-7 7"/></g>'
  has sun   && body+="<g transform=\"translate(64 64)\">$rays<circle r=\"26\" fill=\"#fbbf24\" stroke=\"#f59e0b\" stroke-width=\"3\"/></g>"
  has sunl  && body+="<g transform=\"translate(46 44) scale(0.72)\">$rays<circle r=\"26\" fill=\"#fbbf24\" stroke=\"#f59e0b\" stroke-width=\"3\"/></g>"
  local crescent='<path d="M0 -28A28 28 0 0 0 0 28A14 28 0 0 1 0 -28Z" fill="#e2e8f0" stroke="#94a3b8" stroke-width="2" transform="rotate(-20)"/>'
  has moon  && body+="<g transform=\"translate(70 64) scale(1.2)\">$crescent</g>"
  has moonl && body+="<g transform=\"translate(50 44) scale(0.8)\">$crescent</g>"
  has cloud2     && body+="<g fill=\"#94a3b8\" transform=\"translate(34 -10) scale(0.75)\">$CLOUD</g>"
  has smallcloud && body+="<g fill=\"#e2e8f0\" transform=\"translate(44 40) scale(0.6)\">$CLOUD</g>"
  has cloud      && body+="<g fill=\"#e2e8f0\">$CLOUD</g>"
  has dcloud     && body+="<g fill=\"#64748b\">$CLOUD</g>"
  has rain    && body+='<g stroke="#38bdf8" stroke-width="5" stroke-linecap="round"><path d="M50 92l-5 16M66 92l-5 16M82 92l-5 16"/></g>'
  has drizzle && body+='<g fill="#38bdf8"><circle cx="48" cy="98" r="3"/><circle cx="64" cy="104" r="3"/><circle cx="80" cy="98" r="3"/></g>'
  local flake='<path d="M0 -7v14M-6 -3.5l12 7M-6 3.5l12 -7" stroke="#ffffff" stroke-width="2.5" stroke-linecap="round"/>'
  has snow  && body+="<g transform=\"translate(46 100)\">$flake</g><g transform=\"translate(64 108)\">$flake</g><g transform=\"translate(82 100)\">$flake</g>"
  has sleet && body+="<g stroke=\"#38bdf8\" stroke-width=\"5\" stroke-linecap=\"round\"><path d=\"M50 92l-5 16M82 92l-5 16\"/></g><g transform=\"translate(64 104)\">$flake</g>"
  has hail  && body+='<g fill="#ffffff" stroke="#94a3b8"><circle cx="48" cy="100" r="5"/><circle cx="64" cy="108" r="5"/><circle cx="80" cy="100" r="5"/></g>'
  has bolt  && body+='<path d="M70 76l-16 24h12l-8 22 24-30h-12l10-16z" fill="#facc15" stroke="#b45309" stroke-width="2" stroke-linejoin="round"/>'
  has fog   && body+='<g stroke="#cbd5e1" stroke-width="6" stroke-linecap="round"><path d="M28 82h72M20 96h80M32 110h64"/></g>'
  has haze  && body+='<g stroke="#fcd34d" stroke-opacity="0.8" stroke-width="6" stroke-linecap="round"><path d="M24 88h80M32 102h64M40 116h48"/></g>'
  has hot   && body+='<g transform="translate(92 70)"><rect x="-7" y="-30" width="14" height="44" rx="7" fill="#f1f5f9"/><circle cy="20" r="12" fill="#ef4444"/><rect x="-3" y="-10" width="6" height="30" fill="#ef4444"/></g>'
  has cold  && body+='<g transform="translate(64 60)"><rect x="-8" y="-36" width="16" height="52" rx="8" fill="#f1f5f9"/><circle cy="24" r="14" fill="#3b82f6"/><rect x="-3.5" y="4" width="7" height="20" fill="#3b82f6"/></g>'
  has dust  && body+='<g fill="#d6a35c"><circle cx="30" cy="60" r="5"/><circle cx="52" cy="48" r="4"/><circle cx="74" cy="64" r="6"/><circle cx="96" cy="50" r="4"/><circle cx="42" cy="82" r="4"/><circle cx="66" cy="90" r="5"/><circle cx="92" cy="80" r="4"/></g>'
  has smoke && body+='<g fill="none" stroke="#94a3b8" stroke-width="7" stroke-linecap="round"><path d="M30 100c10-14 24-14 34 0s24 14 34 0"/><path d="M38 74c10-14 24-14 34 0s20 10 26 2"/><path d="M46 48c8-10 18-10 26 0"/></g>'
  has wind  && body+='<g fill="none" stroke="#f1f5f9" stroke-width="6" stroke-linecap="round"><path d="M18 62h62a12 12 0 1 0-12-12"/><path d="M18 80h80a12 12 0 1 1-12 12"/><path d="M26 98h30"/></g>'
  has tornado && body+='<g fill="none" stroke="#cbd5e1" stroke-width="7" stroke-linecap="round"><path d="M24 32h80M32 50h62M42 68h42M52 86h24M60 104h10"/></g>'
  has hurricane && body+='<g transform="translate(64 64)" fill="none" stroke="#f87171" stroke-width="8" stroke-linecap="round"><path d="M0 -40a40 40 0 0 0-34 20M0 40a40 40 0 0 0 34-20"/><circle r="18" stroke="#e2e8f0"/></g>'
  has na    && body+='<text x="64" y="78" font-family="DejaVu Sans" font-weight="bold" font-size="40" text-anchor="middle" fill="#e2e8f0">N/A</text>'
  printf '<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 128 128">%s</svg>\n' "$body" >"$TMP/cond.svg"
  svg "$TMP/cond.svg" "$2" 128 128
}

# Drawn moon phase: the lit part between the limb and an elliptical terminator.
draw_moon() { # draw_moon <lit fraction> <lit side l|r> <out.png>
  awk -v f="$1" -v side="$2" 'BEGIN {
    r = 26; cx = 32; cy = 32; s = (side == "r") ? 1 : 0
    printf "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 64 64\">"
    printf "<circle cx=\"%d\" cy=\"%d\" r=\"%d\" fill=\"#1e293b\" stroke=\"#94a3b8\" stroke-width=\"1.5\" stroke-dasharray=\"4 3\"/>", cx, cy, r
    if (f >= 0.999) printf "<circle cx=\"%d\" cy=\"%d\" r=\"%d\" fill=\"#e2e8f0\"/>", cx, cy, r
    else if (f > 0.001) {
      rx = r * (1 - 2 * f); if (rx < 0) rx = -rx
      # Limb: half circle on the lit side; back along the terminator, bulging to the lit side for
      # a crescent and to the dark side for a gibbous moon.
      inner = (f < 0.5) ? 1 - s : s
      printf "<path d=\"M%d %d A%d %d 0 0 %d %d %d A%.2f %d 0 0 %d %d %dZ\" fill=\"#e2e8f0\"/>", \
        cx, cy - r, r, r, s, cx, cy + r, rx, r, inner, cx, cy - r
    }
    printf "</svg>\n"
  }' >"$TMP/moon.svg"
  svg "$TMP/moon.svg" "$3" 64 64
}

have_meteo() { [ -d "$METEO/fill" ]; }
have_breeze() { [ -d "$BREEZE" ]; }

# ---------------------------------------------------------------- condition pictures and logos

have_meteo || FELL_BACK+=(conditions)
QRC=$STAGE/Services.qrc
{
  echo '<!DOCTYPE RCC><RCC version="1.0"><qresource prefix="/">'
  while read -r name src overlay layers; do
    [[ -z $name || $name == \#* ]] && continue
    out=$STAGE/cond/$name.png
    ok=1
    if have_meteo; then
      if [ "$overlay" = "-" ]; then meteo_svg "$src" "$out" 128 || ok=0
      else meteo_composite "$src" "$overlay" "$out" || ok=0
      fi
    else
      ok=0
    fi
    [ $ok = 1 ] || draw_condition "$layers" "$out" || { warn "no picture for $name"; continue; }
    echo "  <file alias=\"$name.PNG\">cond/$name.png</file>"
  done <"$ART/conditions.map"
  for logo in NWS:logo-nws:96:56 ACU:logo-acu:80:56 TOLVU:logo-tolvu:96:56; do
    IFS=: read -r alias file w h <<<"$logo"
    svg "$DRAWN/$file.svg" "$STAGE/cond/logo-$alias.png" "$w" "$h" &&
      echo "  <file alias=\"LOGO_$alias.PNG\">cond/logo-$alias.png</file>"
  done
  echo '</qresource></RCC>'
} >"$QRC"
if ! (cd "$STAGE" && "$RCC" --binary -o "$STAGE/Services.rcc" "$QRC"); then
  warn "rcc failed; no icon library"
  FELL_BACK+=(Services.rcc)
fi

# ---------------------------------------------------------------- glyph list

while read -r idx src _; do
  [[ -z $idx || $idx == \#* ]] && continue
  out=$STAGE/Images/glyphs/$idx.png
  case $src in
    meteocons:*) meteo_svg "${src#meteocons:}" "$out" 24 ;;
    breeze:*)    breeze_svg "${src#breeze:}" "$out" 24 ;;
    drawn:*)     svg "$DRAWN/${src#drawn:}.svg" "$out" 24 24 ;;
  esac || FELL_BACK+=("glyph $idx")
done <"$ART/glyphs.map"

# ---------------------------------------------------------------- moon

while read -r idx src frac side; do
  [[ -z $idx || $idx == \#* ]] && continue
  out=$STAGE/Images/moon/$idx.png
  if [ "$src" = "-" ]; then draw_moon "$frac" "$side" "$out"
  else meteo_svg "$src" "$out" 64 || { FELL_BACK+=("moon $idx"); draw_moon "$frac" "$side" "$out"; }
  fi
done <"$ART/moon.map"

# ---------------------------------------------------------------- dialog pictures and close button

while read -r idx src fallback; do
  [[ -z $idx || $idx == \#* ]] && continue
  out=$STAGE/Images/dialog/$idx.png
  breeze_svg "$src" "$out" 56 || { FELL_BACK+=("dialog $idx"); svg "$DRAWN/$fallback.svg" "$out" 56 56; }
done <"$ART/dialog.map"

# Four states of the pop-up close button: disabled, normal, hovered, pressed.
for state in D:#8c9399:#4d5257 E:#da4453:#7a1a24 F:#f0707c:#9a2a36 P:#a8283a:#4a0f15; do
  IFS=: read -r s fill edge <<<"$state"
  out=$STAGE/Images/BTNCLOSE$s.PNG
  if have_breeze && [ -f "$BREEZE/actions/16/window-close.svg" ]; then
    sed "s/#da4453/$fill/g" "$BREEZE/actions/16/window-close.svg" >"$TMP/close.svg"
  else
    sed -e "s/@FILL@/$fill/" -e "s/@EDGE@/$edge/" "$DRAWN/close.svg" >"$TMP/close.svg"
  fi
  svg "$TMP/close.svg" "$out" 16 16
done

# Other program pictures asked for by name.
while read -r name w h src fallback; do
  [[ -z $name || $name == \#* ]] && continue
  out=$STAGE/Images/$name
  case $src in
    breeze:*) breeze_svg "${src#breeze:}" "$out" "$w" ;;
    drawn:*)  svg "$DRAWN/${src#drawn:}.svg" "$out" "$w" "$h" ;;
  esac || { FELL_BACK+=("$name"); svg "$DRAWN/$fallback.svg" "$out" "$w" "$h"; }
done <"$ART/program.map"

# ---------------------------------------------------------------- splash, logos, flags

svg "$DRAWN/splash.svg" "$STAGE/Images/splash.png" 500 320
svg "$DRAWN/logo-tolvu-wide.svg" "$STAGE/Images/logo.png" 120 64
cp "$STAGE/cond/logo-NWS.png" "$STAGE/Images/NWS/xml_logo.png" 2>/dev/null
cp "$STAGE/cond/logo-ACU.png" "$STAGE/Images/Acu/accuweather_logomark_color-sm.png" 2>/dev/null

for c in de us es fr; do
  if [ -f "$FLAGS/$c.png" ]; then cp "$FLAGS/$c.png" "$STAGE/Images/flags/$c.png"
  else FELL_BACK+=("flag $c"); svg "$DRAWN/flag-$c.svg" "$STAGE/Images/flags/$c.png" 16 11
  fi
done

# ---------------------------------------------------------------- sounds

if command -v sox >/dev/null; then
  if [ -f "$SOUNDS/complete.oga" ] && sox "$SOUNDS/complete.oga" -b 16 "$STAGE/Sound/Connect.wav" 2>/dev/null; then :
  else
    FELL_BACK+=(Connect.wav)
    sox -n -r 44100 -c 1 -b 16 "$STAGE/Sound/Connect.wav" synth 0.7 sine 1320 fade q 0.005 0.7 0.6 gain -6
  fi
  if [ -f "$SOUNDS/suspend-error.oga" ] && sox "$SOUNDS/suspend-error.oga" -b 16 "$STAGE/Sound/Warning.wav" 2>/dev/null; then :
  else
    FELL_BACK+=(Warning.wav)
    sox -n -r 44100 -c 1 -b 16 "$STAGE/Sound/Warning.wav" synth 0.12 square 1500 gain -10 pad 0 0.08 repeat 5
  fi
else
  warn "sox is missing; no sound files"
fi

# ---------------------------------------------------------------- licences of what was used

mkdir -p "$STAGE/licenses"
[ -f "$METEO/LICENSE" ] && cp "$METEO/LICENSE" "$STAGE/licenses/meteocons-svg-static.LICENSE"
for p in "${DEBS[@]}"; do
  [ -f "$ROOT/usr/share/doc/$p/copyright" ] && cp "$ROOT/usr/share/doc/$p/copyright" "$STAGE/licenses/$p.copyright"
done
[ -f "$SRC/THIRD-PARTY-NOTICES.md" ] && cp "$SRC/THIRD-PARTY-NOTICES.md" "$STAGE/licenses/"

# ---------------------------------------------------------------- install

mkdir -p "$BIN"
[ -f "$STAGE/Services.rcc" ] && { cp "$STAGE/Services.rcc" "$BIN/Services.rcc.tmp" && mv -f "$BIN/Services.rcc.tmp" "$BIN/Services.rcc"; }
cp -r "$STAGE/Images" "$BIN/"
[ -n "$(ls "$STAGE/Sound")" ] && cp -r "$STAGE/Sound" "$BIN/"
cp -r "$STAGE/licenses" "$BIN/"

if [ ${#FELL_BACK[@]} -gt 0 ]; then
  warn "drawn stand-ins used for: ${FELL_BACK[*]}"
  echo "fallback ${FELL_BACK[*]}" >"$STAMP"
else
  echo "complete" >"$STAMP"
fi
note "art written to $BIN"
exit 0

#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for FUZZ_SECONDS (default 60),
# seeded from the real documents under tests/fixtures and the seeds here.
# Findings (crash-*, leak-*, timeout-*) land in build-fuzz/findings/<target>/.
# Usage: fuzz/run.sh [target ...]   (default: every target)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${FUZZ_BUILD:-$ROOT/build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-60}
JOBS=${JOBS:-$(nproc)}
FIX=$ROOT/tests/fixtures

cmake -S "$ROOT/fuzz" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$BUILD" -j "$JOBS"

# seeds <target>: the folders and files a target starts from
seeds() {
    case "$1" in
        ini)         echo "$ROOT/fuzz/seeds/ini" ;;
        current_obs) echo "$FIX/nws/current_obs" ;;
        dwml)        echo "$FIX/nws/dwml_ndfd $FIX/nws/dwml_mapclick" ;;
        cap)         echo "$FIX/nws/cap" ;;
        accuwx)      echo "$FIX/accu/weather-data_cleveland-oh_blstreamhptablet_2020.xml" ;;
        accufind)    echo "$FIX/accu/city-find_new-york_accuwxiphonev4_2020.xml" ;;
        accualert)   echo "$FIX/accu/alert-page_cleveland.htm" ;;
        lang)        echo "$ROOT/fuzz/seeds/lang" ;;
        zip)         echo "$ROOT/fuzz/seeds/zip" ;;
        datetime)    echo "$ROOT/fuzz/seeds/datetime" ;;
        nwstext)     echo "$ROOT/fuzz/seeds/nwstext" ;;
        *)           [ -d "$ROOT/fuzz/seeds/$1" ] && echo "$ROOT/fuzz/seeds/$1" ;;
    esac
}

# pair <target>: two-document targets also get the documents joined as one input
pair() {
    local out=$1 a=$2 b=$3
    [ -f "$a" ] && [ -f "$b" ] && { cat "$a"; printf '\n=====\n'; cat "$b"; } >"$out"
    return 0
}

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for exe in "$BUILD"/fuzz_*; do [ -x "$exe" ] && targets+=("${exe##*/fuzz_}"); done
fi

failed=()
for t in "${targets[@]}"; do
    exe=$BUILD/fuzz_$t
    corpus=$BUILD/corpus/$t
    findings=$BUILD/findings/$t
    mkdir -p "$corpus" "$findings"
    for s in $(seeds "$t"); do
        if [ -d "$s" ]; then find "$s" -type f ! -name '.*' ! -name '*.md' -exec cp -n {} "$corpus/" \;
        elif [ -f "$s" ]; then cp -n "$s" "$corpus/"; fi
    done
    case "$t" in
        dwml) pair "$corpus/pair.xml" "$FIX/nws/dwml_ndfd/ndfd_byday_24hourly_4day_nyc_2008-12-23.xml" \
                   "$FIX/nws/dwml_mapclick/mapclick_dwml_austin-tx_2023-02-26.xml" ;;
        cap)  pair "$corpus/pair.xml" "$FIX/nws/cap/feed_county_MTC035_y0_2012-07-24.xml" \
                   "$FIX/nws/cap/alert_2010-08-30_MT_FlashFloodWatch_alerts-beta.xml" ;;
    esac
    dict=()
    case "$t" in ini|lang|zip|datetime|accualert|nwstext) ;; *) dict=(-dict="$ROOT/fuzz/xml.dict") ;; esac
    echo "== fuzz_$t for ${SECONDS_EACH}s"
    if ! (cd "$findings" && "$exe" "${dict[@]}" -max_total_time="$SECONDS_EACH" -timeout=10 \
            -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 "$corpus" 2>"$findings/log.txt"); then
        failed+=("$t")
        tail -40 "$findings/log.txt"
    else
        grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$findings/log.txt" | tail -2 || true
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Findings in: ${failed[*]} (see $BUILD/findings/)"
    exit 1
fi
echo "All fuzz targets ran clean."

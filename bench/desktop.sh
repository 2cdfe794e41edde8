#!/usr/bin/env bash
# Times one harvest and one duplicate elimination through the main window of each desktop
# program, side by side on one virtual display: the Qt program under X, ondrel.exe under Wine.
# Each line gives the step's time and how long the window took at most to answer an event
# meanwhile (what a click on "Annulla" waits for). Both must write the same files.
#   bench/desktop.sh [LINUX_BUILD] [WINDOWS_BUILD]     (default: build, build-win64)
# Environment: ONDREL_BENCH_DIR (data, default bench/out), ONDREL_DESKTOP_ADDRESSES (the
# harvest, 600000), ONDREL_DESKTOP_LINES (the list cleaned, 2000000), ONDREL_DESKTOP_YIELD_MS
# (milliseconds between yields that draw, default the programs' own), WINEPREFIX.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux_build=$(realpath "${1:-$root/build}")
windows_build=$(realpath "${2:-$root/build-win64}")
if [[ -z ${DISPLAY:-} ]]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$linux_build" "$windows_build"
fi
data=${ONDREL_BENCH_DIR:-$root/bench/out}/desktop
addresses=${ONDREL_DESKTOP_ADDRESSES:-600000}
lines=${ONDREL_DESKTOP_LINES:-2000000}
export LC_ALL=C WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/ondrel-wine}
wine=/usr/lib/wine/wine64

cmake --build "$linux_build" --target ondrel-bench-desktop >/dev/null
cmake --build "$windows_build" --target ondrel-bench-desktop >/dev/null

# 60 text files holding $addresses addresses, one in five of them twice; a list of $lines
# lines in a scrambled order, one in four of them twice.
mkdir -p "$data/tree"
if [[ ! -f $data/made-$addresses-$lines ]]; then
  rm -rf "$data/tree"/* "$data"/made-*
  awk -v n="$addresses" -v dir="$data/tree" 'BEGIN {
    for (i = 0; i < n; i++)
      printf "Contatto %d: u%d@example.com, ufficio\r\n", i, i % int(n * 0.8) > (dir "/" i % 60 ".txt")
  }'
  awk -v n="$lines" 'BEGIN { for (i = 0; i < n; i++) printf "l%d@example.org\r\n", (i * 7919) % int(n * 0.75) }' \
    >"$data/list.txt"
  touch "$data/made-$addresses-$lines"
fi

run() {
  local name=$1
  shift
  rm -rf "$data/out-$name" && mkdir -p "$data/out-$name"
  cp "$data/list.txt" "$data/out-$name/list.txt"
  "$@"
}
z() { echo "Z:$(echo "$1" | tr / '\\')"; }

echo "harvest of $addresses addresses in 60 files, elimination of a list of $lines lines"
run qt env QT_QPA_PLATFORM=xcb "$linux_build/bench/desktop/ondrel-bench-desktop" \
  "$data/tree" "$data/out-qt" "$data/out-qt/list.txt"
"$wine" wineboot --init >/dev/null 2>&1 </dev/null || true
# In a Wine desktop of its own: on a display without a window manager Wine waits up to 2 s
# for one at every window shown or hidden.
run win32 "$wine" explorer /desktop=ondrel-bench,1024x768 \
  "$windows_build/bench/desktop/ondrel-bench-desktop.exe" \
  "$(z "$data/tree")" "$(z "$data/out-win32")" "$(z "$data/out-win32/list.txt")"
cmp "$data/out-qt/MailOut.txt" "$data/out-win32/MailOut.txt"
cmp "$data/out-qt/list.txt" "$data/out-win32/list.txt"
echo "both programs wrote the same MailOut.txt and the same cleaned list"

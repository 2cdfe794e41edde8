#!/bin/sh
# Smoke test of ondrel.exe under Wine on a virtual display: the driver finds the main window by
# its caption and its controls by their identifiers, runs an extraction of examples/ through
# them, and opens and closes the subtraction window; MailOut.txt must equal ondrel-cli's.
# Screenshots of the windows land in OUT_DIR.
# Usage: scripts/smoke-windows-desktop.sh WINDOWS_BUILD_DIR LINUX_CLI OUT_DIR
# (run it inside xvfb-run; WINE names the Wine loader, default wine).
set -eu
build=$(cd "$1" && pwd)
cli=$2
out=$3
loader=${WINE:-wine}
examples=$(cd "$(dirname "$0")/../examples" && pwd)
rm -rf "$out" && mkdir -p "$out/windows" "$out/cli"
"$loader" "$build/src/ui/win32/ondrel.exe" &
program=$!
( for shot in $(seq 1 40); do import -window root "$out/screen-$shot.png" 2>/dev/null || true; sleep 0.5; done ) &
shots=$!
"$loader" "$build/tests/ui/win32/ondrel_smoke_driver.exe" "Z:$(echo "$examples" | tr / '\\')" \
  "Z:$(echo "$out/windows" | tr / '\\')"
kill "$program" "$shots" 2>/dev/null || true
"$cli" extract --kind web "$examples" "$out/cli" >/dev/null
cmp "$out/windows/MailOut.txt" "$out/cli/MailOut.txt"
echo "smoke-windows-desktop: MailOut.txt as ondrel-cli writes it"

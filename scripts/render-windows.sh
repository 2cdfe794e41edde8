#!/usr/bin/env bash
# Renders the desktop program's windows to PNG files, as the README shows them: the Qt
# program's offscreen (no display needed) into BUILD_DIR/rendered-windows and, given a Windows
# build folder, ondrel.exe's under Wine, frames and titles included, in a Wine desktop of its
# own on a virtual display, into WINDOWS_BUILD_DIR/rendered-windows. WINE_DPI (default 96)
# sets the DPI of that desktop.
# Usage: scripts/render-windows.sh [BUILD_DIR [WINDOWS_BUILD_DIR]]   (default: build)
set -euo pipefail
build=${1:-build}
windows_build=${2:-}
dpi=${WINE_DPI:-96}
screen=$((1024 * dpi / 96))x$((768 * dpi / 96))  # room for the windows at that scale
if [[ -n $windows_build && -z ${DISPLAY:-} ]]; then
  exec xvfb-run -a -s "-screen 0 ${screen}x24" "$0" "$@"
fi

cmake --build "$build" --target ondrel_render_windows
QT_QPA_PLATFORM=offscreen "$build/tests/ui/ondrel_render_windows" "$build/rendered-windows"
[[ -n $windows_build ]] || exit 0

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/ondrel-wine}
wine=/usr/lib/wine/wine64
cmake --build "$windows_build" --target ondrel_render_windows
out=$(realpath "$windows_build")/rendered-windows
rm -rf "$out" && mkdir -p "$out"
"$wine" wineboot --init >/dev/null 2>&1 </dev/null || true
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
  >/dev/null 2>&1
"$wine" explorer /desktop=ondrel-render,"$screen" \
  "$windows_build/tests/ui/win32/ondrel_render_windows.exe" "Z:$(echo "$out" | tr / '\\')"
for picture in "$out"/*.bmp; do
  convert "$picture" -alpha off "${picture%.bmp}.png" && rm "$picture"
done
ls "$out"

#!/bin/sh
# Renders the desktop program's windows to PNG files (offscreen, no display needed).
# Usage: scripts/render-windows.sh [BUILD_DIR]   (default: build)
# The pictures land in BUILD_DIR/rendered-windows.
set -eu
build_dir=${1:-build}
cmake --build "$build_dir" --target ondrel_render_windows
QT_QPA_PLATFORM=offscreen "$build_dir/tests/ui/ondrel_render_windows" "$build_dir/rendered-windows"

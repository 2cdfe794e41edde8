#!/bin/sh
# Draws the program's pictures again into src/ui/pictures (they are kept in the repository).
# Usage: scripts/draw-pictures.sh [BUILD_DIR]   (default: build)
set -eu
build_dir=${1:-build}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$build_dir" --target ondrel_draw_pictures
QT_QPA_PLATFORM=offscreen "$build_dir/src/ui/qt/ondrel_draw_pictures" "$source_dir/src/ui/pictures"

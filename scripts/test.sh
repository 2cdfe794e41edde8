#!/usr/bin/env bash
# On a fresh Debian machine: installs what is needed, builds everything (the desktop program
# included) and runs every test. BUILD_DIR names the build folder (default: build); extra
# CMake settings may be given as arguments, e.g. -DONDREL_SANITIZE=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}

scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja "$@"
cmake --build "$build"
cd "$build"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} exec ctest --output-on-failure -j "$(nproc)"

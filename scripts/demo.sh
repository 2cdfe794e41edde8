#!/usr/bin/env bash
# On a fresh Debian machine: installs what is needed, builds the console program and runs an
# extraction of each kind on the bundled examples/ tree, showing each MailOut.txt.
# BUILD_DIR names the build folder (default: build); the results land in BUILD_DIR/demo.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}

scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja
cmake --build "$build" --target ondrel-cli

demo="$build/demo"
mkdir -p "$demo/tmp"
for kind in web text store; do
  mkdir -p "$demo/$kind"
  echo
  echo "\$ ondrel-cli extract --kind $kind examples $demo/$kind"
  # The text copies of store files go to the temporary folder and stay there: keep them here.
  TEMP="$demo/tmp" "$build/src/cli/ondrel-cli" extract --kind "$kind" examples "$demo/$kind"
  echo "--- $demo/$kind/MailOut.txt"
  sed 's/\r$//' "$demo/$kind/MailOut.txt"
done

#!/usr/bin/env bash
# Installs what is missing, builds the program alone (no tests) into
# build-run/ and starts it on a work folder of its own, work/: the
# dictionaries, scripts, configuration and backups it writes land there,
# and nothing of the build does.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOLYX_TESTS=OFF >/dev/null
cmake --build build-run -j"$(nproc)" --target PolyxX
mkdir -p work
cd work
POLYXX_WORK_FOLDER="$PWD" exec ../build-run/app/PolyxX

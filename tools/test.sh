#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite headless,
# checks an installation into a temporary prefix, then runs the suite again
# built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
bash tools/check-install.sh build

# -O1 and line tables only: the sanitized build must stay within CI's time.
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Sanitize -DPOLYX_TESTS=ON "${launcher[@]}" \
      -DCMAKE_CXX_FLAGS="-O1 -g1 $sanitize" \
      -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs one.
#   bash tools/fuzz.sh                     builds them all
#   bash tools/fuzz.sh <target> [seconds]  runs one on its corpus (default 600 s)
# Targets: fuzz_rtf_reader fuzz_text_lines fuzz_ini_reader fuzz_dictionary_load fuzz_desktop_entry
#          fuzz_plain_script
# New inputs go to build-fuzz/corpus/<target>/, findings to build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(fuzz_rtf_reader fuzz_text_lines fuzz_ini_reader fuzz_dictionary_load fuzz_desktop_entry
         fuzz_plain_script fuzz_code_recognition)
flags="-O1 -g -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Fuzz \
      -DPOLYX_FUZZ=ON -DPOLYX_TESTS=OFF "${launcher[@]}" \
      -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
if [ $# -eq 0 ]; then
  cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"
  exit 0
fi
target=$1
seconds=${2:-600}
cmake --build build-fuzz -j"$(nproc)" --target "$target"
mkdir -p "build-fuzz/corpus/$target" build-fuzz/findings
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1
# Timeouts of 10 s and 2 GB count as findings: a reader must not hang or
# exhaust memory on any file.
exec "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
     -max_len=65536 -artifact_prefix=build-fuzz/findings/ \
     "build-fuzz/corpus/$target" "fuzz/corpus/$target"

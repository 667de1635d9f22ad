#!/usr/bin/env bash
# Builds the Debian package with the install rules and CPack into build-pkg/;
# the last line printed is the path of the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The same build type as tools/build.sh, so ccache serves its objects; CPack
# strips the debugging information from the packaged program.
cmake -S . -B build-pkg -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOLYX_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build-pkg -j"$(nproc)" --target PolyxX
(cd build-pkg && cpack -G DEB >/dev/null)
deb=$(ls -t build-pkg/polyxx_*.deb | head -n 1)
echo "$PWD/$deb"

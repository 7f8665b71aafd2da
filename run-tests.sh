#!/bin/sh
# Builds the game and every test (installing what they need) and runs them all;
# then builds the game and its headless suites again under the address and
# undefined-behaviour sanitizers (build-asan) and runs those.
set -eu
cd "$(dirname "$0")"
tools/install-deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPICTURE_CUBES_WERROR=ON >/dev/null
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure -j"$(nproc)"
cd ..
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPICTURE_CUBES_WERROR=ON \
    -DPICTURE_CUBES_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
cd build-asan
ctest --output-on-failure -j"$(nproc)"

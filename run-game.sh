#!/bin/sh
# Builds the game (installing what it needs) and starts it.
set -eu
cd "$(dirname "$0")"
tools/install-deps.sh build
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target picture-cubes -j"$(nproc)"
exec build/picture-cubes

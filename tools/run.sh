#!/usr/bin/env bash
# Builds Vexlora (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/packages.sh
vexlora_install_packages
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DVEXLORA_BENCH=OFF
cmake --build build -j"$(nproc)" --target vexlora
exec ./build/vexlora "$@"

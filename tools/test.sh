#!/usr/bin/env bash
# Builds Vexlora with its tests (installing what is missing) and runs every test: the Qt tests
# headless under CTest, the Debian package made, unpacked and checked (never installed), the
# Windows code cross-compiled and run under wine, then the Qt tests again under the sanitizers,
# with the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/packages.sh
vexlora_install_packages
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DVEXLORA_BENCH=ON
cmake --build build-test -j"$(nproc)"
status=0
QT_QPA_PLATFORM=offscreen ctest --test-dir build-test -j"$(nproc)" --output-on-failure || status=1
tools/test-package.sh build-test || status=1
tools/test-windows.sh || status=1
tools/test-sanitizers.sh || status=1
exit $status

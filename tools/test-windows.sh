#!/usr/bin/env bash
# Cross-compiles the program's Windows-only units (*_win.cpp) with their tests (tests/win32/)
# using mingw-w64, and runs every test program under wine against the real Win32 calls.
# Installs the compiler and wine when missing. Ends with "windows: N passed, N failed" and
# exits non-zero when any check failed or a program did not finish cleanly.
#   tools/test-windows.sh [build folder]     (default: build-win; also VEXLORA_WIN_BUILD)
set -euo pipefail

# Second stage: runs inside xvfb-run, with the wine prefix and the list of programs.
if [ "${1:-}" = "--under-xvfb" ]; then
    list=$2 results=$3
    wineboot --init </dev/null >/dev/null 2>&1 || echo "wineboot --init failed; the tests will tell what still works" >&2
    passed=0 failed=0
    while IFS= read -r exe; do
        [ -n "$exe" ] || continue
        name=$(basename "$exe" .exe)
        echo "== $name"
        status=0
        # Wine writes CR LF: the CR goes before any line is looked at. Its notice that the Linux
        # root's device cannot be read for a label (drive Z:) is expected and left out.
        output=$(cd "$(dirname "$exe")" && timeout 300 wine "$exe" </dev/null 2>&1 | tr -d '\r' \
                     | sed '/^wine: Read access denied for device .*FS volume label and serial are not available/d') \
            || status=$?
        [ -z "$output" ] || printf '%s\n' "$output"
        # doctest's last line: "[doctest] assertions: N | N passed | N failed |"
        summary=$(printf '%s\n' "$output" | sed -nE 's/^\[doctest\] assertions: *[0-9]+ \| *([0-9]+) passed \| *([0-9]+) failed.*/\1 passed, \2 failed/p' | tail -n 1)
        p=0 f=0
        if [ -n "$summary" ]; then
            p=${summary%% passed*}
            f=${summary#*, }
            f=${f%% failed}
        fi
        passed=$((passed + p)) failed=$((failed + f))
        # A program that crashed, hung or exited non-zero without a failed check still counts.
        if [ -z "$summary" ] || { [ "$status" -ne 0 ] && [ "$f" -eq 0 ]; }; then
            echo "FAIL $name: exited with status $status${summary:+ after \"$summary\"}"
            failed=$((failed + 1))
        fi
    done < "$list"
    # Registry writes reach the prefix's files only when the server ends: wait for it, never kill it.
    wineserver -w || true
    echo "$passed $failed" > "$results"
    exit 0
fi

cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-${VEXLORA_WIN_BUILD:-build-win}}
case $build in /*) ;; *) build=$root/$build ;; esac

# --- packages -----------------------------------------------------------------------------
need=()
for p in g++-mingw-w64-x86-64-posix wine wine64 doctest-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
command -v xvfb-run >/dev/null 2>&1 || need+=(xvfb xauth)
if [ ${#need[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    echo "Installing: ${need[*]}"
    log=$(mktemp)
    if ! $sudo apt-get install -y -q --no-install-recommends "${need[@]}" >"$log" 2>&1; then
        # A fresh machine may have no package lists yet; any other failure is reported as is.
        if grep -qE 'Unable to locate package|has no installation candidate' "$log"; then
            if ! { $sudo apt-get update -q && $sudo apt-get install -y -q --no-install-recommends "${need[@]}"; }; then
                rm -f "$log"
                echo "windows: 0 passed, 1 failed"
                exit 1
            fi
        else
            cat "$log" >&2
            rm -f "$log"
            echo "windows: 0 passed, 1 failed"
            exit 1
        fi
    fi
    rm -f "$log"
fi

# --- build --------------------------------------------------------------------------------
generator=()
[ -f "$build/CMakeCache.txt" ] || ! command -v ninja >/dev/null 2>&1 || generator=(-G Ninja)
if ! cmake -S tests/win32 -B "$build" "${generator[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null \
    || ! cmake --build "$build" -j"$(nproc)"; then
    echo "windows: 0 passed, 1 failed"
    exit 1
fi

# --- run ------------------------------------------------------------------------------------
work=$(mktemp -d "${TMPDIR:-/tmp}/vexlora-wine.XXXXXX")
trap 'rm -rf "$work"' EXIT
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= LC_ALL=C.UTF-8
# Wine reads a drive's label from this file when its server starts; C: is drive_c.
export VEXLORA_TEST_C_LABEL="VEXLORA Tëst"
mkdir -p "$WINEPREFIX/drive_c"
printf '%s\n' "$VEXLORA_TEST_C_LABEL" > "$WINEPREFIX/drive_c/.windows-label"

status=0
xvfb-run -a "$root/tools/test-windows.sh" --under-xvfb "$build/tests.txt" "$work/results" || status=$?
if [ -s "$work/results" ]; then
    read -r passed failed < "$work/results"
else
    echo "the wine run did not finish (status $status)"
    passed=0 failed=1
fi
# A run that ended badly, or ran no check at all, is a failure even when no check said so.
if [ "$failed" -eq 0 ] && { [ "$status" -ne 0 ] || [ "$passed" -eq 0 ]; }; then
    echo "the wine run ended with status $status after $passed passed checks"
    failed=1
fi
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

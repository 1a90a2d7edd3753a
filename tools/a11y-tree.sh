#!/usr/bin/env bash
# Prints the accessibility tree of Vexlora's main window as a screen reader sees it over AT-SPI:
# one object a line, indented by depth, with its role, name, description, label and states.
# Runs headless: Xvfb, a private D-Bus session that starts the accessibility bus on demand, and
# the program in a temporary HOME whose snooze file skips the advertisement.
# Usage: tools/a11y-tree.sh [BUILD_DIR]   (a build with the vexlora target; default build-test)
# Debian's own Python runs the walk: python3-pyatspi installs for it alone.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/packages.sh
vexlora_install_packages at-spi2-core python3-pyatspi dbus-daemon
build=${1:-build-test}
[ -x "$build/vexlora" ] || { echo "no $build/vexlora: build the vexlora target first" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/data/vexlora" "$tmp/cache" "$tmp/runtime"
chmod 700 "$tmp/runtime"
# The snooze date is today: days since 30 December 1899, one little-endian double.
python3 -c 'import datetime, struct, sys
sys.stdout.buffer.write(struct.pack("<d", (datetime.date.today() - datetime.date(1899, 12, 30)).days))' \
    > "$tmp/data/vexlora/noads.vxl"
HOME="$tmp" XDG_DATA_HOME="$tmp/data" XDG_CACHE_HOME="$tmp/cache" XDG_RUNTIME_DIR="$tmp/runtime" \
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- /usr/bin/python3 tools/a11y_tree.py "$build/vexlora"

#!/usr/bin/env bash
# Makes docs/screenshot.png: the main window after a click on a font file that is not installed.
# Fontconfig sees only DejaVu Sans and Mono, so DejaVu Serif in the browsed folder is a new face.
# Needs a build with tests (tools/test.sh makes build-test) and Debian's fonts-dejavu-core.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
dejavu=/usr/share/fonts/truetype/dejavu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/installed" "$tmp/browse" "$tmp/data" "$tmp/cache"
cp "$dejavu/DejaVuSans.ttf" "$dejavu/DejaVuSans-Bold.ttf" "$dejavu/DejaVuSansMono.ttf" "$tmp/installed/"
cp "$dejavu/DejaVuSerif.ttf" "$tmp/browse/"
cp tests/fonts/zeta.ttf tests/fonts/eta.ttf "$tmp/browse/"
cat > "$tmp/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>$tmp/installed</dir><cachedir>$tmp/cache</cachedir></fontconfig>
CONF
HOME="$tmp" XDG_DATA_HOME="$tmp/data" XDG_CACHE_HOME="$tmp/cache" XDG_RUNTIME_DIR="$tmp" \
    FONTCONFIG_FILE="$tmp/fonts.conf" QT_QPA_PLATFORM=offscreen \
    "$build/tools/vexlora_screenshot" docs/screenshot.png "$tmp/browse" DejaVuSerif.ttf
echo "wrote docs/screenshot.png"

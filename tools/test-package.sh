#!/usr/bin/env bash
# Makes the Debian package from a build folder's install rules and checks it without ever
# installing it: unpacks it into a temporary folder, checks its fields and its files, runs the
# desktop entry and the AppStream metadata through their validators, checks that an install
# into another prefix with DESTDIR gives the same files, and starts the unpacked program
# headless. Installs the validators when missing. Ends with "package: N passed, N failed" and
# exits non-zero when any check failed.
#   tools/test-package.sh [build folder]     (default: build-test)
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/packages.sh
vexlora_install_packages desktop-file-utils appstream
build=${1:-build-test}
case $build in /*) ;; *) build=$(pwd)/$build ;; esac

passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
# check <what> <command...>: one check, passed when the command succeeds.
check() { if "${@:2}"; then pass; else fail "$1"; fi; }
finish() { echo "package: $passed passed, $failed failed"; exit $((failed > 0)); }

id=$(sed -n 's/^VEXLORA_APP_ID:[A-Z]*=//p' "$build/CMakeCache.txt")
[ -n "$id" ] || { fail "no application id in $build/CMakeCache.txt"; finish; }

work=$(mktemp -d "${TMPDIR:-/tmp}/vexlora-package.XXXXXX")
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# --- the package --------------------------------------------------------------------------
rm -rf "$build/package"
if ! (cd "$build" && cpack -G DEB) >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    fail "cpack -G DEB"
    finish
fi
debs=("$build"/package/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { fail "cpack made ${#debs[@]} packages"; finish; }
deb=${debs[0]}
field() { dpkg-deb -f "$deb" "$1"; }
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
echo "Depends: $(field Depends)"

check "Package is vexlora" [ "$(field Package)" = vexlora ]
check "Section is utils" [ "$(field Section)" = utils ]
check "Maintainer is set" [ -n "$(field Maintainer)" ]
check "Recommends fonts-liberation2 and Qt's own catalogues" [ "$(field Recommends)" = "fonts-liberation2, qt6-translations-l10n" ]
# What the binary links comes from dpkg-shlibdeps; what it loads at run time is named by hand.
depends=$(field Depends | sed 's/ *([^)]*)//g; s/, */\n/g')
for dep in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 fontconfig; do
    check "Depends on $dep" grep -qxF "$dep" <<<"$depends"
done
check "every file is root's" [ -z "$(dpkg-deb -c "$deb" | awk '$2 != "root/root"')" ]

# --- its files ----------------------------------------------------------------------------
tree=$work/tree
dpkg-deb -x "$deb" "$tree"
icons=usr/share/icons/hicolor
sizes="16 24 32 48 64 128 256"
{
    echo usr/bin/vexlora
    echo usr/share/applications/$id.desktop
    echo usr/share/metainfo/$id.metainfo.xml
    echo usr/share/doc/vexlora/copyright
    echo $icons/scalable/apps/$id.svg
    for s in $sizes; do echo $icons/${s}x$s/apps/$id.png; done
} | sort >"$work/expected"
(cd "$tree" && find . -type f -printf '%P\n' | sort) >"$work/files"
check "the package holds exactly the expected files" diff -u "$work/expected" "$work/files"
check "the program is executable" [ -x "$tree/usr/bin/vexlora" ]
for s in $sizes; do
    png=$tree/$icons/${s}x$s/apps/$id.png
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    check "$s px icon is $s x $s" [ "$(od -An -tu4 --endian=big -j16 -N8 "$png" | tr -s ' ')" = " $s $s" ]
done

desktop=$tree/usr/share/applications/$id.desktop
metainfo=$tree/usr/share/metainfo/$id.metainfo.xml
check "the launcher runs the installed program" grep -qx "Exec=vexlora" "$desktop"
check "the launcher's icon is the installed one" grep -qx "Icon=$id" "$desktop"
check "the metadata names the launcher" grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
languages=$(cd translations && ls vexlora_*.ts | sed 's/^vexlora_//; s/\.ts$//')
for lang in $languages; do
    for key in Name GenericName Comment Keywords; do
        check "the launcher's $key in $lang" grep -q "^$key\[$lang\]=." "$desktop"
    done
    for element in name summary p caption; do
        check "the metadata's <$element> in $lang" grep -q "<$element xml:lang=\"$lang\">" "$metainfo"
    done
    # Embedded: rcc keeps each resource's name in UTF-16, even where it compresses the data.
    check "the program carries its $lang catalogue" python3 -c '
import sys
sys.exit(sys.argv[2].encode("utf-16-be") not in open(sys.argv[1], "rb").read())' "$tree/usr/bin/vexlora" "vexlora_$lang.qm"
done
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
check "package version $(field Version) is the newest release $release" [ "$(field Version)" = "$release" ]

echo "== desktop-file-validate $id.desktop"
# Its hints count too: an entry without a main category, say, ends up in no menu of its own.
if out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ]; then pass; else fail "desktop-file-validate"; fi
[ -z "$out" ] || printf '%s\n' "$out"
echo "== appstreamcli validate --no-net $id.metainfo.xml"
if out=$(appstreamcli validate --no-net "$metainfo" 2>&1); then pass; else fail "appstreamcli validate"; fi
printf '%s\n' "$out"

# --- any prefix, with DESTDIR ---------------------------------------------------------------
if DESTDIR=$work/destdir cmake --install "$build" --prefix /opt/vexlora >"$work/install.log" 2>&1; then
    (cd "$work/destdir/opt/vexlora" && find . -type f -printf 'usr/%P\n' | sort) >"$work/prefix-files"
    check "an install into /opt/vexlora with DESTDIR holds the package's files" diff -u "$work/files" "$work/prefix-files"
else
    cat "$work/install.log"
    fail "cmake --install into /opt/vexlora with DESTDIR"
fi

# --- the unpacked program starts ----------------------------------------------------------
# A private world, with a snooze taken today (days since 30 December 1899 as a little-endian
# double), so the main window opens at once instead of the advertisement.
run=$work/run
mkdir -p "$run/home" "$run/data/vexlora" "$run/config" "$run/cache" "$run/runtime"
chmod 700 "$run/runtime"
python3 -c 'import datetime, struct, sys
days = (datetime.date.today() - datetime.date(1899, 12, 30)).days
sys.stdout.buffer.write(struct.pack("<d", days))' >"$run/data/vexlora/noads.vxl"
HOME=$run/home XDG_DATA_HOME=$run/data XDG_CONFIG_HOME=$run/config XDG_CACHE_HOME=$run/cache \
    XDG_RUNTIME_DIR=$run/runtime QT_QPA_PLATFORM=offscreen \
    "$tree/usr/bin/vexlora" </dev/null >"$run/output" 2>&1 &
pid=$!
sleep 3
if kill -0 "$pid" 2>/dev/null; then
    pass
    kill "$pid"
    wait "$pid" 2>/dev/null || true
else
    status=0
    wait "$pid" || status=$?
    fail "the unpacked program ended within 3 seconds (status $status)"
fi
pid=""
[ ! -s "$run/output" ] || { echo "== the program's output"; cat "$run/output"; }

finish

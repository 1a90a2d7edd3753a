# Installs the Debian packages that building, packaging and testing need, when any is missing.
# Sourced by run.sh, test.sh and test-package.sh. CPack's Debian packages take their
# dependencies from dpkg-dev's dpkg-shlibdeps, on the files that file(1) calls ELF.
VEXLORA_PACKAGES="cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 \
libfontconfig-dev qt6-l10n-tools qt6-tools-dev qt6-translations-l10n \
libgl-dev fontconfig fonts-dejavu-core python3 python3-fonttools xvfb xauth dpkg-dev file"

vexlora_install_packages() {
    local missing=()
    for p in $VEXLORA_PACKAGES "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" \
        || { $sudo apt-get update -q && $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"; }
}

# SPDX-FileCopyrightText: 2026 The Palvorin developers
# SPDX-License-Identifier: MIT

# Sourced by the build scripts: installs the Debian packages they need.
# ensure_packages NAME...: as root, installs the missing ones with apt-get;
# otherwise prints the exact command and stops.
ensure_packages() {
    local missing=() name
    for name in "$@"; do
        dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' || missing+=("$name")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
}

# Liberation Sans has the metrics of the narrow dialog face the window was
# laid out for; GIO (libglib2.0-dev) finds the desktop's text editor;
# QtKeychain keeps device passwords in the system keyring; lupdate and lrelease (with their CMake
# functions) build the translations, and Qt's own catalogues translate its dialog buttons.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libglib2.0-dev fonts-liberation2
    qtkeychain-qt6-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)

# debian_sources TYPE DIR: the system's apt entries for Debian's own archives, their type set to
# TYPE (deb or deb-src), written as DIR/debian.list (one-line style) and DIR/debian.sources
# (deb822 style), for tools that take a sources list of their own.
debian_sources() {
    local type=$1 dir=$2 file
    mkdir -p "$dir"
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        sed -nE "s/^deb (.*\/debian(-security)?\/? .*)/$type \1/p" "$file"
    done > "$dir/debian.list"
    for file in /etc/apt/sources.list.d/*.sources; do
        # One stanza a paragraph.
        [ -f "$file" ] || continue
        awk -v RS= -v ORS='\n\n' '/URIs:[^\n]*\/debian(-security)?\/?([ \n]|$)/' "$file"
    done | sed -E "s/^Types:.*/Types: $type/" > "$dir/debian.sources"
    return 0
}

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
# laid out for; GIO (libglib2.0-dev) finds the desktop's text editor.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libglib2.0-dev fonts-liberation2)

# SPDX-FileCopyrightText: 2026 The Palvorin developers
# SPDX-License-Identifier: MIT

# Sourced by the scripts that build for Windows: where Qt for Windows is.

# The upstream version of the host's Qt (qt6-base-dev), whose tools (moc, rcc, uic) the
# Windows build uses: Qt for Windows must be the same version.
host_qt_version() {
    dpkg-query -W -f='${Version}' qt6-base-dev | sed -E 's/^[0-9]+://; s/[+~-].*//'
}

# The per-user cache that scripts/windows qt builds into.
windows_qt_cache() {
    echo "${XDG_CACHE_HOME:-$HOME/.cache}/palvorin/qt6-mingw64-$(host_qt_version)"
}

# Prints the first Qt for Windows found: QT_WINDOWS, then the prebuilt copy beside the
# repository, then the cache. Fails, printing nothing, when there is none.
find_windows_qt() {
    local repo candidate
    repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    if [ -n "${QT_WINDOWS:-}" ]; then
        candidate=$(realpath -m "$QT_WINDOWS")
        [ -f "$candidate/lib/cmake/Qt6/qt.toolchain.cmake" ] && echo "$candidate"
        return
    fi
    for candidate in "$(realpath -m "$repo/../shared/qt6-mingw64")" "$(windows_qt_cache)"; do
        if [ -f "$candidate/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
            echo "$candidate"
            return 0
        fi
    done
    return 1
}

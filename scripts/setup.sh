#!/usr/bin/env bash
# Installs the Debian packages that are missing, configures the build folder when it is not
# configured yet and builds it. Each step is skipped when there is nothing to do, so a second
# run installs and rebuilds nothing.
#   scripts/setup.sh [TARGET...]        build/       (Release)
#   scripts/setup.sh --asan [TARGET...] build-asan/  (AddressSanitizer + UndefinedBehaviorSanitizer)
# Named targets are built alone; without any, everything is.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
    # build
    cmake ninja-build g++
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
    libx11-dev libx11-xcb-dev libxres-dev libxfixes-dev libjpeg62-turbo-dev libpng-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    # the virtual X session and the tools the scripts and tests drive it with
    xvfb openbox trayer xdotool x11-utils
    # copies text from another program onto the clipboard, for the notes' capture tests
    xclip
    # the session bus every desktop has, for the start-up benchmark
    dbus-daemon
    # checks the autostart entry the program writes
    desktop-file-utils
    # reads back the PDF a print without a printer makes
    poppler-utils
    # the faces the program's font table maps to
    fonts-liberation fonts-dejavu-core fonts-urw-base35
    # Qt's own dialogs in French
    qt6-translations-l10n
)

install_missing() {
    local missing=() package
    for package in "${packages[@]}"; do
        if [[ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != "install ok installed" ]]
        then
            missing+=("$package")
        fi
    done
    ((${#missing[@]})) || return 0
    echo "setup: installing ${missing[*]}"
    local sudo=()
    ((EUID == 0)) || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

configure_and_build() {
    local dir="$1" option="$2"
    shift 2
    if [[ ! -f "$dir/build.ninja" || ! -f "$dir/CMakeCache.txt" ]]; then
        cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release ${option:+"$option"}
    fi
    ninja -C "$dir" "$@"
}

case "${1:-}" in
--asan)
    shift
    install_missing
    configure_and_build "$root/build-asan" -DTARVELLE_SANITIZE=ON "$@"
    ;;
-*)
    echo "usage: $0 [--asan] [TARGET...]" >&2
    exit 2
    ;;
*)
    install_missing
    configure_and_build "$root/build" "" "$@"
    ;;
esac

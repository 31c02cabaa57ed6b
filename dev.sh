#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Set-up, build and run on a fresh Debian 12 machine.
#   ./dev.sh play   install what is missing, build, start the game
#   ./dev.sh test   install what is missing, build, run every test: the plain build, the build
#                   with AddressSanitizer and UndefinedBehaviorSanitizer (with a 200,000-event
#                   monkey run), the game's core built for Windows and played under Wine, and a
#                   short run of the fuzzers
#   ./dev.sh package  install what is missing, build, make the Debian package
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake ninja-build g++ python3 git
    qt6-base-dev qt6-multimedia-dev libqt6sql6-sqlite qt6-charts-dev fonts-liberation2
    # Qt Charts' CMake package needs Qt OpenGL's, which qt6-charts-dev does not bring.
    libqt6opengl6-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev cppcheck
    xvfb xauth xdotool openbox wmctrl x11-utils imagemagick libfaketime
    weston qt6-wayland
    at-spi2-core python3-pyatspi python3-gi dbus-daemon dbus-bin
    desktop-file-utils appstream dpkg-dev locales lintian strace
    pulseaudio pulseaudio-utils
    postgresql libpq-dev openssl
    qtkeychain-qt6-dev
    # The game's core as a Windows program, and Windows to run it in.
    g++-mingw-w64-x86-64-posix wine wine64
)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Vantrel needs these packages. Install them, then run this again:" >&2
        echo "  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
}

# A locale that writes numbers with a decimal comma, for the test that texts never do.
comma_locale() {
    locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
    [ "$(id -u)" -eq 0 ] && localedef -i de_DE -f UTF-8 de_DE.UTF-8 || true
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build
}

sanitizer_tests() {
    # shellcheck source=tests/sanitizers/environment.sh
    source tests/sanitizers/environment.sh
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_SANITIZE=ON \
        -DVANTREL_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build build-asan
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
    build-asan/bin/vantrel-monkey --events 200000 --seed "${VANTREL_MONKEY_SEED:-$RANDOM$RANDOM}"
}

# The game's core built as a Windows program and played under Wine: every scenario, each
# transcript the same as the native runner's.
windows_tests() {
    cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
        -DVANTREL_WITH_QT=OFF -DVANTREL_NATIVE_RUNNER="$PWD/build/bin/vantrel-script" >/dev/null
    cmake --build build-win
    ctest --test-dir build-win --output-on-failure -j "$(nproc)"
}

case "${1:-}" in
play)
    install_missing
    build
    exec build/bin/vantrel
    ;;
test)
    install_missing
    comma_locale
    build
    ctest --test-dir build --output-on-failure -j "$(nproc)"
    sanitizer_tests
    windows_tests
    tools/fuzz.sh 15
    tools/lint.sh
    ;;
package)
    install_missing
    build
    (cd build && cpack)
    ls -1 "$PWD"/build/vantrel_*.deb
    ;;
*)
    echo "usage: $0 play|test|package" >&2
    exit 2
    ;;
esac

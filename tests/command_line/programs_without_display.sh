#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The game and the help viewer answer --help and --version with no display at all, exit 0 and
# print to standard output; an unknown option gets the usage on standard error and status 2.
# The test tools (the monkey, the benchmarks) answer --help and an unknown option the same way.
#   programs_without_display.sh VERSION GAME VIEWER
#   programs_without_display.sh --tools PROGRAM...
set -u
if [ "$1" = --tools ]; then
    shift
    tools=()
    for tool in "$@"; do tools+=("$(readlink -f "$tool")"); done
else
    version="$1"
    game=$(readlink -f "$2")
    viewer=$(readlink -f "$3")
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0

# PROGRAM ARGS... | STATUS STDOUT-PATTERN STDERR-PATTERN ("" means empty)
expect() {
    local cmd=() arg
    while [ "$1" != "|" ]; do cmd+=("$1"); shift; done
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work" \
        "${cmd[@]}" >out.txt 2>err.txt
    local status=$? name="${cmd[0]##*/} ${cmd[*]:1}"
    check() { # FILE PATTERN
        if [ -z "$2" ]; then [ ! -s "$1" ]; else grep -qE "$2" "$1"; fi
    }
    if [ "$status" -ne "$1" ] || ! check out.txt "$2" || ! check err.txt "$3"; then
        echo "FAIL: $name: status $status (wanted $1)"
        echo "--- stdout:"; cat out.txt; echo "--- stderr:"; cat err.txt
        failures=$((failures + 1))
    else
        echo "ok: $name: status $status"
    fi
}

if [ -n "${tools+set}" ]; then
    for tool in "${tools[@]}"; do
        # A tool that took either for a run would go on for minutes.
        expect timeout 30 "$tool" --help "|" 0 "." ""
        expect timeout 30 "$tool" --no-such-option "|" 2 "" "."
    done
    exit $((failures > 0))
fi

v="${version//./\\.}"
for program in "$game" "$viewer"; do
    name="${program##*/}"
    expect "$program" --version "|" 0 "^$name $v\$" ""
    expect "$program" --help "|" 0 "^usage: $name " ""
    expect "$program" -h "|" 0 "^usage: $name " ""
    expect "$program" --no-such-option "|" 2 "" "^usage: $name "
done
expect "$game" surplus "|" 2 "" "^usage: vantrel "
exit $((failures > 0))

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Started with no display at all, the game (or its help viewer, given with its arguments) says
# in one line that it needs a graphical session and how to run it under xvfb-run, and exits with
# status 1 without dumping core.
set -u
game="$1"
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
ulimit -c unlimited 2>/dev/null
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work" \
    "$game" "$@" >stdout.txt 2>stderr.txt
status=$?
fail() { echo "FAIL: $*"; echo "--- stderr:"; cat stderr.txt; exit 1; }
[ "$status" -eq 1 ] || fail "exit status $status, wanted 1"
[ "$(wc -l <stderr.txt)" -eq 1 ] || fail "wanted exactly one line"
grep -q "graphical session" stderr.txt || fail "the line does not say what is missing"
grep -q "xvfb-run" stderr.txt || fail "the line does not say how to run it without a display"
[ -z "$(ls core* 2>/dev/null)" ] || fail "a core file was left"
echo "ok: $(cat stderr.txt)"

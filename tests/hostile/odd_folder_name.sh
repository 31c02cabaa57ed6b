#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The game copied into a folder whose name is not valid UTF-8 finds its tone beside itself (not
# at the root), names its help file there, and says plainly, once, that help cannot be shown
# from such a folder.
set -u
probe="$1"
tone="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/game-"$'\xff\xfe'"-folder"
mkdir "$folder"
cp "$probe" "$folder/vantrel"
cp "$tone" "$folder/elt1.wav"
cd "$work"
XDG_RUNTIME_DIR="$work" timeout 60 "$folder/vantrel" >stdout.txt 2>stderr.txt
status=$?
fail() { echo "FAIL: $*"; echo "--- stdout:"; cat -v stdout.txt; echo "--- stderr:"; cat -v stderr.txt; exit 1; }
[ "$status" -eq 0 ] || fail "exit status $status"
grep -qxF "folder=$folder" stdout.txt || fail "the program's folder is not its own"
grep -qxF "help file=$folder/qr64.HLP" stdout.txt || fail "the help file is not beside the program"
grep -qxF "tone=$folder/elt1.wav" stdout.txt || fail "the tone is not beside the program"
grep -qxF "tone playable=yes" stdout.txt || fail "the tone beside the program is not played"
grep -q "not played" stderr.txt && fail "the sound thread refused the tone"
[ "$(grep -c "^message box: Help cannot be shown from this folder" stdout.txt)" -eq 1 ] ||
    fail "wanted one message box saying that help cannot be shown from here"
[ "$(grep -c "help cannot be shown from the folder" stderr.txt)" -eq 1 ] ||
    fail "wanted one line on standard error saying so"
echo "ok: $(cat -v stdout.txt | tr '\n' ' ')"

#!/bin/sh
# SPDX-License-Identifier: MIT
# Plays the logbook scenarios in a fresh folder, where they keep their logbook files, so every
# run starts from the same files: a NAME.fixture beside the scenarios becomes NAME there.
# usage: play_in_fresh_folder.sh PYTHON CHECKER RUNNER SCENARIO_DIR
set -eu
python=$1 checker=$2 runner=$3 scenarios=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-logbook-XXXXXX")
trap 'rm -rf "$work"' EXIT
for fixture in "$scenarios"/*.fixture; do
    [ -e "$fixture" ] && cp "$fixture" "$work/$(basename "$fixture" .fixture)"
done
cd "$work"
"$python" "$checker" "$runner" "$scenarios"

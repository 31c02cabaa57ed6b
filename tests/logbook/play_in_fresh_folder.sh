#!/bin/sh
# SPDX-License-Identifier: MIT
# Plays the logbook scenarios in a fresh folder, where they keep their logbook files, so every
# run starts from the same files: a NAME.fixture beside the scenarios becomes NAME there, and a
# NAME.sql the SQLite file NAME.
# usage: play_in_fresh_folder.sh PYTHON CHECKER RUNNER SCENARIO_DIR
set -eu
python=$1 checker=$2 runner=$3 scenarios=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-logbook-XXXXXX")
trap 'rm -rf "$work"' EXIT
for fixture in "$scenarios"/*.fixture; do
    [ -e "$fixture" ] && cp "$fixture" "$work/$(basename "$fixture" .fixture)"
done
for sql in "$scenarios"/*.sql; do
    [ -e "$sql" ] && "$python" -c 'import sqlite3, sys; sqlite3.connect(sys.argv[2]).executescript(open(sys.argv[1]).read())' "$sql" "$work/$(basename "$sql" .sql)"
done
cd "$work"
"$python" "$checker" "$runner" "$scenarios"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every ELF file under the given folders searches for libraries only in absolute folders: an
# empty RUNPATH or RPATH entry means the current folder, and a relative one a folder beside it,
# so a program started from elsewhere would load whatever library was planted there.
#   runpath_check.sh FOLDER...
set -u
checked=0
bad=0
while IFS= read -r -d '' file; do
    [ "$(head -c 4 "$file" | od -An -tx1 | tr -d ' \n')" = 7f454c46 ] || continue
    checked=$((checked + 1))
    # An empty value is one empty entry, as the loader reads it.
    wrong=$(readelf -d "$file" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]$/\2/p' |
        awk -F: 'NF == 0 { print "(empty)" } { for (i = 1; i <= NF; i++) if ($i !~ /^\//) print "\"" $i "\"" }')
    if [ -n "$wrong" ]; then
        echo "FAIL: $file searches $(tr '\n' ' ' <<<"$wrong")"
        bad=$((bad + 1))
    fi
done < <(find "$@" -type f -print0)
[ "$checked" -gt 0 ] || { echo "FAIL: no ELF file under $*"; exit 1; }
echo "$checked ELF files, $bad with an empty or relative library search entry"
[ "$bad" -eq 0 ]
